#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private CUPS scheduler for one test: cupsd on a free loopback port with a scratch
// configuration, and one queue (the default) whose PPD passes PDF through unchanged
// into a file. CUPS_SERVER is pointed at it for the whole test process, so set it up
// before anything in the process talks to CUPS. Where cupsd cannot start, ok() is
// false and error() says why, for the test's skip message.
class ScratchCups
{
public:
    ScratchCups();
    ~ScratchCups();
    ScratchCups(const ScratchCups &) = delete;
    ScratchCups &operator=(const ScratchCups &) = delete;

    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    QString queue() const { return QStringLiteral("tidyhall-test"); }
    // Where the queue writes each job (every job replaces the last).
    QString outputFile() const { return m_dir.path() + QStringLiteral("/out/job.pdf"); }

    // Runs a CUPS client tool (lpadmin, lpstat, cupsreject, ...) against this server;
    // false with error() set when it fails.
    bool run(const QString &tool, const QStringList &arguments, QString *output = nullptr);
    // Waits until the queue holds no unfinished job; false when one stays.
    bool waitUntilIdle();
    // The error log, for a failure message.
    QString log() const;

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
    bool m_ok = false;
    QString m_error;
};
