#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"
#include "platform/PrivateProfile.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

const QString NoInitialPath =
    QStringLiteral("Δεν έχει ορισθεί κάποια αρχική διαδρομή και έτσι, ως αρχική διαδρομή, θα χρησιμοποιηθεί η "
                   "διαδρομή «/».\r\n\r\n'/' will be used as the default initial path, since an initial path has "
                   "not been set.");

QByteArray iniStartingAt(const QString &folder)
{
    return "[General]\r\nLanguage=0\r\nStartingPoint=" + folder.toUtf8() + "\r\n";
}

// One start of the program on the data folder a test has prepared.
struct Started
{
    explicit Started(const QList<PromptButton> &answers = {}) : window(state, prompter)
    {
        for (PromptButton answer : answers)
            prompter.answer(answer);
        loaded = window.load();
    }

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
    // What the window shows for a settings file: its language, the sorted header, the
    // order option, the start of the one message at start-up, and whether it can print
    // (a known font is needed). Every row also keeps the filters open and lists "/".
    // No settings, or none usable, give the defaults and say the top is used; an initial
    // path that cannot be listed is named; values no writer of ours produces fall back
    // to what the window can show.
    void settingsFileDecidesTheStartingState_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("shown");
        const QByteArray top = "[General]\r\nStartingPoint=/\r\n";
        const QString noPath = QStringLiteral("|Δεν έχει ορισθεί|no print");
        const QString defaults = QStringLiteral("el|Όνομα +|1") + noPath;
        QTest::newRow("missing file") << QByteArray("<missing>") << defaults;
        QTest::newRow("empty file") << QByteArray() << defaults;
        QTest::newRow("folder in its place") << QByteArray("<folder>") << defaults;
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 151 + 7) % 256));
        QTest::newRow("binary") << binary << defaults;
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        QTest::newRow("UTF-16 with its mark") << QByteArray(utf16(QStringLiteral("[Appearance]\r\nOrderOfAppearance=3\r\n")))
                                              << QStringLiteral("el|Όνομα +|3") + noPath;
        const QByteArray longLine(100000, 'x');
        QTest::newRow("long line before a key") << "[Appearance]\r\n" + longLine + "\r\nOrderOfAppearance=3\r\n"
                                                << QStringLiteral("el|Όνομα +|3") + noPath;
        // An initial path that cannot be listed is named in the message.
        static TempTree tree;
        const QString report = tree.file(QStringLiteral("report.txt"), "x");
        const std::pair<const char *, QString> unusable[] = {
            {"initial path is a file", report},
            {"relative initial path", QStringLiteral("no-such-folder")},
            {"vanished initial folder, Greek name", tree.path(QStringLiteral("Έγγραφα"))},
            {"long initial path", QStringLiteral("/") + longLine}};
        for (const auto &[name, path] : unusable)
            QTest::newRow(name) << "[General]\r\nStartingPoint=" + path.toUtf8() + "\r\n"
                                << "el|Όνομα +|1|" + ("Η διαδρομή «" + path).left(16) + "|no print";
        // One odd number given to Language, SortColumn and OrderOfAppearance.
        const auto number = [&top](const char *value, const char *shown) {
            QTest::newRow(value) << top + "Language=" + value + "\r\n[Appearance]\r\nOrderOfAppearance=" + value
                                        + "\r\n[InternalSorting]\r\nSortColumn=" + value + "\r\n"
                                 << QString::fromUtf8(shown);
        };
        number("1e9", "en|Name +|2||no print");
        number("  7", "en|H+|2||no print");
        number("2.6", "en|Name +|3||no print");
        number("abc", "el|Όνομα +|2||no print");
        QTest::newRow("both appearance flags off: both shown")
            << top + "[Appearance]\r\nFolders=0\r\nFiles=0\r\n" << QStringLiteral("el|Όνομα +|1||no print");
        for (const char *font : {"Courier New", "Courier New Greek", "courier new"})
            QTest::newRow(font) << top + "[Printer]\r\nFontName=" + font + "\r\n"
                                << QStringLiteral("el|Όνομα +|1||") + (font[0] == 'C' ? "print" : "no print");
    }
    void settingsFileDecidesTheStartingState()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, shown);
        StartFolder data;
        if (contents == "<folder>")
            QVERIFY(QDir(data.path()).mkdir(QStringLiteral("Tidyhall.ini")));
        else if (contents != "<missing>")
            data.writeFile(QStringLiteral("Tidyhall.ini"), contents);
        const QString startingPoint = data.value("General", "StartingPoint");
        Started s;
        QVERIFY(s.loaded);
        QVERIFY(s.prompter.prompts.size() <= 1);
        const QString message = s.prompter.prompts.isEmpty() ? QString() : s.prompter.last().text;
        const bool greek = s.window.chkAppearance[0]->text() == QStringLiteral("Φακέλλων");
        QCOMPARE(QStringList({greek ? "el" : "en", s.sortedHeader(), QString::number(s.checkedOrder()), message.left(16),
                              s.window.cmdPrint->isEnabled() ? "print" : "no print"})
                     .join(u'|'),
                 shown);
        if (message.startsWith(QStringLiteral("Δεν"))) {
            QCOMPARE(message, NoInitialPath);
            QCOMPARE(s.prompter.last().title, QStringLiteral("Tidyhall / Tidyhall"));
        } else if (!message.isEmpty()) {
            QCOMPARE(message, QStringLiteral("Η διαδρομή «%1» που έχει ορισθεί ως αρχική, δεν μπόρεσε να εντοπισθεί "
                                             "στον υπολογιστή σας. Αντί αυτής, θα χρησιμοποιηθεί η διαδρομή «/».\r\n\r\n"
                                             "'%1' has been set as the initial path of the application, but could not "
                                             "be located on your computer. '/' will be used instead.")
                                  .arg(startingPoint));
        }
        if (!message.isEmpty())
            QCOMPARE(s.prompter.last().icon, PromptIcon::Information);
        QCOMPARE(s.window.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(s.state.CurrentPath, QStringLiteral("/"));
        QVERIFY(s.window.lvwInfo->model()->rowCount() > 0);
        for (QCheckBox *box : s.window.chkFileProperties)
            QVERIFY(box->isChecked());
        for (QCheckBox *box : s.window.chkAppearance)
            QVERIFY(box->isChecked() && box->isEnabled());
        QVERIFY(s.window.fraOrderOfAppearance->isEnabled());
        QCOMPARE(s.window.cmdPropertyRestrictions->text(), QStringLiteral("+"));
        QCOMPARE(s.window.txtFileType->text(), QStringLiteral("*.*"));
        // The fallback is not written back, nor is a folder in the file's place touched;
        // the appearance flags stay as they were until a box is clicked.
        QCOMPARE(data.value("General", "StartingPoint"), startingPoint);
        QCOMPARE(QFileInfo(data.iniPath()).isDir(), contents == "<folder>");
        if (contents.contains("Files=0"))
            QCOMPARE(data.value("Appearance", "Folders") + data.value("Appearance", "Files"), QStringLiteral("00"));
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
        QTest::newRow("folder in its place") << QStringLiteral("folder");
    }
    void anEndedCopyLeavesNoLockBehind()
    {
        QFETCH(QString, end);
        StartFolder data(iniStartingAt(QStringLiteral("/")));
        const QString lockPath = data.path() + QStringLiteral("/Tidyhall.lock");
        if (end == QLatin1String("folder")) {
            QVERIFY(QDir(data.path()).mkdir(QStringLiteral("Tidyhall.lock")));
        } else if (end == QLatin1String("crashed")) {
            // The lock file of a process that is gone, as a crash leaves it: a real lock
            // with the number of a process that has ended.
            QProcess gone;
            gone.start(QStringLiteral("true"), {});
            QVERIFY(gone.waitForStarted());
            const qint64 pid = gone.processId();
            QVERIFY(gone.waitForFinished());
            QVERIFY(QLockFile(lockPath).tryLock(0) && QFile::copy(lockPath, lockPath + u'~'));
            QFile lock(lockPath + u'~');
            QVERIFY(lock.open(QIODevice::ReadOnly));
            const QByteArray contents = lock.readAll();
            data.writeFile(QStringLiteral("Tidyhall.lock"),
                           QByteArray::number(pid) + contents.mid(contents.indexOf('\n')));
        } else {
            QVERIFY(Started().loaded);
        }
        Started s;
        QVERIFY(s.loaded);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Settings and data folders as users leave them: a relative initial path is read
    // from the data folder, a relative $TIDYHALL_HOME is fixed at start, an initial path
    // ending in a blank comes back whole, and a lock left by another computer is named
    // and may be taken over. Each row gives the folder shown (relative to the data
    // folder, "-" when the program ends) and the prompt's title and buttons.
    void startsFromAnySettings_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("relative initial path") << "relative path" << "sub|";
        QTest::newRow("relative data folder") << "relative home" << "sub|";
        QTest::newRow("initial path ending in a blank") << "blank" << "sub |";
        QTest::newRow("lock of another computer, taken over") << "lock:yes" << "sub|Tidyhall / Tidyhall:2";
        QTest::newRow("lock of another computer, kept") << "lock:no" << "-|Tidyhall / Tidyhall:2";
    }
    void startsFromAnySettings()
    {
        QFETCH(QString, setup);
        QFETCH(QString, outcome);
        StartFolder data;
        const QString folder = setup == QLatin1String("blank") ? QStringLiteral("sub ") : QStringLiteral("sub");
        QVERIFY(QDir(data.path()).mkdir(folder));
        const QString before = QDir::currentPath();
        const auto restore = qScopeGuard([&] {
            QDir::setCurrent(before);
            qputenv("TIDYHALL_HOME", data.path().toUtf8());
        });
        if (setup == QLatin1String("relative path")) {
            data.writeFile(QStringLiteral("Tidyhall.ini"), iniStartingAt(folder));
        } else {
            QVERIFY(PrivateProfile::writeString("General", "StartingPoint", data.path() + u'/' + folder, data.iniPath()));
        }
        if (setup == QLatin1String("relative home")) {
            QDir::setCurrent(QFileInfo(data.path()).path());
            qputenv("TIDYHALL_HOME", QFileInfo(data.path()).fileName().toUtf8());
        }
        if (setup.startsWith(QLatin1String("lock:")))
            data.writeFile(QStringLiteral("Tidyhall.lock"), "4242\ntidyhall\nfaraway-computer\n");
        QList<PromptButton> answers;
        if (setup.startsWith(QLatin1String("lock:")))
            answers << (setup.endsWith(QLatin1String("yes")) ? PromptButton::Yes : PromptButton::No);
        Started s(answers);
        QStringList prompts;
        for (const ScriptedPrompter::Prompt &p : s.prompter.prompts)
            prompts << p.title + u':' + QString::number(p.buttons.size());
        QCOMPARE((s.loaded ? QDir(data.path()).relativeFilePath(s.window.Dir1->path()) : QStringLiteral("-")) + u'|'
                     + prompts.join(u','),
                 outcome);
        if (s.loaded)
            QCOMPARE(s.state.IniPath, data.iniPath());
        if (setup.startsWith(QLatin1String("lock:")))
            QVERIFY(s.prompter.last().text.contains(data.path() + QStringLiteral("/Tidyhall.lock"))
                    && s.prompter.last().text.contains(QStringLiteral("faraway-computer")));
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

};

TIDYHALL_GUI_TEST_MAIN(frmMainStartupTest)
#include "tst_frmMainStartup.moc"
