#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/EditorLocator.h"

#include <QtTest>

// Finding the text editor and the options that make it wait.
class LauncherEditorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // An empty `program` is a line that names no editor.
    void desktopExecLines_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("gedit") << "gedit %U" << "gedit" << QStringList{"--new-window", "--wait"};
        QTest::newRow("gedit already waits") << "gedit --wait %U" << "gedit" << QStringList{"--wait", "--new-window"};
        QTest::newRow("kate by path") << "/usr/bin/kate -b %U" << "/usr/bin/kate" << QStringList{"-b", "--block"};
        QTest::newRow("quoted program") << "\"/opt/My Editor/ed\" --x=\"a \\\"b\\\"\" %f" << "/opt/My Editor/ed"
                                        << QStringList{"--x=a \"b\""};
        QTest::newRow("percent") << "ed --title=100%% %i %c" << "ed" << QStringList{"--title=100%"};
        QTest::newRow("unknown editor") << "someeditor --flag" << "someeditor" << QStringList{"--flag"};
        QTest::newRow("only a field code") << "%U" << "" << QStringList{};
    }
    void desktopExecLines()
    {
        QFETCH(QString, exec);
        QFETCH(QString, program);
        const std::optional<EditorCommand> e = EditorFromDesktopExec(exec);
        QCOMPARE(e.has_value(), !program.isEmpty());
        QCOMPARE(e.value_or(EditorCommand{}).program, program);
        QTEST(e.value_or(EditorCommand{}).arguments, "arguments");
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
        const std::optional<EditorCommand> whole = EditorFromSetting(spaced);
        QVERIFY(whole);
        QCOMPARE(whole->program, spaced);
        QVERIFY(whole->arguments.isEmpty());
        QVERIFY(!EditorFromSetting(QStringLiteral("   ")));
        qputenv("TIDYHALL_EDITOR", "myeditor --wait");
        const std::optional<EditorCommand> line = LocateTextEditor();
        qunsetenv("TIDYHALL_EDITOR");
        QVERIFY(line);
        QCOMPARE(line->program, QStringLiteral("myeditor"));
        QCOMPARE(line->arguments, QStringList{QStringLiteral("--wait")});
    }
};

TIDYHALL_TEST_MAIN(LauncherEditorTest)
#include "tst_LauncherEditor.moc"
