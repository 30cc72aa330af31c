#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "output/MonitoringGui.h"
#include "output/PathListWidget.h"
#include "output/frmRecentPaths.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class frmRecentPathsTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        World(bool greek = false)
        {
            BuildDataPaths(state, tree.root());
            state.LanguageGreek = greek;
        }
        QString listFile(PathListKind kind) const
        {
            return kind == PathListKind::Recent ? state.RecentPathsFile : state.MonitoredPathsFile;
        }
    };

    // A stand-in editor: records its arguments, then appends a line to the file it was
    // given, as a user would.
    void writeEditor(TempTree &tree)
    {
        const QString script = tree.file(QStringLiteral("editor/edit list.sh"),
                                         "#!/bin/sh\n"
                                         "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
                                         "for last in \"$@\"; do :; done\n"
                                         "printf '/added by the editor\\r\\n' >> \"$last\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TIDYHALL_EDITOR", QFile::encodeName(script));
    }

    void click(QListWidget *list, int row)
    {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

private Q_SLOTS:
    void cleanup() { qunsetenv("TIDYHALL_EDITOR"); }

    void controlsAreNamedAndCaptioned_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("captions");
        const QStringList en{"Recall", "Edit", "Cancel"};
        const QStringList el{"Ανάκληση", "Επεξεργασία", "Άκυρο"};
        QTest::newRow("recent en") << 1 << false << "frmRecentPaths" << "lstRecentPaths" << "Recent paths" << en;
        QTest::newRow("recent el") << 1 << true << "frmRecentPaths" << "lstRecentPaths" << "Πρόσφατες διαδρομές" << el;
        QTest::newRow("monitored en") << 2 << false << "frmMonitoredPaths" << "lstMonitoredPaths" << "Monitored paths"
                                      << en;
        QTest::newRow("monitored el") << 2 << true << "frmMonitoredPaths" << "lstMonitoredPaths"
                                      << "Παρακολουθούμενες διαδρομές" << el;
    }
    void controlsAreNamedAndCaptioned()
    {
        QFETCH(int, kind);
        QFETCH(bool, greek);
        QFETCH(QString, window);
        QFETCH(QString, list);
        QFETCH(QString, title);
        QFETCH(QStringList, captions);
        World w(greek);
        frmRecentPaths dialog(w.state, w.prompter, PathListKind(kind));
        QCOMPARE(dialog.objectName(), window);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.findChild<QListWidget *>(list), dialog.lstPaths);
        QStringList shown;
        for (const char *name : {"cmdRecall", "cmdEdit", "cmdCancel"}) {
            auto *b = dialog.findChild<QPushButton *>(QString::fromLatin1(name));
            QVERIFY(b);
            QVERIFY(!b->toolTip().isEmpty());
            QCOMPARE(b->whatsThis(), window + QLatin1Char('.') + QLatin1String(name));
            QCOMPARE(b->property("helpTopic").toString(), b->whatsThis());
            shown << b->text();
        }
        QCOMPARE(shown, captions);
        QCOMPARE(dialog.lstPaths->whatsThis(), window + QLatin1Char('.') + list);
    }

    void aMissingListIsCreatedAndShownEmpty()
    {
        World w;
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Monitored);
        QVERIFY(w.tree.exists(QStringLiteral("MonitoredPaths.txt")));
        QCOMPARE(dialog.lstPaths->count(), 0);
        QVERIFY(!dialog.lstPaths->isEnabled());
        QVERIFY(!dialog.cmdRecall->isEnabled());
        QVERIFY(w.prompter.prompts.isEmpty());
    }

    void aPathIsChosenAndRecalled()
    {
        World w;
        w.state.RecalledPath = QStringLiteral("/stale");
        w.tree.file(QStringLiteral("RecentPaths.txt"), "/one\r\n\r\n   \r\n/two\r/three\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        QVERIFY(w.state.RecalledPath.isEmpty());
        QCOMPARE(dialog.lstPaths->count(), 3);
        QCOMPARE(dialog.lstPaths->item(1)->text(), QStringLiteral("/two"));
        QVERIFY(dialog.lstPaths->selectedItems().isEmpty());
        QVERIFY(dialog.lstPaths->isEnabled());
        QVERIFY(!dialog.cmdRecall->isEnabled());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        click(dialog.lstPaths, 1);
        QVERIFY(dialog.cmdRecall->isEnabled());
        QCOMPARE(dialog.recalledPath(), QStringLiteral("/two"));
        QTest::mouseClick(dialog.cmdRecall, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(w.state.RecalledPath, QStringLiteral("/two"));
    }

    void doubleClickOrEnterRecallsAtOnce_data()
    {
        QTest::addColumn<bool>("keyboard");
        QTest::newRow("double click") << false;
        QTest::newRow("end and enter") << true;
    }
    void doubleClickOrEnterRecallsAtOnce()
    {
        QFETCH(bool, keyboard);
        World w;
        w.tree.file(QStringLiteral("MonitoredPaths.txt"), "/one\r\n/two\r\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Monitored);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (keyboard) {
            dialog.lstPaths->setFocus();
            QTest::keyClick(dialog.lstPaths, Qt::Key_End);
            QVERIFY(dialog.cmdRecall->isEnabled());
            QTest::keyClick(dialog.lstPaths, Qt::Key_Return);
        } else {
            const QPoint at = dialog.lstPaths->visualItemRect(dialog.lstPaths->item(1)).center();
            QTest::mousePress(dialog.lstPaths->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(dialog.lstPaths->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(w.state.RecalledPath, QStringLiteral("/two"));
    }

    void cancelRecallsNothing()
    {
        World w;
        w.tree.file(QStringLiteral("RecentPaths.txt"), "/one\r\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        click(dialog.lstPaths, 0);
        QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.recalledPath().isEmpty());
        QVERIFY(w.state.RecalledPath.isEmpty());
    }

    void editRunsTheEditorAndReloads_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("recent") << 1 << QStringLiteral("Edit saved paths");
        QTest::newRow("monitored") << 2 << QStringLiteral("Edit monitored paths");
    }
    void editRunsTheEditorAndReloads()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        World w;
        writeEditor(w.tree);
        const QString file = w.listFile(PathListKind(kind));
        w.tree.file(QFileInfo(file).fileName(), "/old\r\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind(kind));
        click(dialog.lstPaths, 0);
        QVERIFY(dialog.cmdRecall->isEnabled());
        w.prompter.answer(PromptButton::Ok);
        QTest::mouseClick(dialog.cmdEdit, Qt::LeftButton);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QCOMPARE(w.prompter.last().title, title);
        QCOMPARE(w.prompter.last().text, QStringLiteral("The application is suspended for as long as you are "
                                                        "editing the file '")
                                             + file + QStringLiteral("'."));
        QCOMPARE(w.prompter.last().icon, PromptIcon::Information);
        QCOMPARE(w.prompter.last().buttons, (QList<PromptButton>{PromptButton::Ok, PromptButton::Cancel}));
        QCOMPARE(w.tree.read(QStringLiteral("editor/args")), file.toUtf8() + "\n");
        QCOMPARE(dialog.lstPaths->count(), 2);
        QCOMPARE(dialog.lstPaths->item(1)->text(), QStringLiteral("/added by the editor"));
        QVERIFY(!dialog.cmdRecall->isEnabled());
        QVERIFY(dialog.recalledPath().isEmpty());
    }

    void cancelledEditStartsNothing()
    {
        World w(true);
        writeEditor(w.tree);
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        w.prompter.answer(PromptButton::Cancel);
        QTest::mouseClick(dialog.cmdEdit, Qt::LeftButton);
        QCOMPARE(w.prompter.last().title, QStringLiteral("Επεξεργασία προσφάτων διαδρομών"));
        QVERIFY(w.prompter.last().text.startsWith(
            QStringLiteral("Η εφαρμογή αδρανοποιείται για όσο χρονικό διάστημα επεξεργάζεστε το αρχείο «")));
        QVERIFY(!w.tree.exists(QStringLiteral("editor/args")));
        QCOMPARE(w.tree.read(QStringLiteral("RecentPaths.txt")), QByteArray());
    }

    void anEditorThatCannotStartIsReported_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("code");
        QTest::newRow("recent") << 1 << QStringLiteral("056");
        QTest::newRow("monitored") << 2 << QStringLiteral("089");
    }
    void anEditorThatCannotStartIsReported()
    {
        QFETCH(int, kind);
        QFETCH(QString, code);
        World w;
        w.tree.file(QFileInfo(w.listFile(PathListKind(kind))).fileName(), "/kept\r\n");
        qputenv("TIDYHALL_EDITOR", "/nonexistent/editor --wait");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind(kind));
        w.prompter.answer(PromptButton::Ok);
        QTest::mouseClick(dialog.cmdEdit, Qt::LeftButton);
        QCOMPARE(w.prompter.prompts.size(), 2);
        QCOMPARE(w.prompter.last().title, QStringLiteral("Tidyhall / Tidyhall, ") + code + QStringLiteral("."));
        QVERIFY(w.prompter.last().text.contains(QStringLiteral("The text editor '/nonexistent/editor' could not be started")));
        QCOMPARE(dialog.lstPaths->count(), 1);
        QVERIFY(dialog.isEnabled());
    }

    void anUnreadableListIsReportedOnOpening()
    {
        World w;
        w.tree.folder(QStringLiteral("RecentPaths.txt"));
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        QVERIFY(!w.prompter.prompts.isEmpty());
        QVERIFY(w.prompter.prompts.first().title.endsWith(QStringLiteral(", 052.")));
        QCOMPARE(dialog.lstPaths->count(), 0);
        QVERIFY(!dialog.cmdRecall->isEnabled());
    }

    void theDialogIsCentredOverTheMainWindow()
    {
        World w;
        QWidget main;
        main.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent, &main);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(qAbs(dialog.frameGeometry().center().x() - main.frameGeometry().center().x()) <= 1);
        QVERIFY(qAbs(dialog.frameGeometry().center().y() - main.frameGeometry().center().y()) <= 1);
    }

    void theTipShowsTheWholePathUnderThePointer()
    {
        World w;
        const QString longPath = QStringLiteral("/") + QString(300, QLatin1Char('x'));
        w.tree.file(QStringLiteral("RecentPaths.txt"), "/short\r\n" + longPath.toUtf8() + "\r\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget *list = dialog.lstPaths;
        const QPoint overSecond = list->visualItemRect(list->item(1)).center();
        ShowListItemTip(list, Qt::NoButton, overSecond);
        QCOMPARE(list->toolTip(), longPath);
        ShowListItemTip(list, Qt::LeftButton, list->visualItemRect(list->item(0)).center());
        QCOMPARE(list->toolTip(), longPath);
        ShowListItemTip(list, Qt::NoButton, QPoint(5, list->viewport()->height() - 2));
        QCOMPARE(list->toolTip(), QString());
        const QPoint overFirst = list->visualItemRect(list->item(0)).center();
        QMouseEvent move(QEvent::MouseMove, overFirst, list->viewport()->mapToGlobal(overFirst), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QCOMPARE(list->toolTip(), QStringLiteral("/short"));
    }

    void loadingAMissingListKeepsTheListsState_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("enabled") << true;
        QTest::newRow("disabled") << false;
    }
    void loadingAMissingListKeepsTheListsState()
    {
        QFETCH(bool, enabled);
        World w;
        QListWidget list;
        QPushButton button;
        list.addItem(QStringLiteral("/left over"));
        list.setEnabled(enabled);
        QCOMPARE(LoadPathListInto(w.prompter, w.state, PathListKind::Monitored, &button, &list), 0);
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.isEnabled(), enabled);
        QVERIFY(!button.isEnabled());
    }

    void monitoringControlsAreSwitchedByName()
    {
        QWidget window;
        for (const ControlState &s : MonitoringControlStates(false))
            if (s.name.startsWith(QLatin1String("mnu")))
                (new QAction(&window))->setObjectName(s.name);
            else
                (new QPushButton(&window))->setObjectName(s.name);
        window.show();
        QVERIFY(ApplyControlStates(&window, MonitoringControlStates(true)).isEmpty());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("Dir1"))->isHidden());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("lstMonitoredPaths"))->isVisible());
        QVERIFY(!window.findChild<QWidget *>(QStringLiteral("cmdEnd"))->isEnabled());
        QVERIFY(!window.findChild<QAction *>(QStringLiteral("mnuOptionsMonitoring"))->isEnabled());
        QVERIFY(ApplyControlStates(&window, MonitoringControlStates(false)).isEmpty());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("Dir1"))->isVisible());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("cmdStopMonitoring"))->isHidden());
        QVERIFY(window.findChild<QAction *>(QStringLiteral("mnuOptionsMonitoring"))->isEnabled());
        delete window.findChild<QWidget *>(QStringLiteral("cmdRefresh"));
        QCOMPARE(ApplyControlStates(&window, MonitoringControlStates(true)), QStringList{QStringLiteral("cmdRefresh")});
    }

    void enteringAndLeavingTheMode_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("paths");
        QTest::newRow("missing list") << QByteArray() << 0;
        QTest::newRow("blank lines only") << QByteArray("\r\n   \r\n") << 0;
        QTest::newRow("two paths") << QByteArray("/one\r\n\r\n/two\r\n") << 2;
    }
    void enteringAndLeavingTheMode()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, paths);
        World w;
        if (!list.isNull())
            w.tree.file(QStringLiteral("MonitoredPaths.txt"), list);
        const QString before = w.tree.folder(QStringLiteral("before"));
        QWidget window;
        for (const ControlState &s : MonitoringControlStates(false)) {
            QObject *control = s.name.startsWith(QLatin1String("mnu")) ? static_cast<QObject *>(new QAction(&window))
                               : s.name.startsWith(QLatin1String("lst")) ? static_cast<QObject *>(new QListWidget(&window))
                                                                          : new QPushButton(&window);
            control->setObjectName(s.name);
        }
        ApplyControlStates(&window, MonitoringControlStates(false));
        window.show();
        auto *lst = window.findChild<QListWidget *>(QStringLiteral("lstMonitoredPaths"));
        auto *stop = window.findChild<QPushButton *>(QStringLiteral("cmdStopMonitoring"));

        const MonitoringEntry entry = EnterMonitoringMode(&window, w.prompter, w.state, before);
        QCOMPARE(entry, paths > 0 ? MonitoringEntry::Stay : MonitoringEntry::LeaveAtOnce);
        QCOMPARE(w.prompter.prompts.size(), paths > 0 ? 0 : 1);
        QCOMPARE(lst->count(), paths);
        QVERIFY(lst->selectedItems().isEmpty());
        QCOMPARE(lst->isEnabled(), paths > 0 || list.isNull());
        QVERIFY(stop->isVisible() && stop->isEnabled());
        QVERIFY(!window.findChild<QWidget *>(QStringLiteral("cmdSavePath"))->isEnabled());

        const std::optional<PathDestination> back = LeaveMonitoringMode(&window, w.prompter, w.state, QStringLiteral("/"));
        QVERIFY(back);
        QCOMPARE(back->folder, before);
        QVERIFY(!w.state.MonitoringMode);
        QVERIFY(lst->isHidden() && stop->isHidden());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("Dir1"))->isVisible());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("cmdSavePath"))->isEnabled());
    }
};

TIDYHALL_GUI_TEST_MAIN(frmRecentPathsTest)
#include "tst_frmRecentPaths.moc"
