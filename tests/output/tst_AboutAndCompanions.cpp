#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "output/AboutRules.h"
#include "output/CompanionRules.h"
#include "platform/LegacyText.h"

#include <QtTest>

namespace {

// A stand-in companion that writes each argument it was given on a line of its own
// into argv.txt beside itself.
const QByteArray Recorder = "#!/bin/sh\n"
                            "out=\"$(dirname \"$0\")/argv.txt\"\n"
                            "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\n"
                            "mv \"$out.tmp\" \"$out\"\n";

QByteArray utf16(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return bytes;
}

} // namespace

class AboutAndCompanionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versionFormat_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("patch");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1.2.3") << 1 << 2 << 3 << "0001.0002.0003";
        QTest::newRow("0.1.0") << 0 << 1 << 0 << "0000.0001.0000";
        QTest::newRow("four digits") << 2024 << 10 << 999 << "2024.0010.0999";
        QTest::newRow("more than four digits are kept") << 12345 << 0 << 7 << "12345.0000.0007";
    }
    void versionFormat()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, patch);
        QFETCH(QString, shown);
        QCOMPARE(AboutVersionText(major, minor, patch), shown);
    }

    void programVersionComesFromTheBuild()
    {
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4,}\\.\\d{4,}\\.\\d{4,}$")).match(ProgramVersionText()).hasMatch());
    }

    void commandLines_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("programFiles");
        QTest::addColumn<QStringList>("command"); // program first; empty: nothing to start
        QTest::newRow("empty") << "" << QStringList{} << QStringList{};
        QTest::newRow("blanks") << "   " << QStringList{} << QStringList{};
        QTest::newRow("cut at NUL") << QStringLiteral("prog a") + QChar(0) + QStringLiteral(" b") << QStringList{}
                                    << QStringList{"prog", "a"};
        QTest::newRow("a program file with blanks runs as it is")
            << "/opt/My Tools/drive look" << QStringList{"/opt/My Tools/drive look"}
            << QStringList{"/opt/My Tools/drive look"};
        QTest::newRow("not a program file: split")
            << "/opt/My Tools/drive look" << QStringList{} << QStringList{"/opt/My", "Tools/drive", "look"};
        QTest::newRow("quoted program, quoted arguments")
            << "\"/opt/My Tools/drive look\" \"two words\" plain \"it's\"" << QStringList{}
            << QStringList{"/opt/My Tools/drive look", "two words", "plain", "it's"};
        QTest::newRow("a quote inside quotes") << "prog \"say \"\"\"hi\"\"\"\"" << QStringList{}
                                               << QStringList{"prog", "say \"hi\""};
        QTest::newRow("shell characters stay text") << "prog ;rm -rf x|y $(z)" << QStringList{}
                                                    << QStringList{"prog", ";rm", "-rf", "x|y", "$(z)"};
    }
    void commandLines()
    {
        QFETCH(QString, value);
        QFETCH(QStringList, programFiles);
        QFETCH(QStringList, command);
        const auto got = CompanionCommandLine(value, [&](const QString &p) { return programFiles.contains(p); });
        QCOMPARE(got ? QStringList{got->program} + got->arguments : QStringList{}, command);
    }

    void sysInfoTool_data()
    {
        QTest::addColumn<QByteArray>("specialIni");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("the key wins") << QByteArray("[Applications]\r\nSystemInfo=mytool --all\r\n")
                                      << QStringList{"kinfocenter"} << QStringList{"mytool", "--all"};
        QTest::newRow("empty key: the desktop's own") << QByteArray("[Applications]\r\nSystemInfo=\r\n")
                                                      << QStringList{"hardinfo", "kinfocenter"}
                                                      << QStringList{"/usr/bin/kinfocenter"};
        QTest::newRow("GNOME's about page") << QByteArray() << QStringList{"gnome-control-center", "hardinfo"}
                                            << QStringList{"/usr/bin/gnome-control-center", "info-overview"};
        QTest::newRow("unavailable") << QByteArray() << QStringList{} << QStringList{};
    }
    void sysInfoTool()
    {
        QFETCH(QByteArray, specialIni);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, command);
        TempTree tree;
        const QString ini = specialIni.isNull() ? tree.path(QStringLiteral("none.ini"))
                                                : tree.file(QStringLiteral("Special.ini"), specialIni);
        const auto got = SysInfoCommand(
            ini, [&](const QString &name) { return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString(); },
            [](const QString &) { return false; });
        QCOMPARE(got ? QStringList{got->program} + got->arguments : QStringList{}, command);
    }

    // The companion is started for real: a recorder in a folder with blanks (and
    // Greek letters) in its name writes down the arguments it received.
    void startsCompanion_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("value"); // PROG stands for the recorder's path
        QTest::addColumn<QStringList>("argv");
        QTest::newRow("program path with blanks") << "utf-8" << "PROG" << QStringList{};
        QTest::newRow("quoted program and arguments") << "utf-8" << "\"PROG\" \"two words\" plain \"it's\" \"\"\"q\"\"\""
                                                      << QStringList{"two words", "plain", "it's", "\"q\""};
        QTest::newRow("Special.ini in Windows-1253") << "windows-1253" << "\"PROG\" --λέξη" << QStringList{"--λέξη"};
        QTest::newRow("Special.ini in UTF-16") << "utf-16" << "\"PROG\" x" << QStringList{"x"};
    }
    void startsCompanion()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, value);
        QFETCH(QStringList, argv);
        TempTree tree;
        const QString program = tree.file(QStringLiteral("Εργαλεία μου/drive look"), Recorder);
        QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString line = QStringLiteral("[Applications]\r\nDrivelook=") + value.replace(QStringLiteral("PROG"), program)
                             + QStringLiteral("\r\n");
        const QByteArray bytes = encoding == QLatin1String("utf-16")        ? utf16(line)
                                 : encoding == QLatin1String("windows-1253") ? encodeWindows1253(line)
                                                                             : line.toUtf8();
        AppState state;
        state.LanguageGreek = false;
        state.SpecialIniFile = tree.file(QStringLiteral("Special.ini"), bytes);
        ScriptedPrompter prompter;
        const bool started = StartCompanion(prompter, state, QStringLiteral("Drivelook"), CompanionLocationCode);
        QVERIFY2(started && prompter.prompts.isEmpty(), qPrintable(prompter.prompts.value(0).text));
        const QString out = tree.path(QStringLiteral("Εργαλεία μου/argv.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
        QStringList got = QString::fromUtf8(tree.read(QStringLiteral("Εργαλεία μου/argv.txt"))).split(QLatin1Char('\n'));
        got.removeLast();
        QCOMPARE(got, argv);
    }

    void companionFailuresAreReported_data()
    {
        QTest::addColumn<QByteArray>("specialIni"); // null: no file
        QTest::addColumn<QString>("said");
        QTest::newRow("no Special.ini") << QByteArray() << "The settings file Special.ini does not exist";
        QTest::newRow("no section") << QByteArray("[Other]\r\nDrivelook=x\r\n") << "[Applications] Drivelook: no command line";
        QTest::newRow("empty key") << QByteArray("[Applications]\r\nDrivelook=  \r\n") << "[Applications] Drivelook: no command line";
        QTest::newRow("no such program") << QByteArray("[Applications]\r\nDrivelook=/nonexistent/drivelook -x\r\n")
                                         << "[Applications] Drivelook: the program could not be started";
    }
    void companionFailuresAreReported()
    {
        QFETCH(QByteArray, specialIni);
        QFETCH(QString, said);
        TempTree tree;
        AppState state;
        state.LanguageGreek = false;
        state.SpecialIniFile = specialIni.isNull() ? tree.path(QStringLiteral("Special.ini"))
                                                   : tree.file(QStringLiteral("Special.ini"), specialIni);
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Ok);
        QVERIFY(!StartCompanion(prompter, state, QStringLiteral("Drivelook"), CompanionLocationCode));
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY2(prompter.last().title.endsWith(QStringLiteral(", 127.")), qPrintable(prompter.last().title));
        QVERIFY2(prompter.last().text.contains(said), qPrintable(prompter.last().text));
    }
};

TIDYHALL_TEST_MAIN(AboutAndCompanionsTest)
#include "tst_AboutAndCompanions.moc"
