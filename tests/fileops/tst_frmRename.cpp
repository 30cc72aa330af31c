#include "HelpSections.h"
#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/frmRename.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

void clickInWindow(QWidget *control)
{
    QWidget *top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, control->mapTo(top, control->rect().center()));
}


void saveShot(QWidget *w, const QString &name)
{
    const QString dir = qEnvironmentVariable("TIDYHALL_SCREENSHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class frmRenameTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        QStringList entries;
        explicit World(bool greek)
        {
            state.LanguageGreek = greek;
            state.CurrentPath = tree.root() + QLatin1Char('/');
            for (const char *n : {"one.txt", "two.txt", "three.txt"}) {
                tree.file(QString::fromLatin1(n), "x");
                entries << state.CurrentPath + QString::fromLatin1(n) + QChar(0);
            }
        }
        QStringList names() const
        {
            QStringList n = QDir(tree.root()).entryList(QDir::Files | QDir::Hidden);
            n.sort();
            return n;
        }
    };

private Q_SLOTS:
    // Each control that has help has a section in both help files, and no section is
    // left without its control.
    void helpTopics()
    {
        World w(false);
        frmRename dialog(w.entries, w.state, w.prompter);
        const QSet<QString> topics = controlTopics(&dialog);
        QCOMPARE(topics, QSet<QString>({"frmRename.lblName", "frmRename.lblInstructions", "frmRename.cmdRename",
                                        "frmRename.cmdNext", "frmRename.cmdCancel"}));
        QCOMPARE(helpSections("TidyhallGr.hlp", "frmRename."), topics);
        QCOMPARE(helpSections("TidyhallUk.hlp", "frmRename."), topics);
    }

    // The dialog starts at item 1 of 3 with the name offered for editing; Next walks on
    // and stops at the last item; items skipped keep their names.
    void walksAndRenames_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("English") << false << "Selected item 1 of 3. Title: ";
        QTest::newRow("Greek") << true << QString::fromUtf8("Επιλεγμένο στοιχείο 1 από 3. Τίτλος:");
    }
    void walksAndRenames()
    {
        QFETCH(bool, greek);
        QFETCH(QString, firstLine);
        World w(greek);
        frmRename dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.lblName->text(), firstLine);
        QCOMPARE(dialog.txtName->text(), QStringLiteral("one.txt"));
        QCOMPARE(dialog.txtNewName->text(), QStringLiteral("one.txt"));
        QVERIFY(dialog.cmdNext->isEnabled() && dialog.cmdRename->isEnabled());
        saveShot(&dialog, greek ? QStringLiteral("frmRename-el") : QStringLiteral("frmRename-en"));

        clickInWindow(dialog.cmdNext);
        QCOMPARE(dialog.txtName->text(), QStringLiteral("two.txt"));
        QCOMPARE(QApplication::focusWidget(), dialog.txtNewName);
        dialog.txtNewName->selectAll();
        QTest::keyClicks(dialog.txtNewName, QStringLiteral("  Deux.txt "));
        // Enter neither renames nor inserts anything.
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(w.names(), QStringList({"one.txt", "three.txt", "two.txt"}));
        clickInWindow(dialog.cmdRename);
        QCOMPARE(w.names(), QStringList({"Deux.txt", "one.txt", "three.txt"}));
        QVERIFY(!dialog.txtNewName->isEnabled() && !dialog.cmdRename->isEnabled());
        QCOMPARE(QApplication::focusWidget(), dialog.cmdCancel);

        clickInWindow(dialog.cmdNext);
        QCOMPARE(dialog.position(), 3);
        QVERIFY(!dialog.cmdNext->isEnabled());
        QVERIFY(dialog.txtNewName->isEnabled());
        // A name in use is told and nothing is renamed; a blank name cannot be sent.
        dialog.txtNewName->setText(QStringLiteral("one.txt"));
        clickInWindow(dialog.cmdRename);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().text.contains(QStringLiteral("one.txt")));
        QCOMPARE(w.names(), QStringList({"Deux.txt", "one.txt", "three.txt"}));
        dialog.txtNewName->setText(QStringLiteral("   "));
        QVERIFY(!dialog.cmdRename->isEnabled());
        clickInWindow(dialog.cmdCancel);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(w.prompter.unexpected, 0);
    }

    // A read-only item is renamed only after Yes; "/" and ".." are refused with their
    // own message.
    void refusals()
    {
        World w(false);
        QFile::setPermissions(w.tree.path("one.txt"), QFileDevice::ReadOwner);
        frmRename dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto rename = [&](const QString &name, PromptButton toReadOnly) {
            w.prompter.answer(toReadOnly);
            dialog.txtNewName->setText(name);
            clickInWindow(dialog.cmdRename);
            return w.prompter.last().text;
        };
        QVERIFY(rename("ro.txt", PromptButton::No).startsWith(QStringLiteral("Are you sure you want to rename item '")));
        QVERIFY(rename("../ro.txt", PromptButton::Yes).contains(QStringLiteral("slash")));
        QVERIFY(rename("..", PromptButton::Yes).contains(QStringLiteral("'..'")));
        QCOMPARE(w.names(), QStringList({"one.txt", "three.txt", "two.txt"}));
        QVERIFY(dialog.cmdRename->isEnabled());
        rename("ro.txt", PromptButton::Yes);
        QCOMPARE(w.names(), QStringList({"ro.txt", "three.txt", "two.txt"}));
        QCOMPARE(w.prompter.unexpected, 0);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmRenameTest)
#include "tst_frmRename.moc"
