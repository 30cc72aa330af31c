#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/Launcher.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QtTest>
#include <sys/stat.h>

// The launcher with a stand-in program that writes the arguments it was given, one
// per NUL, to the file named by $RECORD, and exits with 3.
class LauncherTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    QString m_standIn;

    static QStringList recorded(const QString &file)
    {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        QStringList args = QString::fromUtf8(f.readAll()).split(QChar(0));
        args.removeLast();
        return args;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_standIn = m_tree.file(QStringLiteral("stand in/record.sh"),
                                "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$RECORD\"\nexit 3\n");
        QFile::setPermissions(m_standIn, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void cleanup()
    {
        Launcher::setStandIn(QString());
        qunsetenv("TIDYHALL_LAUNCH_STANDIN");
    }

    // Each argument reaches the program whole: no shell, no splitting, no dropping.
    // A detached start writes into a FIFO, so reading it waits for the program itself,
    // not for a guessed time.
    void argumentsPassUnchanged_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("how");
        QTest::newRow("spaces and dash") << QStringList{"-my file name.txt"} << "wait";
        QTest::newRow("shell characters, greek, empty")
            << QStringList{"a;b", "$HOME", "*", "`x`", "\"q\" 'r'", QStringLiteral("Έγγραφα/σημείωση.txt"), QString()}
            << "wait";
        QTest::newRow("stand-in from the environment") << QStringList{"-d", "x y"} << "environment";
        QTest::newRow("detached") << QStringList{"--", "-a b"} << "detached";
    }
    void argumentsPassUnchanged()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, how);
        const QString record = m_tree.path(QString::fromLatin1(QTest::currentDataTag()));
        qputenv("RECORD", QFile::encodeName(record));
        if (how == QLatin1String("environment"))
            qputenv("TIDYHALL_LAUNCH_STANDIN", QFile::encodeName(m_standIn));
        else
            Launcher::setStandIn(m_standIn);
        if (how == QLatin1String("detached")) {
            QCOMPARE(::mkfifo(QFile::encodeName(record).constData(), 0600), 0);
            Launcher::startDetached(QStringLiteral("editor"), arguments);
        } else {
            QCOMPARE(Launcher::runAndWait(QStringLiteral("editor"), arguments), 3);
        }
        QCOMPARE(recorded(record), QStringList{QStringLiteral("editor")} + arguments);
    }

    // An empty program stands for a file that is not executable.
    void aProgramThatCannotStartIsAnError_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("number");
        QTest::newRow("missing path") << QStringLiteral("/nonexistent/editor") << 53;
        QTest::newRow("not on PATH") << QStringLiteral("no-such-editor-anywhere") << 53;
        QTest::newRow("not executable") << QString() << 70;
    }
    void aProgramThatCannotStartIsAnError()
    {
        QFETCH(QString, program);
        if (program.isEmpty())
            program = m_tree.file(QStringLiteral("plain.txt"), "text");
        for (const bool detached : {false, true}) {
            try {
                detached ? Launcher::startDetached(program, {}) : void(Launcher::runAndWait(program, {}));
                QFAIL("started");
            } catch (const RuntimeError &e) {
                QTEST(e.number, "number");
                QVERIFY(e.description.contains(program));
            }
        }
    }

    void aKilledProgramGivesMinusOne()
    {
        QCOMPARE(Launcher::runAndWait(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("kill -9 $$")}), -1);
    }
};

TIDYHALL_TEST_MAIN(LauncherTest)
#include "tst_Launcher.moc"
