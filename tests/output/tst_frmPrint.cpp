#include "ScratchCups.h"
#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "app/Settings.h"
#include "mainwin/CountLine.h"
#include "mainwin/frmMain.h"
#include "output/PrintJobGui.h"
#include "output/PrintLayout.h"
#include "app/UpDownWidget.h"
#include "output/frmPageSetup.h"
#include "output/frmComments.h"
#include "output/frmPrint.h"
#include "app/ContextHelpGui.h"
#include "app/HelpFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// The folder the printouts' pictures are kept in, for looking at them.
QString pictureFolder()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/tidyhall-print-pictures");
    QDir().mkpath(folder);
    return folder;
}

void click(QWidget *window, QWidget *control)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, control->rect().center()));
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Pages of a PDF as pdftotext -layout reads them, each line without trailing blanks.
QList<QStringList> pdfPages(const QString &pdf)
{
    QList<QStringList> pages;
    const QStringList raw = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                .split(QLatin1Char('\f'));
    for (const QString &page : raw) {
        QStringList lines;
        for (const QString &line : page.split(QLatin1Char('\n'))) {
            QString l = line;
            while (l.endsWith(QLatin1Char(' ')))
                l.chop(1);
            lines << l;
        }
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            pages << lines;
    }
    return pages;
}

PrintItemTexts listingItem(std::int64_t i)
{
    PrintItemTexts t;
    t.name = i % 3 == 0 ? QStringLiteral("Φάκελλος %1").arg(i) : QStringLiteral("έγγραφο-%1.txt").arg(i);
    t.folder = i % 3 == 0;
    t.size = t.folder ? QString() : QString::number(1000 * i);
    t.date = QStringLiteral("06/12/2026");
    t.time = QStringLiteral("20:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'));
    t.hidden = i % 5 == 0;
    t.archive = i % 2 == 0;
    return t;
}

} // namespace

class frmPrintTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScratchCups> m_cups;
    const QString m_queue = QStringLiteral("tidyhall-test");
    QString m_queueOutput; // the file each job of the queue is written to

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        PrintServices services;
        QList<SaveFileRequest> requests;
        QString answer; // what the save dialog answers
        std::unique_ptr<QPrinter> pdf;

        World()
        {
            BuildDataPaths(state, tree.root());
            state.LanguageGreek = false;
            state.PrintFontName = QStringLiteral("Courier New");
            state.CurrentPath = tree.folder(QStringLiteral("Reports")) + QLatin1Char('/');
            state.FoldersShown = state.FoldersFound = 15;
            state.FilesShown = state.FilesFound = 30;
            services.askSaveFileName = [this](const SaveFileRequest &r) {
                requests << r;
                return answer;
            };
            services.printer = [this] { return pdf.get(); };
        }
        QString printToPdf(const QString &name)
        {
            pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
            pdf->setOutputFormat(QPrinter::PdfFormat);
            pdf->setPageSize(QPageSize(QPageSize::A4));
            pdf->setOutputFileName(tree.path(name));
            return tree.path(name);
        }
        PrintListing listing(std::int64_t count) const { return PrintListing{count, listingItem}; }
    };

private Q_SLOTS:
    void initTestCase()
    {
        // Before anything in this process talks to CUPS.
        m_cups = std::make_unique<ScratchCups>();
        if (m_cups->isRunning())
            m_queueOutput = m_cups->addFileQueue(m_queue, true);
    }

    // The page-setup dialog shows the settings as start-up read them.
    void pageSetupOpens_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("nothing stored") << QByteArray() << false << false << QStringList{"8", "0", "0", "40"};
        QTest::newRow("out of range") << QByteArray("LinesPerPage=100\r\nFontSize=12\r\nTopMargin=3\r\n") << false
                                      << false << QStringList{"8", "3", "0", "40"};
        QTest::newRow("another font") << QByteArray("FontName=Arial\r\nLeftMargin=20\r\n") << false << false
                                      << QStringList{"8", "0", "20", "40"};
        QTest::newRow("English") << QByteArray("FontName=Courier New\r\nFontSize=9\r\n") << true << false
                                 << QStringList{"9", "0", "0", "40"};
        QTest::newRow("Greek") << QByteArray("FontName=Courier New Greek\r\nLinesPerPage=70\r\n") << false << true
                               << QStringList{"8", "0", "0", "70"};
    }
    void pageSetupOpens()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, english);
        QFETCH(bool, greek);
        QFETCH(QStringList, numbers);
        World w;
        w.tree.file("Tidyhall.ini", "[Printer]\r\n" + ini);
        ReadSettings(w.state);
        frmPageSetup dialog(w.state, w.prompter);
        QCOMPARE(dialog.chkCourierNew->isChecked(), english);
        QCOMPARE(dialog.chkCourierNewGreek->isChecked(), greek);
        QCOMPARE((QStringList{dialog.lblFontSize->text(), dialog.lblTopMargin->text(), dialog.lblLeftMargin->text(),
                              dialog.lblLinesPerPage->text()}),
                 numbers);
        QCOMPARE((QStringList{dialog.lblFontSizeMinMax->text(), dialog.lblTopMarginMinMax->text(),
                              dialog.lblLeftMarginMinMax->text(), dialog.lblLinesPerPageMinMax->text()}),
                 (QStringList{"8 - 9", "0 - 10", "0 - 20", "40 - 70"}));
        QCOMPARE(w.state.PrintFontName.isEmpty(), !english && !greek);
    }

    // Arrows step by one and stop at the ends; OK stores the values in order,
    // Cancel nothing.
    void pageSetupStores_data()
    {
        QTest::addColumn<QString>("font"); // the option clicked, or ""
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Greek, OK") << "chkCourierNewGreek" << true
                                   << "[Printer]\r\nTopMargin=1\r\nLeftMargin=0\r\nLinesPerPage=41\r\nFontName=Courier "
                                      "New Greek\r\nFontSize=9\r\n";
        QTest::newRow("no font, OK") << "" << true
                                     << "[Printer]\r\nTopMargin=1\r\nLeftMargin=0\r\nLinesPerPage=41\r\nFontName=\r\n"
                                        "FontSize=9\r\n";
        QTest::newRow("English, Cancel") << "chkCourierNew" << false << "";
    }
    void pageSetupStores()
    {
        QFETCH(QString, font);
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        World w;
        w.state.PrintFontName.clear();
        frmPageSetup dialog(w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int i = 0; i < 3; ++i)
            click(&dialog, dialog.updFontSize->up); // 8 → 9, then stays
        click(&dialog, dialog.updLinesPerPage->down); // stays at 40
        click(&dialog, dialog.updLinesPerPage->up);
        click(&dialog, dialog.updTopMargin->up);
        click(&dialog, dialog.updLeftMargin->down); // stays at 0
        QCOMPARE(dialog.lblFontSize->text(), QStringLiteral("9"));
        QCOMPARE(dialog.lblLinesPerPage->text(), QStringLiteral("41"));
        if (!font.isEmpty())
            click(&dialog, dialog.findChild<QRadioButton *>(font));
        click(&dialog, ok ? dialog.cmdOK : dialog.cmdCancel);
        QVERIFY(!dialog.isVisible());
        QFile ini(w.state.IniPath);
        ini.open(QIODevice::ReadOnly);
        QCOMPARE(QString::fromUtf8(ini.readAll()), stored);
        QCOMPARE(w.state.PrintFontSize, ok ? 9 : 8);
        QCOMPARE(w.state.PrintFontName, ok && !font.isEmpty() ? QStringLiteral("Courier New Greek") : QString());
    }

    // The listing on paper: every line, the page breaks and the header, in both page
    // languages, Greek names included, in Liberation Mono.
    void printsOnPaper_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<bool>("interfaceGreek");
        QTest::addColumn<QString>("firstLabel");
        QTest::newRow("English page") << "Courier New" << true << "Page 1 of 2";
        QTest::newRow("Greek page, English interface") << "Courier New Greek" << false << "Σελίδα 1 από 2";
    }
    void printsOnPaper()
    {
        QFETCH(QString, font);
        QFETCH(bool, interfaceGreek);
        QFETCH(QString, firstLabel);
        World w;
        w.state.PrintFontName = font;
        w.state.LanguageGreek = interfaceGreek;
        w.state.PrintTopMargin = 1;
        w.state.PrintLeftMargin = 4;
        w.state.PrintFontSize = 9;
        const QString pdf = w.printToPdf("listing.pdf");
        w.pdf->setPageOrientation(QPageLayout::Portrait);
        frmPrint dialog(w.state, w.prompter, w.services, w.listing(45));
        QCOMPARE(dialog.windowTitle(), interfaceGreek ? QStringLiteral("Εκτύπωση - Αριθμός σελίδων: 2.")
                                                      : QStringLiteral("Print - Number of pages: 2."));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        click(&dialog, dialog.cmdPrint);
        QVERIFY(!dialog.isVisible());
        QVERIFY2(w.prompter.prompts.isEmpty(), qPrintable(w.prompter.prompts.value(0).text));
        QCOMPARE(w.pdf->pageLayout().orientation(), QPageLayout::Portrait); // given back

        const bool pageGreek = font.endsWith("Greek");
        const QString picture = pictureFolder() + (pageGreek ? "/listing-greek" : "/listing-english");
        QFile::remove(picture + ".pdf");
        QFile::copy(pdf, picture + ".pdf");
        run("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", pdf, picture});
        const QList<QStringList> pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 2);
        for (int p = 0; p < 2; ++p) {
            // pdftotext leaves out the blank top lines and the margin every line shares.
            QStringList expected{HeaderLine(CountLine(w.state, pageGreek), PageLabel(p + 1, 2, pageGreek)),
                                 DashLine(), PrintableName(w.state.CurrentPath), DashLine()};
            for (int i = p * 40; i < std::min(45, p * 40 + 40); ++i)
                expected << ListingItemLine(listingItem(i));
            QCOMPARE(pages[p], expected);
        }
        QVERIFY(pages[0][0].endsWith(firstLabel));
        QVERIFY(run("pdffonts", {pdf}).contains("LiberationMono"));
    }

    // Print to file: the save dialog is asked as every printout asks it; cancelling it
    // leaves the dialog open and usable; a chosen file gets the whole listing.
    void printsToFile_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<bool>("greek");
        QTest::newRow("cancelled") << true << 40 << false;
        QTest::newRow("300 items at 40 a page") << false << 40 << true;
        QTest::newRow("300 items at 70 a page") << false << 70 << false;
    }
    void printsToFile()
    {
        QFETCH(bool, cancel);
        QFETCH(int, linesPerPage);
        QFETCH(bool, greek);
        World w;
        w.state.LanguageGreek = greek;
        w.state.PrintLinesPerPage = linesPerPage;
        w.state.PrintLeftMargin = 7;
        w.answer = cancel ? QString() : w.tree.path("Reports/listing.txt");
        frmPrint dialog(w.state, w.prompter, w.services, w.listing(300));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        click(&dialog, dialog.chkPrintToFile);
        QVERIFY(w.state.PrintToFile);
        click(&dialog, dialog.cmdPrint);
        QCOMPARE(w.requests.size(), 1);
        const SaveFileRequest &r = w.requests.first();
        QCOMPARE(r.title, greek ? QStringLiteral("Ορίστε το αρχείο για την εργασία 'Εκτύπωση σε αρχείο'")
                                : QStringLiteral("Define the file for the 'Print to file' process"));
        QCOMPARE(r.filter, greek ? QStringLiteral("Όλα τα αρχεία|*.*") : QStringLiteral("All files|*.*"));
        QCOMPARE(r.proposedName, QStringLiteral("Reports.txt"));
        QCOMPARE(r.folder, w.tree.path("Reports"));
        QCOMPARE(dialog.isVisible(), cancel);
        if (cancel) {
            QVERIFY(dialog.cmdPrint->isEnabled() && dialog.cmdCancel->isEnabled() && dialog.chkPrintToFile->isEnabled());
            click(&dialog, dialog.cmdCancel);
            QVERIFY(!dialog.isVisible());
        }
        QCOMPARE(readSetting(w.state.IniPath, "PrintToFile"), QStringLiteral("True"));
        if (cancel)
            return;
        QFile file(w.answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size() - 1, 304);
        QCOMPARE(lines[0], CountLine(w.state, false));
        QCOMPARE(lines[2], w.state.CurrentPath);
        for (int i = 0; i < 300; ++i)
            QCOMPARE(lines[4 + i], ListingItemLine(listingItem(i)));
    }

    // While the job runs the dialog shows its progress with its controls disabled.
    void showsProgress()
    {
        World w;
        w.state.PrintToFile = true;
        w.answer = w.tree.path("Reports/listing.txt");
        frmPrint *dialog = nullptr;
        QStringList seen;
        PrintListing listing{200, [&](std::int64_t i) {
                                 if (i == 100)
                                     seen << QString::number(dialog->prbProgressBar->value())
                                          << QString::number(dialog->lblPleaseWait->isVisible())
                                          << QString::number(dialog->prbProgressBar->isVisible())
                                          << QString::number(dialog->cmdPrint->isEnabled() || dialog->cmdCancel->isEnabled()
                                                             || dialog->chkPrintToFile->isEnabled())
                                          << dialog->lblPleaseWait->text();
                                 return listingItem(i);
                             }};
        frmPrint d(w.state, w.prompter, w.services, listing);
        dialog = &d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        click(&d, d.cmdPrint);
        QCOMPARE(seen, (QStringList{"50", "1", "1", "0", "   Please wait...   "}));
    }

    // Each failure is a clear message under the print job's code, and nothing is lost.
    void failures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("no default printer") << "no printer" << "No default printer is set.";
        QTest::newRow("target is a folder") << "folder" << "is a folder. Choose a file name.";
    }
    void failures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        World w;
        w.state.PrintToFile = kind != "no printer";
        w.answer = w.tree.folder("Reports/a folder");
        frmPrint dialog(w.state, w.prompter, w.services, w.listing(10));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        click(&dialog, dialog.cmdPrint);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY2(w.prompter.last().text.contains(message), qPrintable(w.prompter.last().text));
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 064.")));
        QVERIFY(!dialog.isVisible());
        QVERIFY(QDir(w.answer).exists());
    }

    // Through a real scheduler: the job reaches the queue's file; a queue that rejects
    // jobs is reported with the scheduler's reason.
    void printsThroughCups()
    {
        if (!m_cups->isRunning() || m_queueOutput.isEmpty())
            QSKIP(qPrintable("no scratch CUPS scheduler: " + m_cups->failure()));
        World w;
        auto system = PrintServices::system(w.prompter);
        w.services.printer = system->printer;
        QPrinter *printer = w.services.printer();
        QVERIFY(printer);
        QCOMPARE(printer->printerName(), m_queue);
        {
            frmPrint dialog(w.state, w.prompter, w.services, w.listing(45));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            click(&dialog, dialog.cmdPrint);
        }
        QVERIFY2(w.prompter.prompts.isEmpty(), qPrintable(w.prompter.prompts.value(0).text));
        QVERIFY2(m_cups->waitForJobs(m_queue), m_cups->errorLog().constData());
        const QList<QStringList> pages = pdfPages(m_queueOutput);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[1][0].endsWith(QStringLiteral("Page 2 of 2")));
        int exitCode = -1;
        m_cups->client("cupsreject", {"-r", "out of paper", m_queue}, &exitCode);
        QCOMPARE(exitCode, 0);
        {
            frmPrint dialog(w.state, w.prompter, w.services, w.listing(5));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            click(&dialog, dialog.cmdPrint);
        }
        m_cups->client("cupsaccept", {m_queue});
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY2(w.prompter.last().text.contains("did not accept the job"), qPrintable(w.prompter.last().text));
    }

    // The main window: the print button needs a font, an empty folder has nothing to
    // print, and a listing is printed in the order shown.
    void mainWindowPrints()
    {
        TempTree tree;
        tree.folder("empty");
        tree.file("listed/b.txt", "bb");
        tree.file("listed/a.txt", "a");
        tree.folder("listed/Φάκελλος");
        StartFolder data("[General]\r\nLanguage=1\r\nPrintToFile=True\r\nStartingPoint=" + QFile::encodeName(tree.path("listed"))
                         + "\r\n[Printer]\r\nFontName=Courier New\r\n");
        AppState state;
        ScriptedPrompter prompter;
        frmMain window(state, prompter);
        QVERIFY(window.load());
        window.show();
        QVERIFY(window.cmdPrint->isEnabled() && window.cmdPageSetup->isEnabled());
        QVERIFY(window.menuEntry("mnuOptionsComments")->isEnabled());
        QStringList requested;
        window.printServices().askSaveFileName = [&](const SaveFileRequest &r) {
            requested << r.proposedName;
            return tree.path("printout.txt");
        };
        QTimer::singleShot(0, [] {
            if (auto *dialog = qobject_cast<frmPrint *>(QApplication::activeModalWidget()))
                dialog->cmdPrint->click();
        });
        click(&window, window.cmdPrint);
        QCOMPARE(requested, QStringList{"listed.txt"});
        QStringList expected;
        const QAbstractItemModel *m = window.lvwInfo->model();
        for (int r = 0; r < m->rowCount(); ++r)
            expected << m->index(r, 0).data().toString();
        const QStringList lines = QString::fromUtf8(tree.read("printout.txt")).split("\r\n");
        QCOMPARE(lines.size(), 3 + 4 + 1);
        for (int r = 0; r < 3; ++r)
            QVERIFY2(lines[4 + r].endsWith(" | " + expected[r]), qPrintable(lines[4 + r]));

        window.GoToFolder(tree.path("empty"));
        click(&window, window.cmdPrint);
        QCOMPARE(prompter.last().text, "Item '" + state.CurrentPath + "', contains neither files nor folders. "
                                       "Therefore, there is nothing to print.");
        QCOMPARE(prompter.last().title, QStringLiteral("Print"));
    }

    // Every control of the three windows has its topic in both help files.
    void everyControlHasHelp()
    {
        World w;
        w.services.volumes = [] { return QList<Volume>{}; };
        frmPageSetup setup(w.state, w.prompter);
        frmPrint print(w.state, w.prompter, w.services, w.listing(1));
        frmComments comments(w.state, w.prompter, w.services, QString());
        QStringList missing;
        int topics = 0;
        for (const char *name : {"TidyhallGr.hlp", "TidyhallUk.hlp"}) {
            QFile f(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + "/resources/help/" + name);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const HelpFile help = HelpFile::parse(QString::fromUtf8(f.readAll()));
            for (QWidget *window : {static_cast<QWidget *>(&setup), static_cast<QWidget *>(&print),
                                    static_cast<QWidget *>(&comments)})
                for (QWidget *control : window->findChildren<QWidget *>()) {
                    const QString topic = ContextHelp::topicOf(control);
                    if (control->objectName().isEmpty() || control->objectName().startsWith("qt_"))
                        continue;
                    ++topics;
                    if (topic.isEmpty() || help.topic(topic).isEmpty())
                        missing << QString::fromLatin1(name) + ": " + control->objectName() + " " + topic;
                }
        }
        // Only the hidden loader and the progress shown while printing go without one.
        missing.removeIf([](const QString &m) {
            return m.contains("cmdEdit") || m.contains("lblPleaseWait") || m.contains("prbProgressBar")
                   || m.contains("Animation1");
        });
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
        QVERIFY(topics > 60);
    }

private:
    static QString readSetting(const QString &ini, const char *key)
    {
        QFile f(ini);
        f.open(QIODevice::ReadOnly);
        for (const QString &line : QString::fromUtf8(f.readAll()).split("\r\n"))
            if (line.startsWith(QLatin1String(key) + '='))
                return line.section('=', 1);
        return QString();
    }
};

TIDYHALL_GUI_TEST_MAIN(frmPrintTest)
#include "tst_frmPrint.moc"
