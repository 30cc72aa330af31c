#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/WidgetPrompter.h"
#include "fileops/Backup.h"
#include "platform/FileOperation.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

// The backup's questions as the user meets them: real message boxes and text inputs,
// answered with keys sent to their windows.
class BackupFlowGuiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flow_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("English") << false
                                 << QStringList{"Backup verification", "Rename on the source",
                                                "Checking whether item exists on the target", "Rename on the target"};
        QTest::newRow("Greek") << true
                               << QStringList{"Επιβεβαίωση αποθηκεύσεως", "Μετονομασία στην πηγή",
                                              "Έλεγχος υπάρξεως στοιχείου στον προορισμό", "Μετονομασία στον προορισμό"};
    }
    void flow()
    {
        QFETCH(bool, greek);
        QFETCH(QStringList, titles);
        TempTree tree;
        tree.file("listed/item/f", "data");
        const QString target = tree.folder("target");
        AppState state;
        state.LanguageGreek = greek;
        state.CurrentPath = tree.path("listed") + '/';
        state.ShowOptions = false;
        state.SelectTarget = false;
        state.BackupTargetFolderAction = 2;
        state.BackupSourceFolderAction = 6;
        QWidget main;
        main.resize(800, 600);
        main.show();
        WidgetPrompter prompter(state.LanguageGreek);
        prompter.setParent(&main);

        // Enter accepts each box; the source keeps its name (Escape), the copy gets one.
        const QStringList typed{"", "", "", "renamed"};
        QStringList seen;
        QPointer<QWidget> handled;
        QTimer watcher;
        watcher.setInterval(20);
        connect(&watcher, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == handled || !modal->windowHandle() || !modal->isVisible())
                return;
            handled = modal;
            const int step = int(seen.size());
            seen.append(modal->windowTitle());
            if (!qEnvironmentVariableIsEmpty("TIDYHALL_SCREENSHOT_DIR"))
                modal->grab().save(QStringLiteral("%1/backup-%2-%3.png")
                                       .arg(qEnvironmentVariable("TIDYHALL_SCREENSHOT_DIR"), greek ? "el" : "en")
                                       .arg(step + 1));
            QWindow *window = modal->windowHandle();
            if (qobject_cast<QInputDialog *>(modal)) {
                const QString text = step < typed.size() ? typed[step] : QString();
                if (text.isEmpty()) {
                    QTest::keyClick(window, Qt::Key_Escape);
                    return;
                }
                for (const QChar c : text)
                    QTest::keyClick(window, c.toLatin1());
            }
            QTest::keyClick(window, Qt::Key_Return);
        });
        watcher.start();

        FileCommandHooks hooks;
        hooks.openOptions = [] {};
        hooks.target.askTargetFolder = [&](const QString &, const QString &) { return TargetFolderAnswer{target}; };
        hooks.target.bringToFront = [] {};
        hooks.run = [](const FileOperationCall &call) {
            FileOperationRequest request;
            request.operation = call.operation;
            request.sources = call.sources;
            request.target = call.target;
            request.flags = int(call.flags);
            const FileOperationResult r = performFileOperation(request, *call.prompter);
            return FileOperationOutcome{r.cancelled, r.failed, r.items};
        };
        hooks.refreshFiles = [] {};
        hooks.bringToFront = [] {};
        BackupSelection({"item"}, state, prompter, hooks);
        watcher.stop();

        QCOMPARE(seen, titles);
        QVERIFY(tree.exists("target/renamed/f"));
        QVERIFY(tree.exists("listed/item/f"));
    }
};

TIDYHALL_GUI_TEST_MAIN(BackupFlowGuiTest)
#include "tst_BackupFlowGui.moc"
