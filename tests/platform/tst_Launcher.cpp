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

    QString recordInto(const QString &name)
    {
        const QString record = m_tree.path(name);
        qputenv("RECORD", QFile::encodeName(record));
        return record;
    }

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
    void argumentsPassUnchanged_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("standInFromEnvironment");
        QTest::newRow("spaces and dash") << QStringList{QStringLiteral("-my file name.txt")} << false;
        QTest::newRow("shell characters, greek, empty")
            << QStringList{"a;b", "$HOME", "*", "`x`", "\"q\" 'r'", QStringLiteral("Έγγραφα/σημείωση.txt"), QString()}
            << false;
        QTest::newRow("stand-in from the environment") << QStringList{"-d", "x y"} << true;
    }
    void argumentsPassUnchanged()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, standInFromEnvironment);
        const QString record = recordInto(QStringLiteral("run.rec"));
        if (standInFromEnvironment)
            qputenv("TIDYHALL_LAUNCH_STANDIN", QFile::encodeName(m_standIn));
        else
            Launcher::setStandIn(m_standIn);
        QCOMPARE(Launcher::runAndWait(QStringLiteral("editor"), arguments), 3);
        QCOMPARE(recorded(record), QStringList{QStringLiteral("editor")} + arguments);
    }

    void detachedStartPassesArgumentsToo()
    {
        // The stand-in writes into a FIFO, so reading it waits for the program itself,
        // not for a guessed time.
        const QString fifo = recordInto(QStringLiteral("detached.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        Launcher::setStandIn(m_standIn);
        Launcher::startDetached(QStringLiteral("xdg-open"), {QStringLiteral("--"), QStringLiteral("-a b")});
        QCOMPARE(recorded(fifo), (QStringList{"xdg-open", "--", "-a b"}));
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
