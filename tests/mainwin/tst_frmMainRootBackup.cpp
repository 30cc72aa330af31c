#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QtTest>

namespace {

// Notes what the main window showed while each question of the run stood open.
class WatchingPrompter : public ScriptedPrompter
{
public:
    frmMain *window = nullptr;
    QStringList countLines;
    QString shot;
    PromptButton message(const QString &title, const QString &text, PromptIcon icon, const QList<PromptButton> &buttons,
                         PromptButton defaultButton) override
    {
        if (window) {
            countLines << window->lblInfo->text();
            if (!shot.isEmpty() && countLines.size() == 2)
                window->grab().save(shot);
        }
        return ScriptedPrompter::message(title, text, icon, buttons, defaultButton);
    }
};

} // namespace

class frmMainRootBackupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The owner's entry runs the lists; the count line names the entry being copied and
    // how far the run is, and comes back when it ends.
    void countLineFollowsTheRun_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("progress");
        QTest::newRow("greek") << 0 << "Αποθήκευση 2 από 2: %1";
        QTest::newRow("english") << 1 << "Saving 2 of 2: %1";
    }
    void countLineFollowsTheRun()
    {
        QFETCH(int, language);
        QFETCH(QString, progress);
        TempTree tree;
        tree.file("src/a.txt", "A");
        StartFolder data("[General]\r\nLanguage=" + QByteArray::number(language) + "\r\nStartingPoint=" + tree.root().toUtf8()
                         + "\r\n");
        data.writeFile("owner", {});
        const QString t = tree.path("T");
        data.writeFile("SpecialTargetFolder.txt", t.toUtf8());
        data.writeFile("SpecialSourceFiles.txt", (tree.path("src/a.txt") + "|" + t + "/a.txt").toUtf8());
        data.writeFile("SpecialSourceFolders.txt", tree.path("src/gone").toUtf8());
        data.writeFile("SpecialAttributes.txt", {});

        AppState state;
        WatchingPrompter prompter;
        frmMain window(state, prompter);
        QVERIFY(window.load());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString countLine = window.lblInfo->text();
        prompter.window = &window;
        if (qEnvironmentVariableIsSet("TIDYHALL_SHOTS"))
            prompter.shot = qEnvironmentVariable("TIDYHALL_SHOTS") + QStringLiteral("/rootbackup-%1.png").arg(language);
        prompter.answer(PromptButton::Yes);
        QAction *entry = window.menuEntry("mnuRootBackup");
        QVERIFY(entry->isVisible() && entry->isEnabled());
        entry->trigger();

        QCOMPARE(prompter.prompts.size(), 3); // target missing, folder missing, done
        QCOMPARE(prompter.countLines[1], progress.arg(tree.path("src/gone")));
        QCOMPARE(tree.read("T/a.txt"), QByteArray("A"));
        // The listing is read again and shows the new target beside the sources.
        QCOMPARE(window.lvwInfo->model()->rowCount(), 2);
        QVERIFY(window.lblInfo->text() != countLine && !window.lblInfo->text().contains(tree.root()));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(state.LanguageGreek, language == 0);
        QVERIFY(window.isEnabled());
        QVERIFY(window.close());
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainRootBackupTest)
#include "tst_frmMainRootBackup.moc"
