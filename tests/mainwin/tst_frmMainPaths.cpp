#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

// Saved paths and monitoring mode through the real main window.
class frmMainPathsTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        StartFolder data;
        AppState state;
        ScriptedPrompter prompter;
        std::unique_ptr<frmMain> window;

        explicit World(const QByteArray &monitoredList)
        {
            tree.folder(QStringLiteral("start"));
            tree.file(QStringLiteral("watched one/a.txt"), "a");
            tree.file(QStringLiteral("watched two/b.txt"), "bb");
            data.writeFile(QStringLiteral("Tidyhall.ini"), "[General]\r\nLanguage=1\r\nStartingPoint="
                                                              + QFile::encodeName(tree.path("start")) + "\r\n");
            if (!monitoredList.isNull())
                data.writeFile(QStringLiteral("MonitoredPaths.txt"),
                               QByteArray(monitoredList).replace("ROOT", QFile::encodeName(tree.root())));
            window = std::make_unique<frmMain>(state, prompter);
            if (!window->load())
                qFatal("the main window did not load");
            window->show();
        }
        QStringList shownNames() const
        {
            QStringList names;
            const QAbstractItemModel *m = window->lvwInfo->model();
            for (int r = 0; r < m->rowCount(); ++r)
                names << m->index(r, 0).data().toString();
            return names;
        }
    };

    static bool normalControls(frmMain &w)
    {
        return w.Dir1->isVisible() && w.Drive1->isVisible() && !w.lstMonitoredPaths->isVisible()
               && !w.cmdStopMonitoring->isVisible() && w.cmdEnd->isVisible() && w.cmdEnd->isEnabled()
               && w.cmdUpOneLevel->isEnabled() && w.cmdRefresh->isEnabled()
               && w.menuEntry(QStringLiteral("mnuOptionsMonitoring"))->isEnabled();
    }

private Q_SLOTS:
    void monitoringWithoutPathsSaysSoAndReturns_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("missing list") << QByteArray();
        QTest::newRow("blank lines only") << QByteArray("\r\n   \r\n\r\n");
    }
    void monitoringWithoutPathsSaysSoAndReturns()
    {
        QFETCH(QByteArray, list);
        World w(list);
        w.window->menuEntry(QStringLiteral("mnuOptionsMonitoring"))->trigger();
        QCOMPARE(w.prompter.prompts.size(), 1);
        QCOMPARE(w.prompter.last().title, QStringLiteral("Monitored paths"));
        QVERIFY(w.prompter.last().text.startsWith(QStringLiteral("You can activate monitoring")));
        QCOMPARE(w.prompter.last().icon, PromptIcon::Critical);
        QVERIFY(normalControls(*w.window));
        QCOMPARE(w.window->Dir1->path(), w.tree.path("start"));
    }

    void monitoringVisitsFoldersAndReturnsToTheFolderBefore()
    {
        World w("ROOT/watched one\r\n\r\nROOT/watched two\r\n");
        w.window->menuEntry(QStringLiteral("mnuOptionsMonitoring"))->trigger();
        QCOMPARE(w.prompter.prompts.size(), 0);
        frmMain &win = *w.window;
        QVERIFY(win.lstMonitoredPaths->isVisible());
        QVERIFY(win.cmdStopMonitoring->isVisible() && win.cmdStopMonitoring->isEnabled());
        QVERIFY(!win.Dir1->isVisible() && !win.Drive1->isVisible());
        QVERIFY(!win.cmdEnd->isVisible());
        for (QWidget *off : {static_cast<QWidget *>(win.cmdUpOneLevel), static_cast<QWidget *>(win.cmdSavePath),
                             static_cast<QWidget *>(win.cmdRecentPath), static_cast<QWidget *>(win.cmdRefresh)})
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        QVERIFY(!win.menuEntry(QStringLiteral("mnuOptionsMonitoring"))->isEnabled());
        QCOMPARE(win.lstMonitoredPaths->count(), 2);

        for (int row : {1, 0}) {
            QListWidgetItem *item = win.lstMonitoredPaths->item(row);
            const QRect r = win.lstMonitoredPaths->visualItemRect(item);
            QTest::mouseClick(win.lstMonitoredPaths->viewport(), Qt::LeftButton, {}, r.center());
            QCOMPARE(w.state.CurrentPath, item->text() + QLatin1Char('/'));
        }
        QCOMPARE(w.shownNames(), QStringList{QStringLiteral("a.txt")});

        // From the keyboard: Enter opens the highlighted folder; F5, like the disabled
        // Refresh button, reads nothing again.
        win.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win));
        win.lstMonitoredPaths->setFocus();
        QTest::keyClick(win.windowHandle(), Qt::Key_End);
        QTest::keyClick(win.windowHandle(), Qt::Key_Return);
        QCOMPARE(w.state.CurrentPath, win.lstMonitoredPaths->item(1)->text() + QLatin1Char('/'));
        w.tree.file(QStringLiteral("watched two/late.txt"), "late");
        QTest::keyClick(win.windowHandle(), Qt::Key_F5);
        QCOMPARE(w.shownNames(), QStringList{QStringLiteral("b.txt")});
        QCOMPARE(w.prompter.prompts.size(), 0);

        QTest::mouseClick(win.cmdStopMonitoring, Qt::LeftButton);
        QVERIFY(normalControls(win));
        QCOMPARE(win.Dir1->path(), w.tree.path("start"));
        QCOMPARE(w.state.CurrentPath, w.tree.path("start") + QLatin1Char('/'));
    }

    void aMonitoredFolderThatVanishedIsReportedAndTheModeStays()
    {
        World w("ROOT/watched one\r\nROOT/gone\r\n");
        frmMain &win = *w.window;
        win.menuEntry(QStringLiteral("mnuOptionsMonitoring"))->trigger();
        const QRect first = win.lstMonitoredPaths->visualItemRect(win.lstMonitoredPaths->item(0));
        QTest::mouseClick(win.lstMonitoredPaths->viewport(), Qt::LeftButton, {}, first.center());
        const QRect gone = win.lstMonitoredPaths->visualItemRect(win.lstMonitoredPaths->item(1));
        QTest::mouseClick(win.lstMonitoredPaths->viewport(), Qt::LeftButton, {}, gone.center());
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 091.")));
        QVERIFY(win.lstMonitoredPaths->isVisible());
        QCOMPARE(w.state.CurrentPath, w.tree.path("watched one") + QLatin1Char('/'));
    }

    void savingTheHighlightedFolderEnablesRecall()
    {
        World w{QByteArray()};
        w.tree.folder(QStringLiteral("start/inner"));
        frmMain &win = *w.window;
        win.Dir1->refresh();
        QVERIFY(win.Dir1->highlight(w.tree.path("start/inner")));
        win.cmdRecentPath->setEnabled(false);
        w.prompter.answer(PromptButton::Yes);
        win.menuEntry(QStringLiteral("mnuSavePathRecent"))->trigger();
        QVERIFY(win.cmdRecentPath->isEnabled());
        QFile list(w.data.path() + QStringLiteral("/RecentPaths.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QVERIFY(list.readAll().startsWith(QFile::encodeName(w.tree.path("start/inner")) + "\r\n"));
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainPathsTest)
#include "tst_frmMainPaths.moc"
