#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QProcess>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

const QString NoInitialPath =
    QStringLiteral("Δεν έχει ορισθεί κάποια αρχική διαδρομή και έτσι, ως αρχική διαδρομή, θα χρησιμοποιηθεί η "
                   "διαδρομή «/».\r\n\r\n'/' will be used as the default initial path, since an initial path has "
                   "not been set.");

QByteArray iniStartingAt(const QString &folder, const QByteArray &more = {})
{
    return "[General]\r\nLanguage=0\r\nStartingPoint=" + folder.toUtf8() + "\r\n" + more;
}

// One start of the program on the data folder a test has prepared.
struct Started
{
    Started() : window(state, prompter) { loaded = window.load(); }

    // The header caption that carries the sort sign.
    QString sortedHeader() const
    {
        for (int c = 0; c < window.lvwInfo->model()->columnCount(); ++c) {
            const QString text = window.lvwInfo->model()->headerData(c, Qt::Horizontal).toString();
            if (text.size() > 1 && (text.endsWith(u'+') || text.endsWith(u'-')))
                return text;
        }
        return {};
    }
    int checkedOrder() const
    {
        for (int i = 0; i < 3; ++i)
            if (window.optAppearance[i]->isChecked())
                return i + 1;
        return 0;
    }

    AppState state;
    ScriptedPrompter prompter;
    frmMain window;
    bool loaded = false;
};

} // namespace

class frmMainStartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Without usable settings the program says it starts at the top, and does so on its
    // defaults: Greek, every filter open, no order, by name ascending, printing off for
    // want of a font; a folder where the file belongs stays as it is.
    void withoutSettingsStartsWithTheDefaultsAtTheTop_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("missing file") << QStringLiteral("missing");
        QTest::newRow("empty file") << QStringLiteral("empty");
        QTest::newRow("folder in its place") << QStringLiteral("folder");
    }
    void withoutSettingsStartsWithTheDefaultsAtTheTop()
    {
        QFETCH(QString, settings);
        StartFolder data;
        if (settings == QLatin1String("empty"))
            data.writeFile(QStringLiteral("Tidyhall.ini"), {});
        else if (settings == QLatin1String("folder"))
            QVERIFY(QDir(data.path()).mkdir(QStringLiteral("Tidyhall.ini")));
        Started s;
        QVERIFY(s.loaded);
        QCOMPARE(s.prompter.prompts.size(), 1);
        QCOMPARE(s.prompter.last().title, QStringLiteral("Tidyhall / Tidyhall"));
        QCOMPARE(s.prompter.last().icon, PromptIcon::Information);
        QCOMPARE(s.prompter.last().text, NoInitialPath);
        QCOMPARE(s.window.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(s.state.CurrentPath, QStringLiteral("/"));
        QVERIFY(s.window.lvwInfo->model()->rowCount() > 0);
        QCOMPARE(s.window.chkAppearance[0]->text(), QStringLiteral("Φακέλλων"));
        for (QCheckBox *box : s.window.chkFileProperties)
            QVERIFY(box->isChecked());
        for (QCheckBox *box : s.window.chkAppearance)
            QVERIFY(box->isChecked() && box->isEnabled());
        QCOMPARE(s.checkedOrder(), 1);
        QCOMPARE(s.window.cmdPropertyRestrictions->text(), QStringLiteral("+"));
        QCOMPARE(s.sortedHeader(), QStringLiteral("Όνομα +"));
        QCOMPARE(s.window.txtFileType->text(), QStringLiteral("*.*"));
        QVERIFY(!s.window.cmdPrint->isEnabled());
        QCOMPARE(data.value("General", "StartingPoint"), QStringLiteral("<missing>"));
        QCOMPARE(QFileInfo(data.iniPath()).isDir(), settings == QLatin1String("folder"));
    }

    void anUnusableInitialPathIsNamedAndTheTopListed_data()
    {
        QTest::addColumn<QString>("initial");
        static TempTree tree;
        tree.file(QStringLiteral("report.txt"), "x");
        QTest::newRow("a file") << tree.path(QStringLiteral("report.txt"));
        QTest::newRow("relative name") << QStringLiteral("no-such-folder");
        QTest::newRow("vanished folder, Greek name") << tree.path(QStringLiteral("Έγγραφα"));
    }
    void anUnusableInitialPathIsNamedAndTheTopListed()
    {
        QFETCH(QString, initial);
        StartFolder data(iniStartingAt(initial));
        const QByteArray before = data.iniBytes();
        Started s;
        QVERIFY(s.loaded);
        QCOMPARE(s.prompter.prompts.size(), 1);
        QCOMPARE(s.prompter.last().text,
                 QStringLiteral("Η διαδρομή «%1» που έχει ορισθεί ως αρχική, δεν μπόρεσε να εντοπισθεί στον "
                                "υπολογιστή σας. Αντί αυτής, θα χρησιμοποιηθεί η διαδρομή «/».\r\n\r\n'%1' has been "
                                "set as the initial path of the application, but could not be located on your "
                                "computer. '/' will be used instead.")
                     .arg(initial));
        QCOMPARE(s.prompter.last().icon, PromptIcon::Information);
        QCOMPARE(s.state.CurrentPath, QStringLiteral("/"));
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
        StartFolder data(iniStartingAt(tree.root()));
        std::unique_ptr<Started> first;
        QLockFile held(data.path() + QStringLiteral("/Tidyhall.lock"));
        if (firstIsAWindow)
            first = std::make_unique<Started>();
        else
            QVERIFY(held.tryLock(0));
        const QByteArray before = data.iniBytes();

        Started second;
        QVERIFY(!second.loaded);
        QCOMPARE(second.prompter.prompts.size(), 1);
        QCOMPARE(second.prompter.last().title, QStringLiteral("...duplicate instance."));
        QCOMPARE(second.prompter.last().icon, PromptIcon::Critical);
        QCOMPARE(second.prompter.last().buttons, QList<PromptButton>{PromptButton::Ok});
        QCOMPARE(second.prompter.last().text,
                 QStringLiteral("Η εφαρμογή είναι ήδη ενεργοποιημένη και δεν μπορεί να εκτελείται παραπάνω από "
                                "μία φορά την ίδια χρονική στιγμή.\r\n\r\nThe application is already active and "
                                "cannot have more than one instances at the same time."));
        QCOMPARE(second.window.lvwInfo->model()->rowCount(), 0);
        QCOMPARE(data.iniBytes(), before);
        if (first) {
            QVERIFY(first->loaded);
            QCOMPARE(first->prompter.prompts.size(), 0);
            QCOMPARE(first->state.CurrentPath, tree.root() + u'/');
        }
    }

    // A copy that ended, however it ended, does not keep the next one from starting.
    void anEndedCopyLeavesNoLockBehind_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("closed") << QStringLiteral("closed");
        QTest::newRow("crashed") << QStringLiteral("crashed");
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
            data.writeFile(QStringLiteral("Tidyhall.lock"), QByteArray::number(pid) + contents.mid(contents.indexOf('\n')));
        } else {
            QVERIFY(Started().loaded);
        }
        Started s;
        QVERIFY(s.loaded);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Values no writer of ours produces still give a window in a state it can show; the
    // appearance flags stay in the file as they were until a box is clicked.
    void oddValuesFallBackToWhatCanBeShown_data()
    {
        QTest::addColumn<QByteArray>("settings"); // after the starting point
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("sortedHeader");
        QTest::addColumn<int>("order");
        // One odd number given to Language, SortColumn and OrderOfAppearance.
        const auto number = [](const char *name, const QByteArray &value, bool greek, const char *header, int order) {
            QTest::newRow(name) << "Language=" + value + "\r\n[Appearance]\r\nOrderOfAppearance=" + value
                                       + "\r\n[InternalSorting]\r\nSortColumn=" + value + "\r\n"
                                << greek << QString::fromUtf8(header) << order;
        };
        number("1e9", "1e9", false, "Name +", 2);
        number("leading blanks", "  7", false, "H+", 2);
        number("fraction", "2.6", false, "Name +", 3);
        number("word", "abc", true, "Όνομα +", 2);
        QTest::newRow("both appearance flags off: both shown")
            << QByteArray("Language=0\r\n[Appearance]\r\nFolders=0\r\nFiles=0\r\n") << true << QStringLiteral("Όνομα +") << 1;
    }
    void oddValuesFallBackToWhatCanBeShown()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, greek);
        QFETCH(QString, sortedHeader);
        QFETCH(int, order);
        TempTree tree;
        tree.file(QStringLiteral("f.txt"), "f");
        tree.folder(QStringLiteral("sub"));
        StartFolder data("[General]\r\nStartingPoint=" + tree.root().toUtf8() + "\r\n" + settings);
        Started s;
        QVERIFY(s.loaded);
        QCOMPARE(s.window.chkAppearance[0]->text(), greek ? QStringLiteral("Φακέλλων") : QStringLiteral("Folders"));
        QCOMPARE(s.sortedHeader(), sortedHeader);
        QCOMPARE(s.checkedOrder(), order);
        for (QCheckBox *box : s.window.chkAppearance)
            QVERIFY(box->isChecked() && box->isEnabled());
        QVERIFY(s.window.fraOrderOfAppearance->isEnabled());
        QCOMPARE(s.window.lvwInfo->model()->rowCount(), 2);
        if (settings.contains("Files=0"))
            QCOMPARE(data.value("Appearance", "Folders") + data.value("Appearance", "Files"), QStringLiteral("00"));
    }

    void damagedSettingsFilesStillStart_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("promptStart"); // the start of the one message shown
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 151 + 7) % 256));
        const QString noPath = NoInitialPath.left(16);
        QTest::newRow("binary") << binary << 1 << noPath;
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        const QByteArray wide = utf16(QStringLiteral("[Appearance]\r\nOrderOfAppearance=3\r\n"));
        QTest::newRow("UTF-16 with its mark") << wide << 3 << noPath;
        const QByteArray longLine(100000, 'x');
        QTest::newRow("long line before a key") << "[Appearance]\r\n" + longLine + "\r\nOrderOfAppearance=3\r\n" << 3
                                                << noPath;
        QTest::newRow("long initial path") << "[General]\r\nStartingPoint=/" + longLine + "\r\n" << 1
                                           << QStringLiteral("Η διαδρομή «/xxxx");
    }
    void damagedSettingsFilesStillStart()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, order);
        QFETCH(QString, promptStart);
        StartFolder data(contents);
        Started s;
        QVERIFY(s.loaded);
        QCOMPARE(s.prompter.prompts.size(), 1);
        QVERIFY2(s.prompter.last().text.startsWith(promptStart), qPrintable(s.prompter.last().text.left(80)));
        QCOMPARE(s.checkedOrder(), order);
        QCOMPARE(s.state.CurrentPath, QStringLiteral("/"));
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
        if (marker == QLatin1String("file")) {
            data.writeFile(QStringLiteral("owner"), {});
        } else if (marker == QLatin1String("folder")) {
            QVERIFY(QDir(data.path()).mkdir(QStringLiteral("owner")));
        } else if (marker == QLatin1String("hidden")) {
            data.writeFile(QStringLiteral(".owner"), {});
            data.setMarkerPath(data.path() + QStringLiteral("/.owner"));
        } else if (marker == QLatin1String("link")) {
            data.writeFile(QStringLiteral("real-owner"), {});
            QVERIFY(QFile::link(data.path() + QStringLiteral("/real-owner"), data.markerPath()));
        }
        Started s;
        QVERIFY(s.loaded);
        // The entries shown, "|" for a separator, up to the first entry everyone has.
        QStringList shown;
        for (const QAction *a : s.window.mnuCommands->actions()) {
            if (a->objectName() == QLatin1String("mnuCommandsOptions"))
                break;
            if (a->isVisible())
                shown << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        }
        QCOMPARE(shown.join(u' '), visible ? QStringLiteral("mnuRootBackup mnuDirectoryComparison mnuStructureManager "
                                                            "mnuFolderSynchronization mnuDiskInformation |")
                                           : QString());
    }

    void printingNeedsAKnownFont_data()
    {
        QTest::addColumn<QByteArray>("font");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no font") << QByteArray() << false;
        QTest::newRow("Courier New") << QByteArray("Courier New") << true;
        QTest::newRow("Courier New Greek") << QByteArray("Courier New Greek") << true;
        QTest::newRow("other letter case") << QByteArray("courier new") << false;
    }
    void printingNeedsAKnownFont()
    {
        QFETCH(QByteArray, font);
        QFETCH(bool, enabled);
        StartFolder data(iniStartingAt(QStringLiteral("/"), "[Printer]\r\nFontName=" + font + "\r\n"));
        Started s;
        QCOMPARE(s.window.cmdPrint->isEnabled(), enabled);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainStartupTest)
#include "tst_frmMainStartup.moc"
