#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/Launcher.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QtTest>
#include <sys/stat.h>

// The launcher with a stand-in program that writes the arguments it was given, one
// per NUL, to the file named by $RECORD.
class LauncherTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    QString m_standIn;

    QStringList recorded(const QString &file) const
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList args = QString::fromUtf8(f.readAll()).split(QChar(0));
        if (!args.isEmpty() && args.constLast().isEmpty())
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
    void cleanup() { Launcher::setStandIn(QString()); }

    void argumentsPassUnchanged_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("spaces and dash") << QStringList{QStringLiteral("-my file name.txt")};
        QTest::newRow("shell characters") << QStringList{QStringLiteral("a;b"), QStringLiteral("$HOME"),
                                                         QStringLiteral("*"), QStringLiteral("`x`"),
                                                         QStringLiteral("\"q\" 'r'")};
        QTest::newRow("greek and empty") << QStringList{QStringLiteral("Έγγραφα/σημείωση.txt"), QString()};
        QTest::newRow("none") << QStringList{};
    }
    void argumentsPassUnchanged()
    {
        QFETCH(QStringList, arguments);
        const QString record = m_tree.path(QStringLiteral("run.rec"));
        qputenv("RECORD", QFile::encodeName(record));
        Launcher::setStandIn(m_standIn);
        QCOMPARE(Launcher::runAndWait(QStringLiteral("editor"), arguments), 3);
        QCOMPARE(recorded(record), QStringList{QStringLiteral("editor")} + arguments);
    }

    void theStandInCanComeFromTheEnvironment()
    {
        const QString record = m_tree.path(QStringLiteral("env.rec"));
        qputenv("RECORD", QFile::encodeName(record));
        qputenv("TIDYHALL_LAUNCH_STANDIN", QFile::encodeName(m_standIn));
        const int code = Launcher::runAndWait(QStringLiteral("lp"), {QStringLiteral("-d"), QStringLiteral("x y")});
        qunsetenv("TIDYHALL_LAUNCH_STANDIN");
        QCOMPARE(code, 3);
        QCOMPARE(recorded(record), (QStringList{"lp", "-d", "x y"}));
    }

    void detachedStartPassesArgumentsToo()
    {
        // The stand-in writes into a FIFO, so reading it waits for the program itself,
        // not for a guessed time.
        const QString fifo = m_tree.path(QStringLiteral("detached.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        qputenv("RECORD", QFile::encodeName(fifo));
        Launcher::setStandIn(m_standIn);
        Launcher::startDetached(QStringLiteral("xdg-open"), {QStringLiteral("--"), QStringLiteral("-a b")});
        QCOMPARE(recorded(fifo), (QStringList{"xdg-open", "--", "-a b"}));
    }

    void aProgramThatCannotStartIsAnError_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("number");
        QTest::newRow("missing path") << QStringLiteral("/nonexistent/editor") << 53;
        QTest::newRow("not on PATH") << QStringLiteral("no-such-editor-anywhere") << 53;
        QTest::newRow("not executable") << QStringLiteral("plain") << 70;
    }
    void aProgramThatCannotStartIsAnError()
    {
        QFETCH(QString, program);
        QFETCH(int, number);
        if (program == QLatin1String("plain"))
            program = m_tree.file(QStringLiteral("plain.txt"), "text");
        for (const bool detached : {false, true}) {
            try {
                if (detached)
                    Launcher::startDetached(program, {});
                else
                    Launcher::runAndWait(program, {});
                QFAIL("started");
            } catch (const RuntimeError &e) {
                QCOMPARE(e.number, number);
                QVERIFY(e.description.contains(program));
            }
        }
    }

    void theExitCodeComesBack()
    {
        QCOMPARE(Launcher::runAndWait(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exit 7")}), 7);
        QCOMPARE(Launcher::runAndWait(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("kill -9 $$")}), -1);
    }
};

TIDYHALL_TEST_MAIN(LauncherTest)
#include "tst_Launcher.moc"
