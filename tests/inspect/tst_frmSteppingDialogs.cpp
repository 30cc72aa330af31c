#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "inspect/ShellCommandsGui.h"
#include "inspect/SteppingPanelWidget.h"
#include "inspect/frmItemProperties.h"
#include "inspect/frmSteppingDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <sys/stat.h>

namespace {

void clickInWindow(QWidget *control)
{
    QWidget *top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, control->mapTo(top, control->rect().center()));
}

// Runs `inspect` on the modal window that `open` brings up, once it shows.
void whenModalOpens(const std::function<void(QWidget *)> &inspect)
{
    QTimer::singleShot(0, [inspect] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QVERIFY(QTest::qWaitForWindowExposed(modal));
        inspect(modal);
    });
}

// Where screenshots go when $TIDYHALL_SCREENSHOTS names a folder.
void saveShot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TIDYHALL_SCREENSHOTS");
    if (!folder.isEmpty())
        window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class SteppingDialogsTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    AppState m_state;
    ScriptedPrompter m_prompter;
    QWidget m_main;
    QListWidget *m_list = nullptr;
    QString m_recorder;

    QStringList entries(const QStringList &names)
    {
        QStringList list;
        for (const QString &name : names)
            list << m_tree.root() + QLatin1Char('/') + name + QChar(u'\0');
        return list;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_main.resize(900, 600);
        m_main.show();
        m_list = new QListWidget(&m_main);
        m_list->hide();
        m_tree.file(QStringLiteral("one.txt"), "1");
        m_tree.file(QStringLiteral("two words.txt"), "2");
        m_tree.file(QStringLiteral("three.txt"), "3");
        m_tree.file(QStringLiteral("blob.tidyzz"), QByteArray("\x01\x02\xff\x00", 4));
        m_recorder = m_tree.file(QStringLiteral("recorder.sh"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$RECORD\"\n");
        QFile::setPermissions(m_recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("RECORD", QFile::encodeName(m_tree.path(QStringLiteral("record.fifo"))));
        // No file manager: the properties go to our own window.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    }
    void init()
    {
        m_prompter.prompts.clear();
        m_prompter.unexpected = 0;
    }

    void captions_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("button");
        QTest::newRow("open") << int(ShellAction::Open) << false << "frmOpen" << "Open with associated application"
                              << "Open";
        QTest::newRow("open Greek") << int(ShellAction::Open) << true << "frmOpen"
                                    << "Άνοιγμα μέσω συσχετισμένης εφαρμογής" << "Άνοιγμα";
        QTest::newRow("print") << int(ShellAction::Print) << false << "frmPrintViaApplication"
                               << "Print with associated application" << "Print";
        QTest::newRow("print Greek") << int(ShellAction::Print) << true << "frmPrintViaApplication"
                                     << "Εκτύπωση μέσω συσχετισμένης εφαρμογής" << "Εκτύπωση";
        QTest::newRow("properties") << int(ShellAction::Properties) << false << "frmProperties" << "Properties"
                                    << "Properties";
        QTest::newRow("properties Greek") << int(ShellAction::Properties) << true << "frmProperties" << "Ιδιότητες"
                                          << "Ιδιότητες";
        QTest::newRow("quick view") << int(ShellAction::QuickView) << false << "frmQuickView" << "Quick view"
                                    << "Quick view";
        QTest::newRow("quick view Greek") << int(ShellAction::QuickView) << true << "frmQuickView"
                                          << "Γρήγορη προβολή" << "Γρήγορη προβολή";
    }
    // The menu command with several items opens the action's dialog on item 1,
    // captioned in the current language and centred over the main window; "Enough"
    // closes it, nothing having run, and the selected-items list is emptied.
    void captions()
    {
        QFETCH(int, action);
        QFETCH(bool, greek);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, button);
        m_state.LanguageGreek = greek;
        const QStringList items = entries({"one.txt", "two words.txt"});
        m_list->addItems(items);
        QString seenTitle, seenButton, seenLine, seenName;
        QPoint offCentre;
        whenModalOpens([&](QWidget *modal) {
            QCOMPARE(modal->objectName(), name);
            seenTitle = modal->windowTitle();
            auto *panel = modal->findChild<SteppingPanelWidget *>();
            seenButton = panel->actionButton->text();
            seenLine = panel->lblName->text();
            seenName = panel->txtName->text();
            offCentre = modal->frameGeometry().center() - m_main.frameGeometry().center();
            if (!greek && action == int(ShellAction::Properties))
                saveShot(modal, QStringLiteral("stepping-en"));
            if (greek && action == int(ShellAction::Open))
                saveShot(modal, QStringLiteral("stepping-el"));
            clickInWindow(panel->cmdCancel);
        });
        RunShellCommand(ShellAction(action), &m_main, m_list, items, m_state, m_prompter);
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenButton, button);
        QCOMPARE(seenLine, greek ? QStringLiteral("Επιλεγμένο στοιχείο 1 από 2. Τίτλος:")
                                 : QStringLiteral("Selected item 1 of 2. Title: "));
        QCOMPARE(seenName, QStringLiteral("one.txt"));
        QVERIFY(qAbs(offCentre.x()) <= 2 && qAbs(offCentre.y()) <= 2);
        QCOMPARE(m_list->count(), 0);
        QVERIFY(m_prompter.prompts.isEmpty());
    }

    // The action button acts on the item shown and leaves the dialog open on it.
    void theActionButtonActsOnTheItemShown()
    {
        m_state.LanguageGreek = false;
        m_state.QuickViewPath = m_recorder + QStringLiteral(" --quick");
        const QByteArray fifo = QFile::encodeName(m_tree.path(QStringLiteral("record.fifo")));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        frmQuickView dialog(entries({"one.txt", "two words.txt", "three.txt"}), m_state, m_prompter, &m_main);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickInWindow(dialog.cmdStep[2]);
        clickInWindow(dialog.cmdQuickView);
        QCOMPARE(dialog.lblName->text(), QStringLiteral("Selected item 2 of 3. Title: "));
        QVERIFY(dialog.isVisible());
        // Reading the FIFO waits for the viewer itself.
        QCOMPARE(m_tree.read(QStringLiteral("record.fifo")),
                 "--quick\n" + QFile::encodeName(m_tree.path(QStringLiteral("two words.txt"))) + "\n");
        QFile::remove(QString::fromLocal8Bit(fifo));
    }

    // Failures are reported under the location code of where they happened; the
    // command or the dialog goes on.
    void failuresCarryTheirLocationCode_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("fromDialog");
        QTest::addColumn<QString>("quickViewPath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("says");
        QTest::newRow("open, menu") << int(ShellAction::Open) << false << "" << ", 115."
                                    << "Error condition 31 with the description 'No association for file extension'";
        QTest::newRow("open, dialog") << int(ShellAction::Open) << true << "" << ", 118."
                                      << "No association for file extension";
        QTest::newRow("quick view unset, menu") << int(ShellAction::QuickView) << false << "" << ", 112."
                                                << "No quick viewer";
        QTest::newRow("quick view unbalanced, dialog") << int(ShellAction::QuickView) << true << "\"qv" << ", 111."
                                                       << "not closed";
    }
    void failuresCarryTheirLocationCode()
    {
        QFETCH(int, action);
        QFETCH(bool, fromDialog);
        QFETCH(QString, quickViewPath);
        QFETCH(QString, title);
        QFETCH(QString, says);
        m_state.LanguageGreek = false;
        m_state.QuickViewPath = quickViewPath;
        m_prompter.answer(PromptButton::Ok);
        const QStringList items = entries({"blob.tidyzz", "one.txt"});
        if (fromDialog) {
            whenModalOpens([&](QWidget *modal) {
                auto *panel = modal->findChild<SteppingPanelWidget *>();
                clickInWindow(panel->actionButton);
                QVERIFY(modal->isVisible());
                clickInWindow(panel->cmdCancel);
            });
            RunShellCommand(ShellAction(action), &m_main, m_list, items, m_state, m_prompter);
        } else {
            RunShellCommand(ShellAction(action), &m_main, m_list, items.mid(0, 1), m_state, m_prompter);
        }
        QCOMPARE(m_prompter.prompts.size(), 1);
        QVERIFY2(m_prompter.last().title.endsWith(title), qPrintable(m_prompter.last().title));
        QVERIFY2(m_prompter.last().text.contains(says), qPrintable(m_prompter.last().text));
        QCOMPARE(m_list->count(), 0);
    }

    // Without a file manager on the bus, our own window shows the item, in both
    // languages, with values read back against stat.
    void ownPropertiesWindow_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::newRow("English") << false;
        QTest::newRow("Greek") << true;
    }
    void ownPropertiesWindow()
    {
        QFETCH(bool, greek);
        m_state.LanguageGreek = greek;
        const QString path = m_tree.file(QStringLiteral("report 2026.txt"), "forty-two bytes of text for the report..\n");
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QStringList values;
        QString title;
        whenModalOpens([&](QWidget *modal) {
            auto *window = qobject_cast<frmItemProperties *>(modal);
            QVERIFY(window);
            title = window->windowTitle();
            for (QLineEdit *value : window->txtProperty)
                values << value->text();
            saveShot(window, greek ? QStringLiteral("properties-el") : QStringLiteral("properties-en"));
            clickInWindow(window->cmdClose);
        });
        RunShellCommand(ShellAction::Properties, &m_main, m_list, entries({"report 2026.txt"}), m_state, m_prompter);
        QVERIFY(m_prompter.prompts.isEmpty());
        QCOMPARE(title, (greek ? QStringLiteral("Ιδιότητες: ") : QStringLiteral("Properties: ")) + "report 2026.txt");
        QCOMPARE(values.size(), 12);
        QCOMPARE(values[0], QStringLiteral("report 2026.txt"));
        QCOMPARE(values[1], QStringLiteral("text/plain"));
        QCOMPARE(values[2], m_tree.root());
        QCOMPARE(values[3], QString::fromLatin1(greek ? "%1 byte" : "%1 bytes").arg(st.st_size));
        QCOMPARE(values[9].right(6), QStringLiteral("(%1)").arg(uint(st.st_mode & 07777), 4, 8, QLatin1Char('0')));
    }
};

TIDYHALL_GUI_TEST_MAIN(SteppingDialogsTest)
#include "tst_frmSteppingDialogs.moc"
