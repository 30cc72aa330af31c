#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "output/MonitoringRules.h"
#include "output/PathRecall.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QStorageInfo>
#include <QtTest>
#include <unistd.h>

// Going to a recalled path, the initial path, and the decisions of monitoring mode.
class PathRecallTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        World()
        {
            BuildDataPaths(state, tree.root());
            state.LanguageGreek = false;
        }
        QString volumeOf(const QString &path) const { return QStorageInfo(path).rootPath(); }
    };

private Q_SLOTS:
    void aFolderIsGoneToItself()
    {
        World w;
        const QString folder = w.tree.folder(QStringLiteral("a/Δεδομένα με κενά"));
        const QString volume = w.volumeOf(folder);
        const PathDestination same = ResolveRecalledPath(folder + QStringLiteral("/"), volume);
        QCOMPARE(same.folder, folder);
        QCOMPARE(same.volume, volume);
        QVERIFY(!same.changesVolume);
        // On another volume the drive list changes first, and the folder is still the
        // recalled one, not the volume's root.
        const QString trailing = w.tree.folder(QStringLiteral("ends with a space "));
        QCOMPARE(ResolveRecalledPath(trailing, volume).folder, trailing);
        const PathDestination other = ResolveRecalledPath(folder, QStringLiteral("/media/elsewhere"));
        QVERIFY(other.changesVolume);
        QCOMPARE(other.folder, folder);
        QVERIFY(other.folder != other.volume);
    }

    void whatCannotBeGoneTo_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("absolute");
        QTest::newRow("missing") << QStringLiteral("gone") << true;
        QTest::newRow("a file") << QStringLiteral("file.txt") << true;
        QTest::newRow("under a file") << QStringLiteral("file.txt/x") << true;
        QTest::newRow("leading space") << QStringLiteral("folder") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("relative") << QStringLiteral("folder") << false;
        QTest::newRow("windows path") << QStringLiteral("C:\\Data") << false;
    }
    void whatCannotBeGoneTo()
    {
        QFETCH(QString, relative);
        QFETCH(bool, absolute);
        World w;
        w.tree.file(QStringLiteral("file.txt"), "x");
        w.tree.folder(QStringLiteral("folder"));
        QString path = absolute ? w.tree.path(relative) : relative;
        if (QByteArray(QTest::currentDataTag()) == "leading space")
            path = QStringLiteral(" ") + w.tree.path(relative);
        try {
            ResolveRecalledPath(path, QStringLiteral("/"));
            QFAIL("no error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, 76);
        }
    }

    void anUnreadableFolderIsRefused()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every folder");
        World w;
        const QString folder = w.tree.folder(QStringLiteral("locked"));
        QFile::setPermissions(folder, QFileDevice::WriteOwner);
        try {
            ResolveRecalledPath(folder, QStringLiteral("/"));
            QFAIL("no error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, 70);
        }
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void initialPathIsSavedOnYesOnly_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void initialPathIsSavedOnYesOnly()
    {
        QFETCH(bool, yes);
        World w;
        w.state.InitialPath = QStringLiteral("/before");
        w.prompter.answer(yes ? PromptButton::Yes : PromptButton::No);
        QCOMPARE(SaveInitialPath(w.prompter, w.state, QStringLiteral("/home/ann/Έγγραφα")), yes);
        QCOMPARE(w.prompter.last().title, QStringLiteral("Set initial path"));
        QCOMPARE(w.prompter.last().text, QStringLiteral("Do you really want to set '/home/ann/Έγγραφα' "
                                                        "as the initial path of the application?"));
        const QString stored = PrivateProfile::readString(QStringLiteral("General"), QStringLiteral("StartingPoint"),
                                                          QString(), 1024, w.state.IniPath);
        QCOMPARE(stored, yes ? QStringLiteral("/home/ann/Έγγραφα") : QString());
        QCOMPARE(w.state.InitialPath, yes ? QStringLiteral("/home/ann/Έγγραφα") : QStringLiteral("/before"));
    }

    void greekInitialQuestion()
    {
        QCOMPARE(SetInitialQuestion(QStringLiteral("/x"), true),
                 QStringLiteral("Θέλετε πράγματι να ορίσετε τη διαδρομή «/x» ως αρχική διαδρομή της εφαρμογής;"));
    }

    void aMissingRecalledFolderIsReportedWithItsCode_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("code");
        QTest::newRow("initial") << 0 << QStringLiteral("124");
        QTest::newRow("recent") << 1 << QStringLiteral("055");
        QTest::newRow("monitored") << 2 << QStringLiteral("088");
        QTest::newRow("monitored click") << 3 << QStringLiteral("091");
    }
    void aMissingRecalledFolderIsReportedWithItsCode()
    {
        QFETCH(int, which);
        QFETCH(QString, code);
        World w;
        const QString gone = w.tree.path(QStringLiteral("gone"));
        w.state.InitialPath = gone;
        std::optional<PathDestination> d;
        switch (which) {
        case 0:
            d = RecallInitialPath(w.prompter, w.state, QStringLiteral("/"));
            break;
        case 1:
            d = DestinationOfRecalledPath(w.prompter, w.state, PathListKind::Recent, gone, QStringLiteral("/"));
            break;
        case 2:
            d = DestinationOfRecalledPath(w.prompter, w.state, PathListKind::Monitored, gone, QStringLiteral("/"));
            break;
        default:
            d = MonitoredPathClicked(w.prompter, w.state, gone, QStringLiteral("/"));
        }
        QVERIFY(!d);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QCOMPARE(w.prompter.last().title, QStringLiteral("Tidyhall / Tidyhall, ") + code + QStringLiteral("."));
        QVERIFY(w.prompter.last().text.contains(gone));
    }

    void aCancelledDialogGoesNowhere()
    {
        World w;
        QVERIFY(!DestinationOfRecalledPath(w.prompter, w.state, PathListKind::Recent, QString(), QStringLiteral("/")));
        QVERIFY(w.prompter.prompts.isEmpty());
    }

    // Monitoring mode.

    void controlsOfEachMode_data()
    {
        QTest::addColumn<bool>("monitoring");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        for (const bool m : {true, false}) {
            const char *mode = m ? "monitoring " : "normal ";
            auto row = [&](const char *name, bool visible, bool enabled) {
                QTest::addRow("%s%s", mode, name) << m << QString::fromLatin1(name) << visible << enabled;
            };
            row("Drive1", !m, true);
            row("Dir1", !m, true);
            row("lstMonitoredPaths", m, true);
            row("cmdStopMonitoring", m, true);
            for (const char *name : {"cmdUpOneLevel", "cmdSavePath", "cmdRecentPath", "cmdRefresh", "cmdEnd",
                                     "mnuOptionsMonitoring"})
                row(name, true, !m);
        }
    }
    void controlsOfEachMode()
    {
        QFETCH(bool, monitoring);
        QFETCH(QString, name);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        const QList<ControlState> states = MonitoringControlStates(monitoring);
        QCOMPARE(states.size(), 10);
        const auto it = std::find_if(states.begin(), states.end(), [&](const ControlState &s) { return s.name == name; });
        QVERIFY(it != states.end());
        QCOMPARE(it->visible, visible);
        QCOMPARE(it->enabled, enabled);
    }

    void anEmptyListEndsMonitoringAtOnce_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("en") << false << QStringLiteral("Monitored paths")
                            << QStringLiteral("You can activate monitoring, only when you have already saved at "
                                              "least one path for monitoring.");
        QTest::newRow("el") << true << QStringLiteral("Παρακολουθούμενες διαδρομές")
                            << QStringLiteral("Για να ενεργοποιήσετε την παρακολούθηση, πρέπει να έχετε "
                                              "αποθηκεύσει τουλάχιστον μία διαδρομή για παρακολούθηση.");
    }
    void anEmptyListEndsMonitoringAtOnce()
    {
        QFETCH(bool, greek);
        QFETCH(QString, title);
        QFETCH(QString, text);
        World w;
        w.state.LanguageGreek = greek;
        const QString before = w.tree.folder(QStringLiteral("before"));
        QCOMPARE(EnterMonitoring(w.prompter, w.state, before, 0), MonitoringEntry::LeaveAtOnce);
        QCOMPARE(w.prompter.last().title, title);
        QCOMPARE(w.prompter.last().text, text);
        QCOMPARE(w.prompter.last().icon, PromptIcon::Critical);
        const std::optional<PathDestination> back = LeaveMonitoring(w.prompter, w.state, w.volumeOf(before));
        QVERIFY(back);
        QCOMPARE(back->folder, before);
        QVERIFY(!w.state.MonitoringMode);
        QCOMPARE(w.prompter.prompts.size(), 1);
    }

    void leavingReturnsToTheFolderShownBefore()
    {
        World w;
        const QString before = w.tree.folder(QStringLiteral("before"));
        const QString one = w.tree.folder(QStringLiteral("one"));
        const QString two = w.tree.folder(QStringLiteral("two"));
        QCOMPARE(EnterMonitoring(w.prompter, w.state, before, 2), MonitoringEntry::Stay);
        QVERIFY(w.state.MonitoringMode);
        QCOMPARE(MonitoredPathClicked(w.prompter, w.state, one, QStringLiteral("/"))->folder, one);
        QCOMPARE(MonitoredPathClicked(w.prompter, w.state, two, QStringLiteral("/"))->folder, two);
        // A failed click leaves the mode as it was.
        QVERIFY(!MonitoredPathClicked(w.prompter, w.state, w.tree.path(QStringLiteral("gone")), QStringLiteral("/")));
        QVERIFY(w.state.MonitoringMode);
        const std::optional<PathDestination> back = LeaveMonitoring(w.prompter, w.state, QStringLiteral("/"));
        QVERIFY(back);
        QCOMPARE(back->folder, before);
        QVERIFY(!w.state.MonitoringMode);
    }

    void aVanishedStartingFolderIsReportedOnLeaving()
    {
        World w;
        const QString before = w.tree.folder(QStringLiteral("before"));
        EnterMonitoring(w.prompter, w.state, before, 1);
        QDir(before).removeRecursively();
        QVERIFY(!LeaveMonitoring(w.prompter, w.state, QStringLiteral("/")));
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 092.")));
        QVERIFY(!w.state.MonitoringMode);
    }
};

TIDYHALL_TEST_MAIN(PathRecallTest)
#include "tst_PathRecall.moc"
