#pragma once

#include "output/PrintLayout.h"

#include <QByteArray>
#include <QString>

// A printout written to a text file, UTF-8 with CR LF line ends. The lines go to a
// temporary file beside the target, which is flushed and renamed over the target only
// when the job is complete: a full disk, a cancelled or failed job leaves whatever the
// target held before. Paths are exact names. Failures throw RuntimeError.
class PrintTextFile : public PrintSink
{
public:
    // Refuses a target that is a folder; creates the temporary file.
    PrintTextFile(const QString &target, bool greek);
    ~PrintTextFile() override;
    PrintTextFile(const PrintTextFile &) = delete;
    PrintTextFile &operator=(const PrintTextFile &) = delete;

    void newPage() override {}
    void writeLine(const QString &line, bool emphasised) override;
    // Writes what is left, flushes and renames the file into place.
    void commit();

private:
    void flushBuffer();

    QByteArray m_target;
    QByteArray m_temporary;
    QString m_shownTarget;
    bool m_greek = false;
    QByteArray m_buffer;
    int m_fd = -1;
};
