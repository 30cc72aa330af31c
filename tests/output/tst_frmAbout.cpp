#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/HelpFile.h"
#include "mainwin/frmMain.h"
#include "output/AboutRules.h"
#include "output/frmAbout.h"
#include "platform/Launcher.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// Every control of `window` that has a help topic finds it in both help files.
static void helpIsWritten(QWidget *window)
{
    for (const char *name : {"TidyhallGr.hlp", "TidyhallUk.hlp"}) {
        QFile f(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + QStringLiteral("/resources/help/") + QLatin1String(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const HelpFile help = HelpFile::parse(QString::fromUtf8(f.readAll()));
        int topics = 0;
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const QString topic = ContextHelp::topicOf(control);
            if (topic.isEmpty())
                continue;
            ++topics;
            QVERIFY2(help.contains(topic), qPrintable(topic + QStringLiteral(" in ") + QLatin1String(name)));
        }
        QVERIFY(topics > 1);
    }
}

class frmAboutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("descriptionStart");
        QTest::addColumn<QString>("sysInfo");
        QTest::newRow("Greek") << true << "Σχετικά" << "Έκδοση " << "Η εφαρμογή αυτή εμφανίζει τα ονόματα όλων, ή των"
                               << "Πληροφορίες συστήματος...";
        QTest::newRow("English") << false << "About" << "Version " << "This application displays the names of all, or"
                                 << "System Info...";
    }
    void texts()
    {
        QFETCH(bool, greek);
        QFETCH(QString, title);
        QFETCH(QString, version);
        QFETCH(QString, descriptionStart);
        QFETCH(QString, sysInfo);
        AppState state;
        state.LanguageGreek = greek;
        ScriptedPrompter prompter;
        frmAbout about(state, prompter);
        QCOMPARE(about.windowTitle(), title);
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Tidyhall"));
        QCOMPARE(about.lblVersion->text(), version + ProgramVersionText());
        QVERIFY(about.lblDescription->text().startsWith(descriptionStart));
        QVERIFY(!about.lblDescription->text().contains(QLatin1Char('\n')));
        QVERIFY(!about.lblDisclaimer->text().isEmpty());
        QCOMPARE(about.cmdSysInfo->text(), sysInfo);
        QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
        QVERIFY(!about.picIcon->pixmap().isNull());
        if (const QString dir = qEnvironmentVariable("TIDYHALL_SCREENSHOTS"); !dir.isEmpty()) {
            about.show();
            QApplication::processEvents();
            about.grab().save(dir + (greek ? QStringLiteral("/about-el.png") : QStringLiteral("/about-en.png")));
        }
    }

    void systemInformation_data()
    {
        QTest::addColumn<QByteArray>("specialIni");
        QTest::addColumn<QString>("started"); // "" when the message is expected
        QTest::newRow("the SystemInfo key") << QByteArray("[Applications]\r\nSystemInfo=/opt/si --x\r\n") << "/opt/si --x";
        QTest::newRow("nothing installed") << QByteArray() << "";
    }
    void systemInformation()
    {
        QFETCH(QByteArray, specialIni);
        QFETCH(QString, started);
        TempTree tree;
        // The stand-in records what would have run; an empty PATH hides the desktop's tools.
        const QString record = tree.path(QStringLiteral("ran.txt"));
        const QString standIn = tree.file(QStringLiteral("stand-in"), "#!/bin/sh\necho \"$*\" > \"" + record.toUtf8() + "\"\n");
        QFile(standIn).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        Launcher::setStandIn(standIn);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", tree.root().toUtf8());
        AppState state;
        state.LanguageGreek = false;
        state.SpecialIniFile = specialIni.isNull() ? tree.path(QStringLiteral("Special.ini"))
                                                   : tree.file(QStringLiteral("Special.ini"), specialIni);
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Ok);
        frmAbout about(state, prompter);
        about.show();
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        qputenv("PATH", path);
        Launcher::setStandIn(QString());
        if (started.isEmpty()) {
            QCOMPARE(prompter.prompts.size(), 1);
            QCOMPARE(prompter.last().title, QStringLiteral("System information"));
            QCOMPARE(prompter.last().text, QStringLiteral("System Information is unavailable at this time."));
            QCOMPARE(prompter.last().icon, PromptIcon::Information);
        } else {
            QVERIFY(prompter.prompts.isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
            QCOMPARE(tree.read(QStringLiteral("ran.txt")).trimmed(), started.toUtf8());
        }
        QVERIFY(about.isVisible());
    }

    // Any button but the right one on the maker's notice opens the box.
    void opensFromTheMainWindow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("opens");
        QTest::newRow("label, left") << "lblCopyright" << int(Qt::LeftButton) << true;
        QTest::newRow("picture, middle") << "picCopyright" << int(Qt::MiddleButton) << true;
        QTest::newRow("label, right: help instead") << "lblCopyright" << int(Qt::RightButton) << false;
    }
    void opensFromTheMainWindow()
    {
        QFETCH(QString, control);
        QFETCH(int, button);
        QFETCH(bool, opens);
        TempTree tree;
        StartFolder data("[General]\r\nLanguage=1\r\nStartingPoint=" + tree.root().toUtf8() + "\r\n");
        AppState state;
        ScriptedPrompter prompter;
        frmMain window(state, prompter);
        QVERIFY(window.load());
        window.show();
        QString opened;
        QTimer::singleShot(0, this, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            }
        });
        auto *target = window.findChild<QLabel *>(control);
        QTest::mouseClick(target, Qt::MouseButton(button));
        if (!opens)
            QTest::qWait(0);
        QCOMPARE(opened, opens ? QStringLiteral("frmAbout") : QString());
    }

    void helpTopicsAreWritten()
    {
        AppState state;
        ScriptedPrompter prompter;
        frmAbout about(state, prompter);
        helpIsWritten(&about);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmAboutTest)
#include "tst_frmAbout.moc"
