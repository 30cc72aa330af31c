#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/EditorLocator.h"

#include <QtTest>

// Finding the text editor and the options that make it wait.
class LauncherEditorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void desktopExecLines_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("gedit") << QStringLiteral("gedit %U") << QStringLiteral("gedit")
                               << QStringList{"--new-window", "--wait"};
        QTest::newRow("gedit already waits") << QStringLiteral("gedit --wait %U") << QStringLiteral("gedit")
                                             << QStringList{"--wait", "--new-window"};
        QTest::newRow("kate by path") << QStringLiteral("/usr/bin/kate -b %U") << QStringLiteral("/usr/bin/kate")
                                      << QStringList{"-b", "--block"};
        QTest::newRow("mousepad") << QStringLiteral("mousepad %F") << QStringLiteral("mousepad") << QStringList{};
        QTest::newRow("quoted program") << QStringLiteral("\"/opt/My Editor/ed\" --x=\"a \\\"b\\\"\" %f")
                                        << QStringLiteral("/opt/My Editor/ed") << QStringList{"--x=a \"b\""};
        QTest::newRow("percent") << QStringLiteral("ed --title=100%% %i %c") << QStringLiteral("ed")
                                 << QStringList{"--title=100%"};
        QTest::newRow("unknown editor") << QStringLiteral("someeditor --flag") << QStringLiteral("someeditor")
                                        << QStringList{"--flag"};
    }
    void desktopExecLines()
    {
        QFETCH(QString, exec);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const std::optional<EditorCommand> e = EditorFromDesktopExec(exec);
        QVERIFY(e);
        QCOMPARE(e->program, program);
        QCOMPARE(e->arguments, arguments);
    }

    void emptyExecIsNoEditor()
    {
        QVERIFY(!EditorFromDesktopExec(QString()));
        QVERIFY(!EditorFromDesktopExec(QStringLiteral("%U")));
    }

    void execComesFromTheDesktopEntryGroup()
    {
        const QString text = QStringLiteral("[Desktop Action new-window]\nExec=gedit --new-window\n"
                                            "# comment\n[Desktop Entry]\nName=Text Editor\nTryExec=gedit\n"
                                            "Exec = gedit %U\n[Other]\nExec=x\n");
        QCOMPARE(DesktopEntryExec(text), QStringLiteral("gedit %U"));
    }

    void theSettingNamesAProgramOrACommandLine()
    {
        TempTree tree;
        const QString spaced = tree.file(QStringLiteral("my editors/ed it"), "#!/bin/sh\n");
        const std::optional<EditorCommand> whole = EditorFromSetting(spaced);
        QVERIFY(whole);
        QCOMPARE(whole->program, spaced);
        QVERIFY(whole->arguments.isEmpty());
        const std::optional<EditorCommand> line = EditorFromSetting(QStringLiteral("kate --block"));
        QCOMPARE(line->program, QStringLiteral("kate"));
        QCOMPARE(line->arguments, QStringList{QStringLiteral("--block")});
        QVERIFY(!EditorFromSetting(QStringLiteral("   ")));
    }

    void theSettingComesFirst()
    {
        qputenv("TIDYHALL_EDITOR", "myeditor --wait");
        const std::optional<EditorCommand> e = LocateTextEditor();
        qunsetenv("TIDYHALL_EDITOR");
        QVERIFY(e);
        QCOMPARE(e->program, QStringLiteral("myeditor"));
        QCOMPARE(e->arguments, QStringList{QStringLiteral("--wait")});
    }
};

TIDYHALL_TEST_MAIN(LauncherEditorTest)
#include "tst_LauncherEditor.moc"
