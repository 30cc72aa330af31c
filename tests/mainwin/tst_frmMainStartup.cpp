#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

const QString NewLine = QStringLiteral("\r\n");

QString noInitialPathText()
{
    return QStringLiteral("Δεν έχει ορισθεί κάποια αρχική διαδρομή και έτσι, ως αρχική διαδρομή, θα "
                          "χρησιμοποιηθεί η διαδρομή «/».")
           + NewLine + NewLine
           + QStringLiteral("'/' will be used as the default initial path, since an initial path has not been set.");
}

QString initialPathNotFoundText(const QString &path)
{
    return QStringLiteral("Η διαδρομή «") + path
           + QStringLiteral("» που έχει ορισθεί ως αρχική, δεν μπόρεσε να εντοπισθεί στον υπολογιστή σας. Αντί "
                            "αυτής, θα χρησιμοποιηθεί η διαδρομή «/».")
           + NewLine + NewLine + QStringLiteral("'") + path
           + QStringLiteral("' has been set as the initial path of the application, but could not be located on "
                            "your computer. '/' will be used instead.");
}

QByteArray iniStartingAt(const QString &folder, const QByteArray &more = {})
{
    return "[General]\r\nLanguage=0\r\nStartingPoint=" + folder.toUtf8() + "\r\n" + more;
}

QString headerText(const frmMain &w, int column)
{
    return w.lvwInfo->model()->headerData(column, Qt::Horizontal).toString();
}

// The view column whose caption carries the sort sign, with the sign.
QString sortedHeader(const frmMain &w)
{
    for (int c = 0; c < w.lvwInfo->model()->columnCount(); ++c) {
        const QString text = headerText(w, c);
        if (text.size() > 1 && (text.endsWith(QLatin1Char('+')) || text.endsWith(QLatin1Char('-'))))
            return text;
    }
    return {};
}

QStringList shownNames(const frmMain &w)
{
    QStringList names;
    const QAbstractItemModel *model = w.lvwInfo->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

} // namespace

class frmMainStartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutSettingsStartsWithTheDefaultsAtTheTop_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("missing file") << false;
        QTest::newRow("empty file") << true;
    }
    void withoutSettingsStartsWithTheDefaultsAtTheTop()
    {
        QFETCH(bool, fileExists);
        StartFolder data;
        if (fileExists)
            data.writeFile(QStringLiteral("Tidyhall.ini"), {});
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());

        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(prompter.last().title, QStringLiteral("Tidyhall / Tidyhall"));
        QCOMPARE(prompter.last().icon, PromptIcon::Information);
        QCOMPARE(prompter.last().text, noInitialPathText());
        QCOMPARE(w.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(state.CurrentPath, QStringLiteral("/"));
        QVERIFY(w.lvwInfo->model()->rowCount() > 0);

        // The defaults, as the window shows them: Greek, every filter open, no order,
        // sorted by name ascending, printing off for want of a font.
        QCOMPARE(w.windowTitle(), QStringLiteral("Tidyhall"));
        QCOMPARE(w.chkAppearance[0]->text(), QStringLiteral("Φακέλλων"));
        for (QCheckBox *box : w.chkFileProperties)
            QVERIFY(box->isChecked());
        for (QCheckBox *box : w.chkAppearance)
            QVERIFY(box->isChecked() && box->isEnabled());
        QVERIFY(w.optAppearance[0]->isChecked());
        QVERIFY(w.fraOrderOfAppearance->isEnabled());
        QCOMPARE(w.cmdPropertyRestrictions->text(), QStringLiteral("+"));
        QCOMPARE(sortedHeader(w), QStringLiteral("Όνομα +"));
        QCOMPARE(w.txtFileType->text(), QStringLiteral("*.*"));
        QVERIFY(!w.cmdPrint->isEnabled());
        QCOMPARE(data.value("General", "StartingPoint"), QStringLiteral("<missing>"));
    }

    void anUnusableInitialPathIsNamedAndTheTopListed_data()
    {
        QTest::addColumn<QString>("initial");
        static TempTree tree;
        tree.file(QStringLiteral("report.txt"), "x");
        QTest::newRow("vanished folder") << tree.path(QStringLiteral("gone"));
        QTest::newRow("a file") << tree.path(QStringLiteral("report.txt"));
        QTest::newRow("relative name") << QStringLiteral("no-such-folder");
        QTest::newRow("Greek name") << tree.path(QStringLiteral("Έγγραφα"));
    }
    void anUnusableInitialPathIsNamedAndTheTopListed()
    {
        QFETCH(QString, initial);
        StartFolder data(iniStartingAt(initial));
        const QByteArray before = data.iniBytes();
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());

        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(prompter.last().text, initialPathNotFoundText(initial));
        QCOMPARE(prompter.last().icon, PromptIcon::Information);
        QCOMPARE(w.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(state.CurrentPath, QStringLiteral("/"));
        QCOMPARE(data.iniBytes(), before);
    }

    // A second copy says so in both languages and ends before anything else happens:
    // no listing, no settings written, the first copy untouched.
    void aSecondCopyShowsOnlyTheDuplicateMessage_data()
    {
        QTest::addColumn<bool>("firstIsAWindow");
        QTest::newRow("lock held by another process") << false;
        QTest::newRow("first window running") << true;
    }
    void aSecondCopyShowsOnlyTheDuplicateMessage()
    {
        QFETCH(bool, firstIsAWindow);
        TempTree tree;
        StartFolder data;
        AppState firstState;
        ScriptedPrompter firstPrompter;
        std::unique_ptr<frmMain> first;
        QLockFile held(data.path() + QStringLiteral("/Tidyhall.lock"));
        if (firstIsAWindow) {
            data.writeFile(QStringLiteral("Tidyhall.ini"), iniStartingAt(tree.root()));
            first = std::make_unique<frmMain>(firstState, firstPrompter);
            QVERIFY(first->load());
        } else {
            QVERIFY(held.tryLock(0));
        }
        const QByteArray before = data.iniBytes();

        AppState state;
        ScriptedPrompter prompter;
        frmMain second(state, prompter);
        QVERIFY(!second.load());
        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(prompter.last().title, QStringLiteral("...duplicate instance."));
        QCOMPARE(prompter.last().icon, PromptIcon::Critical);
        QCOMPARE(prompter.last().buttons, QList<PromptButton>{PromptButton::Ok});
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Η εφαρμογή είναι ήδη ενεργοποιημένη και δεν μπορεί να εκτελείται παραπάνω από "
                                "μία φορά την ίδια χρονική στιγμή.")
                     + NewLine + NewLine
                     + QStringLiteral("The application is already active and cannot have more than one instances at "
                                      "the same time."));
        QCOMPARE(second.lvwInfo->model()->rowCount(), 0);
        QCOMPARE(data.iniBytes(), before);
        if (firstIsAWindow) {
            QCOMPARE(firstPrompter.prompts.size(), 0);
            QCOMPARE(firstState.CurrentPath, tree.root() + QLatin1Char('/'));
        }
    }

    // A copy that ended, however it ended, does not keep the next one from starting.
    void anEndedCopyLeavesNoLockBehind_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("closed") << QStringLiteral("closed");
        QTest::newRow("crashed") << QStringLiteral("crashed");
        QTest::newRow("crashed while taking the lock") << QStringLiteral("empty");
        QTest::newRow("lock damaged") << QStringLiteral("damaged");
        QTest::newRow("folder in its place") << QStringLiteral("folder");
    }
    void anEndedCopyLeavesNoLockBehind()
    {
        QFETCH(QString, end);
        StartFolder data(iniStartingAt(QStringLiteral("/")));
        const QString lockPath = data.path() + QStringLiteral("/Tidyhall.lock");
        if (end == QLatin1String("folder")) {
            QVERIFY(QDir(data.path()).mkdir(QStringLiteral("Tidyhall.lock")));
        } else if (end == QLatin1String("empty")) {
            data.writeFile(QStringLiteral("Tidyhall.lock"), {});
        } else if (end == QLatin1String("damaged")) {
            data.writeFile(QStringLiteral("Tidyhall.lock"), QByteArray("\x01\xff\n\n", 4));
        } else if (end == QLatin1String("crashed")) {
            // The lock file of a process that is gone, as a crash leaves it.
            QProcess gone;
            gone.start(QStringLiteral("true"), {});
            QVERIFY(gone.waitForStarted());
            const qint64 pid = gone.processId();
            QVERIFY(gone.waitForFinished());
            QByteArray contents;
            {
                QLockFile lock(lockPath);
                QVERIFY(lock.tryLock(0));
                QFile f(lockPath);
                QVERIFY(f.open(QIODevice::ReadOnly));
                contents = f.readAll();
            }
            contents = QByteArray::number(pid) + contents.mid(contents.indexOf('\n'));
            data.writeFile(QStringLiteral("Tidyhall.lock"), contents);
        } else {
            AppState state;
            ScriptedPrompter prompter;
            frmMain w(state, prompter);
            QVERIFY(w.load());
        }
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        QCOMPARE(prompter.prompts.size(), 0);
    }

    // A folder where the settings file belongs: the program starts on its defaults.
    void aFolderInPlaceOfTheSettingsStillStarts()
    {
        StartFolder data;
        QVERIFY(QDir(data.path()).mkdir(QStringLiteral("Tidyhall.ini")));
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(prompter.last().text, noInitialPathText());
        QVERIFY(QFileInfo(data.iniPath()).isDir());
    }

    // Both appearance flags off in the file: the window shows both, lets either be
    // cleared, and the file keeps its values until a box is clicked.
    void bothAppearanceFlagsOffShowsBoth()
    {
        TempTree tree;
        tree.file(QStringLiteral("f.txt"), "f");
        tree.folder(QStringLiteral("sub"));
        StartFolder data(iniStartingAt(tree.root(), "[Appearance]\r\nFolders=0\r\nFiles=0\r\n"));
        const QByteArray before = data.iniBytes();
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        for (QCheckBox *box : w.chkAppearance)
            QVERIFY(box->isChecked() && box->isEnabled());
        QVERIFY(w.fraOrderOfAppearance->isEnabled());
        QCOMPARE(shownNames(w), (QStringList{QStringLiteral("f.txt"), QStringLiteral("sub")}));
        QCOMPARE(data.iniBytes(), before);
    }

    void specialEntriesFollowTheOwnerMarker_data()
    {
        QTest::addColumn<QString>("marker"); // what lies at the marker's path
        QTest::addColumn<bool>("visible");
        QTest::newRow("no marker") << QString() << false;
        QTest::newRow("ordinary file") << QStringLiteral("file") << true;
        QTest::newRow("folder") << QStringLiteral("folder") << false;
        QTest::newRow("hidden file") << QStringLiteral("hidden") << false;
        QTest::newRow("link to a file") << QStringLiteral("link") << true;
    }
    void specialEntriesFollowTheOwnerMarker()
    {
        QFETCH(QString, marker);
        QFETCH(bool, visible);
        StartFolder data(iniStartingAt(QStringLiteral("/")));
        if (marker == QLatin1String("file"))
            data.writeFile(QStringLiteral("owner"), {});
        else if (marker == QLatin1String("folder"))
            QVERIFY(QDir(data.path()).mkdir(QStringLiteral("owner")));
        else if (marker == QLatin1String("hidden")) {
            data.writeFile(QStringLiteral(".owner"), {});
            data.setMarkerPath(data.path() + QStringLiteral("/.owner"));
        } else if (marker == QLatin1String("link")) {
            data.writeFile(QStringLiteral("real-owner"), {});
            QVERIFY(QFile::link(data.path() + QStringLiteral("/real-owner"), data.markerPath()));
        }
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        for (const char *name : {"mnuRootBackup", "mnuDirectoryComparison", "mnuStructureManager",
                                 "mnuFolderSynchronization", "mnuDiskInformation"})
            QVERIFY2(w.menuEntry(QLatin1String(name))->isVisible() == visible, name);
        QCOMPARE(w.mnuSpecialDash->isVisible(), visible);
        QAction *firstShown = nullptr;
        for (QAction *a : w.mnuCommands->actions())
            if (a->isVisible() && !firstShown)
                firstShown = a;
        QCOMPARE(firstShown->objectName(),
                 visible ? QStringLiteral("mnuRootBackup") : QStringLiteral("mnuCommandsOptions"));
    }

    void printingNeedsAKnownFont_data()
    {
        QTest::addColumn<QByteArray>("fontLine");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no font") << QByteArray() << false;
        QTest::newRow("Courier New") << QByteArray("FontName=Courier New") << true;
        QTest::newRow("Courier New Greek") << QByteArray("FontName=Courier New Greek") << true;
        QTest::newRow("other letter case") << QByteArray("FontName=courier new") << false;
        QTest::newRow("another font") << QByteArray("FontName=DejaVu Sans Mono") << false;
    }
    void printingNeedsAKnownFont()
    {
        QFETCH(QByteArray, fontLine);
        QFETCH(bool, enabled);
        StartFolder data(iniStartingAt(QStringLiteral("/"), "[Printer]\r\n" + fontLine + "\r\n"));
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        QCOMPARE(w.cmdPrint->isEnabled(), enabled);
    }

    // Values no writer of ours produces still give a window in a state it can show.
    void oddNumbersFallBackToTheirRanges_data()
    {
        QTest::addColumn<QByteArray>("value"); // given to Language, SortColumn and OrderOfAppearance
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("sortedHeader");
        QTest::addColumn<int>("order");
        QTest::newRow("-0") << QByteArray("-0") << true << QStringLiteral("Όνομα +") << 2;
        QTest::newRow("1e9") << QByteArray("1e9") << false << QStringLiteral("Name +") << 2;
        QTest::newRow("leading blanks") << QByteArray("  7") << false << QStringLiteral("H+") << 2;
        QTest::newRow("hexadecimal") << QByteArray("0x10") << true << QStringLiteral("Όνομα +") << 2;
        QTest::newRow("cut to four characters") << QByteArray("12345") << false << QStringLiteral("Name +") << 2;
        QTest::newRow("fraction") << QByteArray("2.6") << false << QStringLiteral("Name +") << 3;
        QTest::newRow("word") << QByteArray("abc") << true << QStringLiteral("Όνομα +") << 2;
    }
    void oddNumbersFallBackToTheirRanges()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, greek);
        QFETCH(QString, sortedHeader);
        QFETCH(int, order);
        StartFolder data("[General]\r\nLanguage=" + value + "\r\nStartingPoint=/\r\n[Appearance]\r\nOrderOfAppearance="
                         + value + "\r\n[InternalSorting]\r\nSortColumn=" + value + "\r\n");
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        QCOMPARE(w.chkAppearance[0]->text(), greek ? QStringLiteral("Φακέλλων") : QStringLiteral("Folders"));
        QCOMPARE(::sortedHeader(w), sortedHeader);
        QVERIFY(w.optAppearance[order - 1]->isChecked());
    }

    void damagedSettingsFilesStillStart_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("promptStart"); // the start of the one message shown
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 151 + 7) % 256));
        QTest::newRow("binary") << binary << 1 << QStringLiteral("Δεν έχει ορισθεί");
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        const QByteArray wide = utf16(QStringLiteral("[Appearance]\r\nOrderOfAppearance=3\r\n"));
        QTest::newRow("UTF-16 with its mark") << wide << 3 << QStringLiteral("Δεν έχει ορισθεί");
        const QByteArray longLine(100000, 'x');
        QTest::newRow("long line before a key")
            << "[Appearance]\r\n" + longLine + "\r\nOrderOfAppearance=3\r\n" << 3 << QStringLiteral("Δεν έχει ορισθεί");
        QTest::newRow("long initial path")
            << "[General]\r\nStartingPoint=/" + longLine + "\r\n" << 1 << QStringLiteral("Η διαδρομή «/xxxx");
        QTest::newRow("long section name") << "[" + longLine + "]\r\nOrderOfAppearance=3\r\n" << 1
                                           << QStringLiteral("Δεν έχει ορισθεί");
    }
    void damagedSettingsFilesStillStart()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, order);
        QFETCH(QString, promptStart);
        StartFolder data(contents);
        AppState state;
        ScriptedPrompter prompter;
        frmMain w(state, prompter);
        QVERIFY(w.load());
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY2(prompter.last().text.startsWith(promptStart), qPrintable(prompter.last().text.left(80)));
        QVERIFY(w.optAppearance[order - 1]->isChecked());
        QCOMPARE(state.CurrentPath, QStringLiteral("/"));
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainStartupTest)
#include "tst_frmMainStartup.moc"
