#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "output/PathListWidget.h"
#include "output/frmRecentPaths.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class frmRecentPathsTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        explicit World(bool greek = false) { BuildDataPaths(state, tree.root()); state.LanguageGreek = greek; }
        // Writes the list file of a kind.
        QString list(int kind, const QByteArray &text) { return tree.file(QFileInfo(PathListFile(state, PathListKind(kind))).fileName(), text); }
    };

    // A stand-in editor: records its arguments, then appends a line to the file it was
    // given, as a user would.
    static void useStandInEditor(TempTree &tree)
    {
        const QString script = tree.file(QStringLiteral("editor/edit list.sh"),
                                         "#!/bin/sh\n"
                                         "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
                                         "for last in \"$@\"; do :; done\n"
                                         "printf '/added by the editor\\r\\n' >> \"$last\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TIDYHALL_EDITOR", QFile::encodeName(script));
    }

    static QPoint centreOf(QListWidget *list, int row) { return list->visualItemRect(list->item(row)).center(); }

private Q_SLOTS:
    void cleanup() { qunsetenv("TIDYHALL_EDITOR"); }

    // Names carry the help topics; the kind picks the caption.
    void controlsAreNamedAndCaptioned()
    {
        World w(true);
        frmRecentPaths recent(w.state, w.prompter, PathListKind::Recent);
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Monitored);
        QCOMPARE(recent.windowTitle(), QStringLiteral("Πρόσφατες διαδρομές"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Παρακολουθούμενες διαδρομές"));
        QCOMPARE(dialog.lstPaths->whatsThis(), QStringLiteral("frmMonitoredPaths.lstMonitoredPaths"));
        QCOMPARE(dialog.cmdEdit->property("helpTopic").toString(), QStringLiteral("frmMonitoredPaths.cmdEdit"));
        QCOMPARE((QStringList{dialog.cmdRecall->text(), dialog.cmdEdit->text(), dialog.cmdCancel->text()}),
                 (QStringList{"Ανάκληση", "Επεξεργασία", "Άκυρο"}));
        QVERIFY(!dialog.cmdCancel->toolTip().isEmpty());
    }

    // A missing list is created and shown empty; a folder in its place is reported.
    void nothingToRecallOnOpening_data()
    {
        QTest::addColumn<bool>("folderInTheWay");
        QTest::newRow("missing list") << false;
        QTest::newRow("folder in the way") << true;
    }
    void nothingToRecallOnOpening()
    {
        QFETCH(bool, folderInTheWay);
        World w;
        if (folderInTheWay)
            w.tree.folder(QStringLiteral("MonitoredPaths.txt"));
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Monitored);
        QCOMPARE(QFileInfo(w.state.MonitoredPathsFile).isFile(), !folderInTheWay);
        QCOMPARE(w.prompter.prompts.isEmpty(), !folderInTheWay);
        if (folderInTheWay)
            QVERIFY(w.prompter.prompts.first().title.endsWith(QStringLiteral(", 052.")));
        else
            QVERIFY(!dialog.lstPaths->isEnabled());
        QCOMPARE(dialog.lstPaths->count(), 0);
        QVERIFY(!dialog.cmdRecall->isEnabled());
    }

    void aPathIsChosenAndRecalled_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("recalled");
        QTest::newRow("recall") << "recall" << int(QDialog::Accepted) << "/two";
        QTest::newRow("cancel") << "cancel" << int(QDialog::Rejected) << "";
        QTest::newRow("double click") << "double click" << int(QDialog::Accepted) << "/two";
        QTest::newRow("end and enter") << "end and enter" << int(QDialog::Accepted) << "/three";
    }
    void aPathIsChosenAndRecalled()
    {
        QFETCH(QString, action);
        World w;
        w.state.RecalledPath = QStringLiteral("/stale");
        w.list(1, "/one\r\n\r\n   \r\n/two\r/three\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        QVERIFY(w.state.RecalledPath.isEmpty());
        QCOMPARE(dialog.lstPaths->count(), 3);
        QVERIFY(dialog.lstPaths->selectedItems().isEmpty());
        QVERIFY(!dialog.cmdRecall->isEnabled());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWidget *viewport = dialog.lstPaths->viewport();
        if (action == QLatin1String("end and enter")) {
            dialog.lstPaths->setFocus();
            QTest::keyClick(dialog.lstPaths, Qt::Key_End);
            QVERIFY(dialog.cmdRecall->isEnabled());
            QTest::keyClick(dialog.lstPaths, Qt::Key_Return);
        } else if (action == QLatin1String("double click")) {
            QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(dialog.lstPaths, 1));
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, centreOf(dialog.lstPaths, 1));
        } else {
            QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(dialog.lstPaths, 1));
            QVERIFY(dialog.cmdRecall->isEnabled());
            QCOMPARE(dialog.recalledPath(), QStringLiteral("/two"));
            QTest::mouseClick(action == QLatin1String("recall") ? dialog.cmdRecall : dialog.cmdCancel, Qt::LeftButton);
        }
        QTEST(dialog.result(), "result");
        QTEST(w.state.RecalledPath, "recalled");
        QTEST(dialog.recalledPath(), "recalled");
    }

    // The stand-in editor appends a line; the dialog waits for it and shows the list anew.
    // An empty `editor` is the stand-in.
    void editRunsTheEditorAndReloads_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<PromptButton>("answer");
        QTest::addColumn<QByteArray>("editor");
        QTest::addColumn<QString>("title");
        QTest::newRow("recent") << 1 << PromptButton::Ok << QByteArray() << "Edit saved paths";
        QTest::newRow("monitored") << 2 << PromptButton::Ok << QByteArray() << "Edit monitored paths";
        QTest::newRow("cancelled") << 1 << PromptButton::Cancel << QByteArray() << "Edit saved paths";
        QTest::newRow("editor cannot start") << 2 << PromptButton::Ok << QByteArray("/nonexistent/editor --wait")
                                             << "Edit monitored paths";
        // An editor that hands the file to a copy already running returns at once: the
        // user is asked to say when the editing is done before the list is read again.
        QTest::newRow("editor returns at once") << 1 << PromptButton::Ok << QByteArray("true") << "Edit saved paths";
    }
    void editRunsTheEditorAndReloads()
    {
        QFETCH(int, kind);
        QFETCH(PromptButton, answer);
        QFETCH(QByteArray, editor);
        World w;
        if (editor.isEmpty())
            useStandInEditor(w.tree);
        else
            qputenv("TIDYHALL_EDITOR", editor);
        const QString file = w.list(kind, "/old\r\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind(kind));
        QTest::mouseClick(dialog.lstPaths->viewport(), Qt::LeftButton, {}, centreOf(dialog.lstPaths, 0));
        QVERIFY(dialog.cmdRecall->isEnabled());
        const bool atOnce = editor == "true";
        w.prompter.answer(answer);
        if (atOnce)
            w.prompter.answer(PromptButton::Ok);
        QTest::mouseClick(dialog.cmdEdit, Qt::LeftButton);
        QTEST(w.prompter.prompts.first().title, "title");
        QCOMPARE(w.prompter.prompts.first().text,
                 QStringLiteral("The application is suspended for as long as you are editing the file '%1'.").arg(file));
        QCOMPARE(w.prompter.prompts.size(), editor.isEmpty() ? 1 : 2);
        if (atOnce)
            QVERIFY(w.prompter.last().text.startsWith(QStringLiteral("The text editor returned without changing")));
        else if (!editor.isEmpty())
            QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 089."))
                    && w.prompter.last().text.contains(QStringLiteral("The text editor '/nonexistent/editor' could not be started")));
        const bool edited = answer == PromptButton::Ok && editor.isEmpty();
        QCOMPARE(w.tree.read(QStringLiteral("editor/args")), edited ? file.toUtf8() + "\n" : QByteArray());
        QCOMPARE(dialog.lstPaths->count(), edited ? 2 : 1);
        QCOMPARE(dialog.lstPaths->item(dialog.lstPaths->count() - 1)->text(),
                 edited ? QStringLiteral("/added by the editor") : QStringLiteral("/old"));
        // The list read again has nothing chosen in it.
        QCOMPARE(dialog.cmdRecall->isEnabled(), !edited && !atOnce);
        QCOMPARE(dialog.recalledPath().isEmpty(), edited || atOnce);
        QVERIFY(dialog.isEnabled());
    }

    void theTipShowsTheWholePathUnderThePointer()
    {
        World w;
        const QString longPath = QStringLiteral("/") + QString(300, QLatin1Char('x'));
        w.list(1, "/short\r\n" + longPath.toUtf8() + "\r\n");
        frmRecentPaths dialog(w.state, w.prompter, PathListKind::Recent);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget *list = dialog.lstPaths;
        ShowListItemTip(list, Qt::NoButton, centreOf(list, 1));
        QCOMPARE(list->toolTip(), longPath);
        // While a button is held the tip stays as it was.
        ShowListItemTip(list, Qt::LeftButton, centreOf(list, 0));
        QCOMPARE(list->toolTip(), longPath);
        ShowListItemTip(list, Qt::NoButton, QPoint(5, list->viewport()->height() - 2));
        QCOMPARE(list->toolTip(), QString());
        const QPoint overFirst = centreOf(list, 0);
        QMouseEvent move(QEvent::MouseMove, overFirst, list->viewport()->mapToGlobal(overFirst), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QCOMPARE(list->toolTip(), QStringLiteral("/short"));
    }
};

TIDYHALL_GUI_TEST_MAIN(frmRecentPathsTest)
#include "tst_frmRecentPaths.moc"
