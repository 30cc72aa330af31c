// Speed and memory of printing the listing of a folder of 100,000 files and 1,000
// sub-folders: to a text file beside `ls -l > file` on the same folder, runs taken in
// turn, and to a PDF through the printer code, whose peak memory shows that pages go
// out one by one.
//
//   bench_print [--dir PARENT] [--runs N]      build the folder (or reuse it) and measure
//   bench_print --once KIND FOLDER OUT REPORT  list once, print KIND (text|pdf) to OUT, exit
#include "BenchFigures.h"
#include "app/AppState.h"
#include "mainwin/CountLine.h"
#include "mainwin/ListingModel.h"
#include "output/PrintJobGui.h"
#include "output/PrintLayout.h"
#include "output/PrintTextFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int FileCount = 100000;
constexpr int FolderCount = 1000;

void buildFolder(const QString &folder)
{
    QDir().mkpath(folder);
    QRandomGenerator random(101000);
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzαβγδεζηθικλμνξοπρστυφχψω0123456789 -_.");
    int made = 0;
    while (made < FileCount + FolderCount) {
        QString name;
        const int length = 5 + int(random.bounded(56));
        for (int i = 0; i < length; ++i)
            name += letters[int(random.bounded(int(letters.size())))];
        name = name.trimmed();
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name + QString::number(made));
        const bool isFolder = made % 101 == 100;
        const int fd = isFolder ? ::mkdir(path.constData(), 0755) : ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 && !isFolder)
            continue;
        if (!isFolder) {
            (void)::ftruncate(fd, off_t(random.bounded(20'000'000)));
            ::close(fd);
        }
        ++made;
    }
    QFile marker(folder + QStringLiteral(".complete"));
    marker.open(QIODevice::WriteOnly);
}

struct Listing
{
    AppState state;
    ListingModel model;
    explicit Listing(const QString &folder)
    {
        state.CurrentPath = folder + QLatin1Char('/');
        state.PrintFontName = QStringLiteral("Courier New Greek");
        state.PrintLinesPerPage = 70;
        state.PrintLeftMargin = 20;
        state.PrintFontSize = 9;
        model.enumerate(state, folder, QStringLiteral("*.*"));
        model.display(state);
    }
    PrintItemTexts item(std::int64_t i) const
    {
        const int row = int(i);
        const ListedItem &entry = model.item(row);
        PrintItemTexts t;
        t.name = entry.name;
        t.size = model.data(model.index(row, 1)).toString();
        t.date = model.data(model.index(row, 2)).toString();
        t.time = model.data(model.index(row, 3)).toString();
        t.folder = entry.isFolder;
        t.hidden = entry.hidden;
        t.system = entry.system;
        t.readOnly = entry.readOnly;
        t.archive = entry.archive;
        return t;
    }
    PrintFrame frame(bool toFile) const
    {
        return PrintFrame{CountLine(state, true), state.CurrentPath, true, state.PrintTopMargin, state.PrintLeftMargin,
                          state.PrintLinesPerPage, toFile};
    }
    void printText(const QString &out) const
    {
        PrintTextFile file(out, false);
        WritePrintout(frame(true), model.rowCount(), [this](std::int64_t i) { return ListingItemLine(item(i)); }, file);
        file.commit();
    }
    void printPdf(const QString &out) const
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        PrinterPages pages(printer, state.PrintFontSize, state.PrintLeftMargin + PrintLineWidth,
                           state.PrintTopMargin + 4 + state.PrintLinesPerPage, QStringLiteral("bench"), false);
        WritePrintout(frame(false), model.rowCount(), [this](std::int64_t i) { return ListingItemLine(item(i)); },
                      pages);
        pages.finish(false);
    }
};

int once(int argc, char **argv, const QString &kind, const QString &folder, const QString &out, const QString &report)
{
    QApplication app(argc, argv);
    const Listing listing(folder);
    const long listed = peakKiB();
    QElapsedTimer timer;
    timer.start();
    if (kind == QLatin1String("pdf"))
        listing.printPdf(out);
    else
        listing.printText(out);
    QFile file(report);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray::number(qlonglong(listed)) + ' ' + QByteArray::number(qlonglong(peakKiB())) + ' '
                   + QByteArray::number(milliseconds(timer)));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QString parent = QStringLiteral("/var/tmp");
    int runs = 7;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--once" && i + 4 < argc)
            return once(argc, argv, QFile::decodeName(argv[i + 1]), QFile::decodeName(argv[i + 2]),
                        QFile::decodeName(argv[i + 3]), QFile::decodeName(argv[i + 4]));
        if (arg == "--dir" && i + 1 < argc)
            parent = QFile::decodeName(argv[++i]);
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, QByteArray(argv[++i]).toInt());
    }
    const QString folder = parent + QStringLiteral("/tidyhall-bench-print");
    if (!QFile::exists(folder + QStringLiteral(".complete"))) {
        std::printf("building %s (%d files, %d folders)...\n", qPrintable(folder), FileCount, FolderCount);
        std::fflush(stdout);
        QDir(folder).removeRecursively();
        buildFolder(folder);
    }

    QApplication app(argc, argv);
    const QTemporaryDir scratch;
    const QString text = scratch.filePath(QStringLiteral("listing.txt"));
    const QString lsOut = scratch.filePath(QStringLiteral("ls.txt"));
    const QString pdf = scratch.filePath(QStringLiteral("listing.pdf"));
    std::printf("folder %s, %d runs each, medians\n", qPrintable(folder), runs);

    // In process, from a listing already on the screen: what "Print" does.
    const Listing listing(folder);
    std::vector<double> ours;
    std::vector<double> ls;
    runProcess({"ls", "-l", folder.toStdString()}, "/dev/null"); // warm the caches alike
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        listing.printText(text);
        ours.push_back(milliseconds(timer));
        ls.push_back(runProcess({"ls", "-l", folder.toStdString()}, lsOut.toLocal8Bit().constData()));
    }
    std::printf("entries: %d; text file %lld bytes, ls -l output %lld bytes\n", listing.model.rowCount(),
                (long long)QFileInfo(text).size(), (long long)QFileInfo(lsOut).size());
    std::printf("(a) listing to a text file, in process:        %8.1f ms\n", median(ours));
    std::printf("    ls -l > file:                              %8.1f ms\n", median(ls));
    std::printf("    ratio (a) / ls -l:                         %8.2f  (goal at most 1.5)\n", median(ours) / median(ls));

    // Whole processes: list the folder, print, exit.
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    const std::string report = scratch.filePath(QStringLiteral("report")).toStdString();
    const auto readReport = [&] {
        QFile f(QString::fromStdString(report));
        f.open(QIODevice::ReadOnly);
        return QString::fromLatin1(f.readAll()).split(QLatin1Char(' '));
    };
    std::vector<double> textProcess;
    std::vector<double> lsAgain;
    QStringList textReport;
    for (int r = 0; r < runs; ++r) {
        textProcess.push_back(runProcess({self, "--once", "text", folder.toStdString(), text.toStdString(), report},
                                         "/dev/null"));
        textReport = readReport();
        lsAgain.push_back(runProcess({"ls", "-l", folder.toStdString()}, lsOut.toLocal8Bit().constData()));
    }
    std::printf("(b) whole process: list, write text file, exit: %7.1f ms, peak %.1f MiB (listing alone %.1f MiB)\n",
                median(textProcess), textReport.value(1).toDouble() / 1024, textReport.value(0).toDouble() / 1024);
    std::printf("    ls -l > file:                              %8.1f ms, ratio %.2f\n", median(lsAgain),
                median(textProcess) / median(lsAgain));

    const int pdfRuns = std::max(1, runs / 3);
    std::vector<double> pdfTimes;
    QStringList pdfReport;
    for (int r = 0; r < pdfRuns; ++r) {
        runProcess({self, "--once", "pdf", folder.toStdString(), pdf.toStdString(), report}, "/dev/null");
        pdfReport = readReport();
        pdfTimes.push_back(pdfReport.value(2).toDouble());
    }
    const qint64 pages = PageCount(listing.model.rowCount(), listing.state.PrintLinesPerPage);
    std::printf("(c) listing to a PDF (%lld pages, %lld bytes):  %8.1f ms\n", (long long)pages,
                (long long)QFileInfo(pdf).size(), median(pdfTimes));
    std::printf("    peak memory of that process:               %8.1f MiB (goal below 150), listing alone %.1f MiB\n",
                pdfReport.value(1).toDouble() / 1024, pdfReport.value(0).toDouble() / 1024);
    return 0;
}
