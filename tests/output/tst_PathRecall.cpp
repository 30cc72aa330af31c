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

// Going to a recalled path, the initial path, and the paths of monitoring mode.
class PathRecallTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        World() { BuildDataPaths(state, tree.root()); state.LanguageGreek = false; }
    };

private Q_SLOTS:
    void aFolderIsGoneToItself()
    {
        World w;
        const QString folder = w.tree.folder(QStringLiteral("a/Δεδομένα με κενά"));
        const QString volume = QStorageInfo(folder).rootPath();
        const PathDestination same = ResolveRecalledPath(folder + QStringLiteral("/"), volume);
        QCOMPARE(same.folder, folder);
        QCOMPARE(same.volume, volume);
        QVERIFY(!same.changesVolume);
        const QString trailing = w.tree.folder(QStringLiteral("ends with a space "));
        QCOMPARE(ResolveRecalledPath(trailing, volume).folder, trailing);
        // On another volume the drive list changes first, and the folder is still the
        // recalled one, not the volume's root.
        const PathDestination other = ResolveRecalledPath(folder, QStringLiteral("/media/elsewhere"));
        QVERIFY(other.changesVolume);
        QCOMPARE(other.folder, folder);
    }

    // "%1" stands for the test's tree. A saved line is taken whole: " /x" is not "/x".
    void whatCannotBeGoneTo_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << QStringLiteral("%1/gone") << 76;
        QTest::newRow("a file") << QStringLiteral("%1/file.txt") << 76;
        QTest::newRow("under a file") << QStringLiteral("%1/file.txt/x") << 76;
        QTest::newRow("leading space") << QStringLiteral(" %1/folder") << 76;
        QTest::newRow("relative") << QStringLiteral("folder") << 76;
        QTest::newRow("unreadable") << QStringLiteral("%1/locked") << 70;
    }
    void whatCannotBeGoneTo()
    {
        QFETCH(QString, path);
        QFETCH(int, number);
        if (number == 70 && ::geteuid() == 0)
            QSKIP("root reads every folder");
        World w;
        w.tree.file(QStringLiteral("file.txt"), "x");
        w.tree.folder(QStringLiteral("folder"));
        QFile::setPermissions(w.tree.folder(QStringLiteral("locked")), QFileDevice::WriteOwner);
        try {
            ResolveRecalledPath(path.contains(QLatin1String("%1")) ? path.arg(w.tree.root()) : path, QStringLiteral("/"));
            QFAIL("no error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, number);
        }
        QFile::setPermissions(w.tree.path(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
        const QString path = QStringLiteral("/home/Έγγραφα");
        QCOMPARE(SaveInitialPath(w.prompter, w.state, path), yes);
        QCOMPARE(w.prompter.last().text,
                 QStringLiteral("Do you really want to set '/home/Έγγραφα' as the initial path of the application?"));
        QCOMPARE(PrivateProfile::readString("General", "StartingPoint", "", 1024, w.state.IniPath), yes ? path : QString());
        QCOMPARE(w.state.InitialPath, yes ? path : QStringLiteral("/before"));
    }

    // A failed click leaves monitoring mode as it was; a failed return ends it all the
    // same. A cancelled dialog (no code) goes nowhere and says nothing.
    void aMissingRecalledFolderIsReportedWithItsCode_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("code");
        QTest::newRow("initial") << 0 << QStringLiteral("124");
        QTest::newRow("recent") << 1 << QStringLiteral("055");
        QTest::newRow("monitored") << 2 << QStringLiteral("088");
        QTest::newRow("monitored click") << 3 << QStringLiteral("091");
        QTest::newRow("leaving monitoring") << 4 << QStringLiteral("092");
        QTest::newRow("cancelled dialog") << 5 << QString();
    }
    void aMissingRecalledFolderIsReportedWithItsCode()
    {
        QFETCH(int, which);
        QFETCH(QString, code);
        World w;
        const QString gone = w.tree.path(QStringLiteral("gone"));
        const QString root = QStringLiteral("/");
        w.state.InitialPath = gone;
        w.state.PathBeforeMonitoring = gone;
        w.state.MonitoringMode = true;
        std::optional<PathDestination> d;
        switch (which) {
        case 0: d = RecallInitialPath(w.prompter, w.state, root); break;
        case 1: d = DestinationOfRecalledPath(w.prompter, w.state, PathListKind::Recent, gone, root); break;
        case 2: d = DestinationOfRecalledPath(w.prompter, w.state, PathListKind::Monitored, gone, root); break;
        case 3: d = MonitoredPathClicked(w.prompter, w.state, gone, root); break;
        case 4: d = LeaveMonitoring(w.prompter, w.state, root); break;
        default: d = DestinationOfRecalledPath(w.prompter, w.state, PathListKind::Recent, QString(), root);
        }
        QVERIFY(!d);
        QCOMPARE(w.prompter.prompts.size(), code.isEmpty() ? 0 : 1);
        if (!code.isEmpty())
            QVERIFY(w.prompter.last().title == QStringLiteral("Tidyhall / Tidyhall, %1.").arg(code)
                    && w.prompter.last().text.contains(gone));
        QCOMPARE(w.state.MonitoringMode, which != 4);
    }
};

TIDYHALL_TEST_MAIN(PathRecallTest)
#include "tst_PathRecall.moc"
