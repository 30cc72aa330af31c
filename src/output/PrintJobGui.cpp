#include "output/PrintJobGui.h"

#include "fileops/OptionsCommandsGui.h"
#include "output/PrintPaths.h"
#include "output/PrintTexts.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"
#include "platform/SpoolerStatus.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <sys/stat.h>

struct PrinterPages::State
{
    QPrinter &printer;
    QPageLayout::Orientation givenOrientation;
    QPainter painter;
    QFont plain;
    QFont bold;
    double lineHeight = 0;
    double ascent = 0;
    double y = 0;
    bool ended = false;
    bool greek = false;

    explicit State(QPrinter &p) : printer(p), givenOrientation(p.pageLayout().orientation()) {}

    RuntimeError failure() const
    {
        return RuntimeError(ErrorNumber::DiskNotReady, PrintTexts::PrinterFailed.in(greek).arg(printer.printerName()));
    }
};

PrinterPages::PrinterPages(QPrinter &printer, int fontSize, int widestLine, int linesOnPage,
                           const QString &documentName, bool greek)
    : m_d(std::make_unique<State>(printer))
{
    m_d->greek = greek;
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(documentName);
    State &d = *m_d;
    if (!d.painter.begin(&printer)) {
        printer.setPageOrientation(d.givenOrientation);
        throw d.failure();
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    QFont font(QStringLiteral("Liberation Mono"));
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    // Measure at a large size, then scale: advances and line height are proportional.
    font.setPointSizeF(100);
    const QFontMetricsF reference(font, &printer);
    const double advance = reference.horizontalAdvance(QStringLiteral("M")) / 100.0;
    const double height = reference.lineSpacing() / 100.0;
    double size = fontSize;
    if (widestLine > 0 && advance > 0)
        size = std::min(size, page.width() / (advance * widestLine));
    if (linesOnPage > 0 && height > 0)
        size = std::min(size, page.height() / (height * linesOnPage));
    // A hair below the exact fit, so rounding in the engine never pushes a column over.
    size = size < fontSize ? size * 0.995 : size;
    m_pointSize = size;
    font.setPointSizeF(size);
    d.plain = font;
    d.bold = font;
    d.bold.setBold(true);
    const QFontMetricsF metrics(font, &printer);
    d.lineHeight = metrics.lineSpacing();
    d.ascent = metrics.ascent();
    d.painter.setFont(d.plain);
}

PrinterPages::~PrinterPages()
{
    if (!m_d->ended && m_d->painter.isActive())
        m_d->painter.end();
    m_d->printer.setPageOrientation(m_d->givenOrientation);
}

void PrinterPages::newPage()
{
    if (!m_d->printer.newPage())
        throw m_d->failure();
    m_d->y = 0;
}

void PrinterPages::writeLine(const QString &line, bool emphasised)
{
    State &d = *m_d;
    d.painter.setFont(emphasised ? d.bold : d.plain);
    d.painter.drawText(QPointF(0, d.y + d.ascent), line);
    d.y += d.lineHeight;
}

void PrinterPages::finish(bool greek)
{
    State &d = *m_d;
    d.ended = true;
    const bool ended = d.painter.end();
    const QString name = d.printer.printerName();
    d.greek = greek;
    if (!ended || d.printer.printerState() == QPrinter::Error)
        throw d.failure();
    if (d.printer.outputFormat() == QPrinter::NativeFormat) {
        const QString refusal = LastSpoolerRefusal();
        if (!refusal.isEmpty())
            throw RuntimeError(ErrorNumber::DiskNotReady, PrintTexts::PrinterRefused.in(greek).arg(name, refusal));
    }
}

QPrinter &PrinterForJob(PrintServices &services, bool greek)
{
    QPrinter *printer = services.printer ? services.printer() : nullptr;
    if (!printer)
        throw RuntimeError(ErrorNumber::DiskNotReady, PrintTexts::NoDefaultPrinter.in(greek));
    return *printer;
}

QString AskPrintFileName(PrintServices &services, QWidget *owner, const QString &currentPath,
                         const QString &proposedName, bool greek)
{
    SaveFileRequest request;
    request.owner = owner;
    request.folder = InitialPrintFolder(currentPath, QDir::homePath());
    request.title = PrintTexts::SaveDialogTitle.in(greek);
    request.proposedName = proposedName;
    request.filter = PrintTexts::SaveDialogFilter.in(greek);
    request.greek = greek;
    return services.askSaveFileName(request);
}

namespace {

// "All files|*.*" as Qt writes a filter; "*.*" means every file here.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QString pattern = parts.value(1);
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    return parts.value(0) + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

QString askWithDialog(Prompter &prompter, const SaveFileRequest &request)
{
    using namespace PrintTexts;
    QFileDialog dialog(request.owner, request.title, request.folder);
    dialog.setObjectName(QStringLiteral("dlgPrintToFile"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Replacing is asked below, in the interface language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setLabelText(QFileDialog::LookIn, SaveDialogLookIn.in(request.greek));
    dialog.setLabelText(QFileDialog::FileName, SaveDialogFileName.in(request.greek));
    dialog.setLabelText(QFileDialog::FileType, SaveDialogFileType.in(request.greek));
    dialog.setLabelText(QFileDialog::Accept, SaveDialogAccept.in(request.greek));
    dialog.setLabelText(QFileDialog::Reject, Cancel.in(request.greek));
    dialog.selectFile(request.proposedName);
    QString chosen;
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        struct stat st {};
        if (::stat(ExactName::toBytes(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode)
            && prompter.message(PrintTitle.in(request.greek), ReplaceQuestion.in(request.greek).arg(path),
                                PromptIcon::Question, {PromptButton::Yes, PromptButton::No}, PromptButton::No)
                   != PromptButton::Yes)
            continue;
        chosen = path;
        break;
    }
    if (request.owner)
        BringWindowToFrontGui(request.owner);
    return chosen;
}

QPrinter *defaultPrinter(std::shared_ptr<std::unique_ptr<QPrinter>> held)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() || info.printerName().isEmpty())
        return nullptr;
    if (!*held || (*held)->printerName() != info.printerName())
        *held = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return held->get();
}

} // namespace

std::unique_ptr<PrintServices> PrintServices::system(Prompter &prompter)
{
    auto services = std::make_unique<PrintServices>();
    auto held = std::make_shared<std::unique_ptr<QPrinter>>();
    services->printer = [held] { return defaultPrinter(held); };
    services->askSaveFileName = [&prompter](const SaveFileRequest &request) { return askWithDialog(prompter, request); };
    services->volumes = [] { return listVolumes(); };
    return services;
}
