#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "output/CommentsFile.h"
#include "output/PrintJobGui.h"
#include "output/PrintLayout.h"
#include "output/frmComments.h"
#include "output/frmPageSetup.h"
#include "output/frmPrint.h"
#include "platform/ExactName.h"
#include "platform/LegacyText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

void click(QWidget *window, QWidget *control)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, control->rect().center()));
}

void type(QWidget *window, const QByteArray &text)
{
    for (const char c : text)
        QTest::keyClick(window->windowHandle(), c);
}

QColor colourOf(QTableWidget *grid, int row, int column)
{
    return grid->item(row, column)->background().color();
}

const QColor Folder(224, 224, 224);
const QColor File(192, 255, 192);
const QColor Empty(0, 0, 255);

} // namespace

class frmCommentsTest : public QObject
{
    Q_OBJECT

    // Two volumes (folders standing in for mount points) and a data folder.
    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        PrintServices services;
        QString answer;
        std::unique_ptr<QPrinter> pdf;

        World()
        {
            BuildDataPaths(state, tree.folder("data"));
            state.LanguageGreek = false;
            state.PrintFontName = QStringLiteral("Courier New");
            state.CurrentPath = tree.folder("vol/Projects") + '/';
            tree.file("vol/readme.txt", "abc");
            tree.file("vol/Zeta", "");
            tree.file("vol2/other", "x");
            services.volumes = [this] {
                return QList<Volume>{volume("vol"), volume("vol2")};
            };
            services.askSaveFileName = [this](const SaveFileRequest &r) {
                proposed = r.proposedName;
                return answer;
            };
            services.printer = [this] { return pdf.get(); };
        }
        Volume volume(const QString &name) const
        {
            Volume v;
            v.mountPoint = tree.path(name);
            return v;
        }
        QString commentsFile(const QString &name) const { return CommentsFileFor(state, volumeKey(volume(name))); }
        QByteArray commentsBytes(const QString &name) const
        {
            QFile f(commentsFile(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
        }
        void writeComments(const QString &name, const QByteArray &bytes) const
        {
            QFile f(commentsFile(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        std::unique_ptr<frmComments> open()
        {
            auto dialog = std::make_unique<frmComments>(state, prompter, services, tree.path("vol"));
            dialog->show();
            if (!QTest::qWaitForWindowExposed(dialog.get()))
                qFatal("the comments dialog did not show");
            return dialog;
        }
        QString proposed;
    };

    static void clickRow(frmComments &d, int row)
    {
        const QRect cell = d.grdComments->visualRect(d.grdComments->model()->index(row, 0));
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, d.grdComments->viewport()->mapTo(&d, cell.center()));
    }
    static QStringList column(frmComments &d, int c)
    {
        QStringList texts;
        for (int r = 0; r < d.grdComments->rowCount(); ++r)
            texts << d.grdComments->item(r, c)->text();
        return texts;
    }
    static QByteArray line(const QByteArray &name, const QByteArray &comment)
    {
        return name.leftJustified(300, ' ') + comment.leftJustified(100, ' ') + "\r\n";
    }

private Q_SLOTS:
    // Without a comments file: every item shown, sorted, coloured, and the message.
    void opensWithoutComments()
    {
        World w;
        w.state.LanguageGreek = true;
        auto d = w.open();
        QCOMPARE(d->windowTitle(), QStringLiteral("Σχόλια"));
        QCOMPARE(column(*d, 0), (QStringList{"Projects", "Zeta", "readme.txt"}));
        QCOMPARE(column(*d, 1), (QStringList{"+", " ", " "}));
        QCOMPARE(d->grdComments->horizontalHeaderItem(0)->text(), QStringLiteral("Όνομα στοιχείου"));
        QCOMPARE(d->grdComments->horizontalHeaderItem(2)->text(), QStringLiteral("Σχόλιο"));
        QCOMPARE(colourOf(d->grdComments, 0, 0), Folder);
        QCOMPARE(colourOf(d->grdComments, 1, 1), File);
        QCOMPARE(colourOf(d->grdComments, 1, 2), Empty);
        QCOMPARE(d->lblObjectNames->text(),
                 QStringLiteral("Φάκελλοι: 1. Αρχεία: 2. Μέγεθος αρχείων σε χαρακτήρες: 3."));
        QCOMPARE(w.prompter.prompts.size(), 1);
        QCOMPARE(w.prompter.last().text, QStringLiteral("Υπάρχουν στοιχεία στα οποία δεν έχουν επισυναφθεί σχόλια."));
        QCOMPARE((QStringList{d->cmdSave->text(), d->cmdPrint->text(), d->chkPrintToFile->text()}),
                 (QStringList{"Αποθήκευση σχολίων", "Εκτύπωση σχολίων", "Εκτύπωση σε αρχείο"}));
    }

    // A click opens the box over the comment; Enter commits, Escape does not; the box
    // takes no more than 100 characters.
    void editing_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<int>("endKey");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<bool>("modified");
        QTest::newRow("Enter commits") << QByteArray("notes") << int(Qt::Key_Return) << "notes" << true;
        QTest::newRow("Escape leaves it") << QByteArray("notes") << int(Qt::Key_Escape) << "old" << false;
        QTest::newRow("Enter unchanged still modifies") << QByteArray() << int(Qt::Key_Enter) << "old" << true;
        QTest::newRow("101st character refused") << QByteArray(101, 'c') << int(Qt::Key_Return) << QString(100, 'c')
                                                 << true;
    }
    void editing()
    {
        QFETCH(QByteArray, typed);
        QFETCH(int, endKey);
        QFETCH(QString, comment);
        QFETCH(bool, modified);
        World w;
        w.writeComments("vol", line("Projects", "p") + line("Zeta", "old") + line("readme.txt", "r"));
        auto d = w.open();
        QVERIFY(w.prompter.prompts.isEmpty());
        clickRow(*d, 1);
        QVERIFY(d->txtComments->isVisible());
        QCOMPARE(d->txtComments->text(), QStringLiteral("old"));
        QVERIFY(!d->cmdSave->isEnabled() && !d->cmdOK->isEnabled() && !d->drvTargetDisk->isEnabled());
        if (!typed.isEmpty())
            QTest::keyClick(d->windowHandle(), Qt::Key_End);
        if (typed.size() > 100)
            d->txtComments->clear();
        type(d.get(), typed);
        QTest::keyClick(d->windowHandle(), Qt::Key(endKey));
        QVERIFY(!d->txtComments->isVisible());
        QVERIFY(d->isVisible());
        QVERIFY(d->cmdSave->isEnabled() && d->cmdOK->isEnabled() && d->drvTargetDisk->isEnabled());
        const QString expected = endKey == Qt::Key_Escape || typed.size() > 100 ? comment : "old" + typed;
        QCOMPARE(d->grdComments->item(1, 2)->text(), typed.size() > 100 ? comment : expected);
        QCOMPARE(d->modified(), modified);
        QCOMPARE(colourOf(d->grdComments, 1, 2), File);
    }

    // Saving writes one 400-character line per item; opening again reads them back,
    // an exact name before one that differs in case.
    void savesAndReadsBack()
    {
        World w;
        w.writeComments("vol", line("README.TXT", "from Windows") + line("zeta", "lower") + line("Zeta", "exact"));
        auto d = w.open();
        QCOMPARE(column(*d, 2), (QStringList{"", "exact", "from Windows"}));
        clickRow(*d, 0);
        type(d.get(), "code");
        QTest::keyClick(d->windowHandle(), Qt::Key_Return);
        QCOMPARE(colourOf(d->grdComments, 0, 2), Folder);
        click(d.get(), d->cmdSave);
        QVERIFY(!d->modified());
        QCOMPARE(w.commentsBytes("vol"), line("Projects", "code") + line("Zeta", "exact") + line("readme.txt", "from Windows"));
        d.reset();
        auto again = w.open();
        QCOMPARE(column(*again, 2), (QStringList{"code", "exact", "from Windows"}));
    }

    // Changing the volume or closing after an edit asks first.
    void asksBeforeLeaving_data()
    {
        QTest::addColumn<bool>("close");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("stillOpen");
        QTest::newRow("volume change, Yes") << false << int(PromptButton::Yes) << true << true;
        QTest::newRow("volume change, No") << false << int(PromptButton::No) << false << true;
        QTest::newRow("close, Yes") << true << int(PromptButton::Yes) << true << false;
        QTest::newRow("close, No") << true << int(PromptButton::No) << false << false;
        QTest::newRow("close, Cancel") << true << int(PromptButton::Cancel) << false << true;
    }
    void asksBeforeLeaving()
    {
        QFETCH(bool, close);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(bool, stillOpen);
        World w;
        w.writeComments("vol", line("Projects", "p") + line("Zeta", "z") + line("readme.txt", "r"));
        const QByteArray before = w.commentsBytes("vol");
        auto d = w.open();
        clickRow(*d, 2);
        type(d.get(), "!");
        QTest::keyClick(d->windowHandle(), Qt::Key_Return);
        w.prompter.answer(PromptButton(answer));
        w.prompter.answer(PromptButton::Ok); // vol2's items have no comments
        if (close) {
            click(d.get(), d->cmdOK);
        } else {
            d->drvTargetDisk->setFocus();
            QTest::keyClick(d->windowHandle(), Qt::Key_Down);
            QCOMPARE(d->commentsVolume(), w.tree.path("vol2"));
        }
        QCOMPARE(w.prompter.prompts.first().text,
                 "You have modified the comments of drive '" + w.tree.path("vol") + "'. Do you want to save these modifications?");
        QCOMPARE(w.prompter.prompts.first().title, QStringLiteral("Save comments"));
        QCOMPARE(w.prompter.prompts.first().buttons.size(), close ? 3 : 2);
        QCOMPARE(w.commentsBytes("vol") != before, saved);
        QCOMPARE(d->isVisible(), stillOpen);
        QCOMPARE(d->modified(), close && answer != int(PromptButton::Yes));
    }

    // Awkward comments files and volumes: a clear message each, nothing overwritten.
    void awkwardFiles()
    {
        World w;
        // A comments file that cannot be read is never replaced.
        QDir().mkpath(w.commentsFile("vol"));
        auto d = w.open();
        QCOMPARE(w.prompter.prompts.size(), 2);
        QVERIFY2(w.prompter.prompts.first().text.contains("could not be read"), qPrintable(w.prompter.prompts.first().text));
        click(d.get(), d->cmdSave);
        QCOMPARE(w.prompter.prompts.size(), 3);
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 099.")));
        QVERIFY(QFileInfo(w.commentsFile("vol")).isDir());
        d.reset();
        QDir(w.commentsFile("vol")).removeRecursively();

        // A save the older program left half-way: its ".bak" is read; a Windows file too.
        QFile bak(w.commentsFile("vol").chopped(4) + ".bak");
        QVERIFY(bak.open(QIODevice::WriteOnly));
        bak.write(line("Projects", encodeWindows1253("Έργα")) + line("Zeta", "z") + line("readme.txt", "r"));
        bak.close();
        w.prompter.prompts.clear();
        d = w.open();
        QCOMPARE(column(*d, 2), (QStringList{"Έργα", "z", "r"}));
        QVERIFY(w.prompter.prompts.isEmpty());

        // A volume that went away is reported when it is loaded.
        QDir(w.tree.path("vol2")).removeRecursively();
        w.prompter.answer(PromptButton::Ok);
        d->drvTargetDisk->setCurrentIndex(1);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 096.")));
        QVERIFY(w.prompter.last().text.contains("vol2"));
        QVERIFY(d->grdComments->isVisible() && d->lblObjectNames->text().isEmpty() && d->isEnabled());
    }

    // A name with a line break is shown with a mark and kept out of the file.
    void nameWithLineBreak()
    {
        World w;
        w.tree.file("vol/two\nlines", "");
        auto d = w.open();
        QCOMPARE(column(*d, 0).value(3), QStringLiteral("two¶lines"));
        click(d.get(), d->cmdSave);
        QVERIFY(w.prompter.last().text.contains("two¶lines"));
        QCOMPARE(w.commentsBytes("vol").count("\r\n"), 3);
    }

    // Printing: the counts line, the volume, and one line per row, on paper and to a file.
    void prints_data()
    {
        QTest::addColumn<bool>("toFile");
        QTest::addColumn<QString>("font");
        QTest::newRow("text file") << true << "Courier New";
        QTest::newRow("Greek page") << false << "Courier New Greek";
    }
    void prints()
    {
        QFETCH(bool, toFile);
        QFETCH(QString, font);
        World w;
        w.state.PrintFontName = font;
        w.state.PrintToFile = toFile;
        w.writeComments("vol", line("Projects", "Archive") + line("Zeta", "z") + line("readme.txt", "r"));
        w.answer = w.tree.path("out.txt");
        w.pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        w.pdf->setOutputFormat(QPrinter::PdfFormat);
        w.pdf->setOutputFileName(w.tree.path("out.pdf"));
        auto d = w.open();
        click(d.get(), d->cmdPrint);
        QVERIFY2(w.prompter.prompts.isEmpty(), qPrintable(w.prompter.prompts.value(0).text));
        QVERIFY(d->isVisible() && d->isEnabled());
        const bool greek = font.endsWith("Greek");
        QStringList expected{CommentsCountLine(1, 2, 3, greek), DashLine(), w.tree.path("vol"), DashLine(),
                             CommentsItemLine("Projects", true, "Archive"), CommentsItemLine("Zeta", false, "z"),
                             CommentsItemLine("readme.txt", false, "r")};
        if (toFile) {
            QCOMPARE(w.proposed, QStringLiteral("Comments-Projects.txt"));
            QCOMPARE(QString::fromUtf8(w.tree.read("out.txt")), expected.join("\r\n") + "\r\n");
            return;
        }
        QProcess p;
        p.start("pdftotext", {"-layout", w.tree.path("out.pdf"), "-"});
        QVERIFY(p.waitForFinished());
        QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        for (QString &l : lines)
            while (l.endsWith(' '))
                l.chop(1);
        expected[0] = HeaderLine(expected[0], PageLabel(1, 1, true));
        // pdftotext drops the indentation all lines share: the comment lines' padding.
        QCOMPARE(lines.mid(0, 4), expected.mid(0, 4));
        QCOMPARE(lines[4].trimmed(), expected[4].trimmed());
        QVERIFY(lines[4].endsWith("Projects + Archive"));
    }

    // Pictures of the three windows in both languages, for looking at them; only when
    // $TIDYHALL_PICTURES names a folder.
    void pictures_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::newRow("Greek") << true;
        QTest::newRow("English") << false;
    }
    void pictures()
    {
        QFETCH(bool, greek);
        const QString folder = qEnvironmentVariable("TIDYHALL_PICTURES");
        if (folder.isEmpty())
            QSKIP("set TIDYHALL_PICTURES to a folder to get the pictures");
        World w;
        w.state.LanguageGreek = greek;
        w.state.PrintTopMargin = 2;
        w.state.PrintLinesPerPage = 55;
        w.writeComments("vol", line("Projects", greek ? QByteArray("Τα έργα του γραφείου") : QByteArray("Office projects"))
                                   + line("readme.txt", "README"));
        const QString suffix = greek ? "-greek.png" : "-english.png";
        w.prompter.answer(PromptButton::Ok);
        auto comments = w.open();
        clickRow(*comments, 2);
        QVERIFY(comments->grab().save(folder + "/frmComments" + suffix));
        frmPageSetup setup(w.state, w.prompter);
        setup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setup));
        QVERIFY(setup.grab().save(folder + "/frmPageSetup" + suffix));
        frmPrint *running = nullptr;
        const auto item = [&](std::int64_t i) {
            if (i == 120)
                running->grab().save(folder + "/frmPrint-running" + suffix);
            PrintItemTexts t;
            t.name = QString::number(i);
            return t;
        };
        frmPrint print(w.state, w.prompter, w.services, PrintListing{300, item});
        running = &print;
        print.show();
        QVERIFY(QTest::qWaitForWindowExposed(&print));
        QVERIFY(print.grab().save(folder + "/frmPrint" + suffix));
        w.state.PrintToFile = true;
        w.answer = w.tree.path("printout.txt");
        print.cmdPrint->click();
        QVERIFY(QFile::exists(folder + "/frmPrint-running" + suffix));
    }
};

TIDYHALL_GUI_TEST_MAIN(frmCommentsTest)
#include "tst_frmComments.moc"
