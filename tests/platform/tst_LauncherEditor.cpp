#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/EditorLocator.h"

#include <QtTest>

// Finding the text editor and the options that make it wait.
class LauncherEditorTest : public QObject
{
    Q_OBJECT
    // The program and its arguments; empty when there is no editor.
    static QStringList commandLine(const std::optional<EditorCommand> &e)
    {
        return e ? QStringList{e->program} + e->arguments : QStringList();
    }

private Q_SLOTS:
    void desktopExecLines_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("gedit") << "gedit %U" << QStringList{"gedit", "--new-window", "--wait"};
        QTest::newRow("gedit already waits") << "gedit --wait %U" << QStringList{"gedit", "--wait", "--new-window"};
        QTest::newRow("kate by path") << "/usr/bin/kate -b %U" << QStringList{"/usr/bin/kate", "-b", "--block"};
        QTest::newRow("quoted program") << "\"/opt/My Editor/ed\" --x=\"a \\\"b\\\"\" %f"
                                        << QStringList{"/opt/My Editor/ed", "--x=a \"b\""};
        QTest::newRow("percent") << "ed --title=100%% %i %c" << QStringList{"ed", "--title=100%"};
        QTest::newRow("unknown editor") << "someeditor --flag" << QStringList{"someeditor", "--flag"};
        QTest::newRow("only a field code") << "%U" << QStringList{};
    }
    void desktopExecLines()
    {
        QFETCH(QString, exec);
        QTEST(commandLine(EditorFromDesktopExec(exec)), "command");
    }

    void execComesFromTheDesktopEntryGroup()
    {
        const QString text = QStringLiteral("[Desktop Action new-window]\nExec=gedit --new-window\n"
                                            "# comment\n[Desktop Entry]\nName=Text Editor\nTryExec=gedit\n"
                                            "Exec = gedit %U\n[Other]\nExec=x\n");
        QCOMPARE(DesktopEntryExec(text), QStringLiteral("gedit %U"));
    }

    // The setting is a program (whose path may hold spaces) or a command line, and
    // comes before the desktop's default.
    void theSettingNamesAProgramOrACommandLine()
    {
        TempTree tree;
        const QString spaced = tree.file(QStringLiteral("my editors/ed it"), "#!/bin/sh\n");
        QCOMPARE(commandLine(EditorFromSetting(spaced)), QStringList{spaced});
        QVERIFY(!EditorFromSetting(QStringLiteral("   ")));
        qputenv("TIDYHALL_EDITOR", "myeditor --wait");
        const QStringList located = commandLine(LocateTextEditor());
        qunsetenv("TIDYHALL_EDITOR");
        QCOMPARE(located, (QStringList{"myeditor", "--wait"}));
    }
};

TIDYHALL_TEST_MAIN(LauncherEditorTest)
#include "tst_LauncherEditor.moc"
