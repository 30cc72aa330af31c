#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A CUPS scheduler of the test's own: cupsd on a free loopback port with a scratch
// configuration, its queues writing each job into a file, and CUPS_SERVER pointed at
// it for as long as the fixture lives (so lp and lpstat of the test process use it).
// The queues pass the document through unchanged (text, PDF, PostScript, PNG, JPEG),
// so the file holds exactly what was printed.
//
//   ScratchCups cups;
//   if (!cups.isRunning()) QSKIP(qPrintable(cups.failure()));
//   const QString out = cups.addFileQueue("office", true);
//   ... lp ...;  QVERIFY(cups.waitForJobs("office"));  cups.output("office")
class ScratchCups
{
public:
    ScratchCups();
    ~ScratchCups();
    ScratchCups(const ScratchCups &) = delete;
    ScratchCups &operator=(const ScratchCups &) = delete;

    bool isRunning() const { return m_running; }
    // Why it is not running.
    QString failure() const { return m_failure; }
    QString server() const;

    // Adds an enabled queue `name`, optionally the default destination; returns the
    // file its jobs are written to ("" when lpadmin failed).
    QString addFileQueue(const QString &name, bool makeDefault);

    // Waits until the queue holds no job that has not completed; false when one ended
    // otherwise or the scheduler stopped answering.
    bool waitForJobs(const QString &queue);
    // The jobs of the queue that completed, as lpstat lists them.
    QStringList completedJobs(const QString &queue);
    QByteArray output(const QString &queue) const;
    QByteArray errorLog() const;

    // Runs a CUPS client program against this scheduler; its standard output.
    QByteArray client(const QString &program, const QStringList &arguments, int *exitCode = nullptr) const;

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
    int m_port = 0;
    bool m_running = false;
    QString m_failure;
    QByteArray m_previousServer;
    bool m_hadServer = false;
};
