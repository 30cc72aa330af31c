#pragma once

#include "output/PrintLayout.h"
#include "platform/Volumes.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;
class Prompter;

// What the print-to-file save dialog is asked.
struct SaveFileRequest
{
    QWidget *owner = nullptr;
    QString folder;
    QString title;
    QString proposedName;
    QString filter; // "All files|*.*"
    bool greek = false;
};

// The outside world of the print and comments dialogs, replaceable by tests: the
// printer, the save dialog, the volumes.
struct PrintServices
{
    // The default printer, kept between jobs; null when none is set.
    std::function<QPrinter *()> printer;
    // The chosen path, or "" when the user cancelled.
    std::function<QString(const SaveFileRequest &)> askSaveFileName;
    std::function<QList<Volume>()> volumes;

    // The running program's: the system's default printer, Qt's save dialog captioned
    // in the interface language (asking through `prompter` before replacing a file),
    // the mounted volumes.
    static std::unique_ptr<PrintServices> system(Prompter &prompter);
};

// A printout sent to `printer` page by page: landscape, in Liberation Mono (what
// "Courier New" is on this system) at `fontSize` points, scaled down when the widest
// line or the page's lines would not fit, so nothing is ever cut off. The printer's
// own orientation is given back when the printout ends, however it ends.
class PrinterPages : public PrintSink
{
public:
    PrinterPages(QPrinter &printer, int fontSize, int widestLine, int linesOnPage, const QString &documentName,
                 bool greek);
    ~PrinterPages() override;
    PrinterPages(const PrinterPages &) = delete;
    PrinterPages &operator=(const PrinterPages &) = delete;

    // Throws RuntimeError when the printer cannot start a page.
    void newPage() override;
    void writeLine(const QString &line, bool emphasised) override;
    // Ends the document; throws RuntimeError (in the language asked for) when the
    // printer or its spooler refused it.
    void finish(bool greek);

    double pointSize() const { return m_pointSize; }

private:
    struct State;
    std::unique_ptr<State> m_d;
    double m_pointSize = 0;
};

// The standard print-to-file question: the save dialog at the listed folder, titled
// and filtered as every printout's, proposing `proposedName`.
QString AskPrintFileName(PrintServices &services, QWidget *owner, const QString &currentPath,
                         const QString &proposedName, bool greek);

// The printer for a job, or a RuntimeError that says no default printer is set.
QPrinter &PrinterForJob(PrintServices &services, bool greek);
