#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "output/PathList.h"

#include <QDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

class PathListTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        World() { BuildDataPaths(state, tree.root()); }
        QByteArray recent() const { return tree.read(QStringLiteral("RecentPaths.txt")); }
        QByteArray monitored() const { return tree.read(QStringLiteral("MonitoredPaths.txt")); }
    };

private Q_SLOTS:
    void linesEndWithCrLfLfOrLoneCr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QStringLiteral("/a\r\n/b\r\n") << QStringList{"/a", "/b"};
        QTest::newRow("lf") << QStringLiteral("/a\n/b\n") << QStringList{"/a", "/b"};
        QTest::newRow("lone cr") << QStringLiteral("/a\r/b\r") << QStringList{"/a", "/b"};
        QTest::newRow("no final end") << QStringLiteral("/a\r\n/b") << QStringList{"/a", "/b"};
        QTest::newRow("mixed") << QStringLiteral("/a\r/b\n/c\r\n/d") << QStringList{"/a", "/b", "/c", "/d"};
        QTest::newRow("blank lines kept") << QStringLiteral("\r\n/a\r\n\r\n  \r\n")
                                          << QStringList{"", "/a", "", "  "};
        QTest::newRow("cr cr lf is two ends") << QStringLiteral("/a\r\r\n/b") << QStringList{"/a", "", "/b"};
        QTest::newRow("empty") << QString() << QStringList{};
    }
    void linesEndWithCrLfLfOrLoneCr()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitListLines(text), lines);
    }

    void blankLinesAreSkippedOthersKeptWhole()
    {
        const QStringList lines{"/a", "", "   ", " /b ", "/c"};
        QCOMPARE(PathsOfLines(lines), (QStringList{"/a", " /b ", "/c"}));
    }

    void badFilesLoadWithoutHarm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("windows-1253") << QByteArray("C:\\\xc4\xe5\xe4\xef\xec\xdd\xed\xe1\r\n/\xe1\r\n")
                                      << QStringList{QStringLiteral("C:\\Δεδομένα"), QStringLiteral("/α")};
        QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf/Δεδομένα\r\n")
                                        << QStringList{QStringLiteral("/Δεδομένα")};
        QTest::newRow("lone cr and spaces") << QByteArray("/a\r   \r\r/b\r") << QStringList{"/a", "/b"};
        QTest::newRow("only blank lines") << QByteArray("\r\n  \r\n\n") << QStringList{};
        QTest::newRow("not folders") << QByteArray("/etc/hostname\r\nnot a path\r\n")
                                     << QStringList{"/etc/hostname", "not a path"};
        const QByteArray longLine(100000, 'x');
        QTest::newRow("very long line") << QByteArray("/" + longLine + "\r\n")
                                        << QStringList{QStringLiteral("/") + QString::fromLatin1(longLine)};
    }
    void badFilesLoadWithoutHarm()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, paths);
        World w;
        w.tree.file(QStringLiteral("RecentPaths.txt"), bytes);
        const std::optional<QStringList> loaded = LoadPathList(w.prompter, w.state, PathListKind::Recent);
        QVERIFY(loaded.has_value());
        QCOMPARE(*loaded, paths);
        QVERIFY(w.prompter.prompts.isEmpty());
    }

    void missingFileLoadsAsNothing()
    {
        World w;
        QVERIFY(!LoadPathList(w.prompter, w.state, PathListKind::Monitored).has_value());
        QVERIFY(w.prompter.prompts.isEmpty());
        QVERIFY(!w.tree.exists(QStringLiteral("MonitoredPaths.txt")));
    }

    void ensureCreatesEmptyAndNeverTruncates()
    {
        World w;
        QVERIFY(EnsureListFile(w.prompter, w.state, PathListKind::Recent));
        QVERIFY(w.tree.exists(QStringLiteral("RecentPaths.txt")));
        QCOMPARE(w.recent(), QByteArray());
        w.tree.file(QStringLiteral("RecentPaths.txt"), "/kept\r\n");
        QVERIFY(EnsureListFile(w.prompter, w.state, PathListKind::Recent));
        QCOMPARE(w.recent(), QByteArray("/kept\r\n"));
    }

    void ensureReportsAFolderInTheWay()
    {
        World w;
        w.tree.folder(QStringLiteral("RecentPaths.txt"));
        QVERIFY(!EnsureListFile(w.prompter, w.state, PathListKind::Recent));
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 052.")));
    }

    void newestPathComesFirst()
    {
        World w;
        for (const char *p : {"/A", "/B", "/C"}) {
            w.prompter.answer(PromptButton::Yes);
            QCOMPARE(SavePathToList(w.prompter, w.state, PathListKind::Recent, QString::fromLatin1(p)),
                     SaveOutcome::Saved);
        }
        QCOMPARE(w.recent(), QByteArray("/C\r\n/B\r\n/A\r\n"));
        QCOMPARE(w.prompter.unexpected, 0);
    }

    void duplicatesAreComparedExactly_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("saved");
        QTest::newRow("same") << QStringLiteral("/data/Old") << false;
        QTest::newRow("other case") << QStringLiteral("/data/old") << true;
        QTest::newRow("trailing slash") << QStringLiteral("/data/Old/") << true;
        QTest::newRow("leading space") << QStringLiteral(" /data/Old") << true;
    }
    void duplicatesAreComparedExactly()
    {
        QFETCH(QString, second);
        QFETCH(bool, saved);
        World w;
        w.state.LanguageGreek = false;
        w.prompter.answer(PromptButton::Yes);
        SavePathToList(w.prompter, w.state, PathListKind::Recent, QStringLiteral("/data/Old"));
        const QByteArray before = w.recent();
        if (saved)
            w.prompter.answer(PromptButton::Yes);
        const SaveOutcome outcome = SavePathToList(w.prompter, w.state, PathListKind::Recent, second);
        QCOMPARE(outcome, saved ? SaveOutcome::Saved : SaveOutcome::AlreadySaved);
        if (saved) {
            QCOMPARE(w.recent(), second.toUtf8() + "\r\n" + before);
        } else {
            QCOMPARE(w.recent(), before);
            QCOMPARE(w.prompter.last().icon, PromptIcon::Critical);
            QCOMPARE(w.prompter.last().buttons, QList<PromptButton>{PromptButton::Ok});
            QCOMPARE(w.prompter.last().title, QStringLiteral("Save recent path"));
            QCOMPARE(w.prompter.last().text,
                     QStringLiteral("Path\r\n/data/Old\r\nhas already been saved in the recent paths list."));
        }
    }

    void blankLinesStayInTheFileOnSave()
    {
        World w;
        w.tree.file(QStringLiteral("RecentPaths.txt"), "/a\r\n\r\n   \r\n/b\n/c\r");
        w.prompter.answer(PromptButton::Yes);
        QCOMPARE(SavePathToList(w.prompter, w.state, PathListKind::Recent, QStringLiteral("/new")),
                 SaveOutcome::Saved);
        QCOMPARE(w.recent(), QByteArray("/new\r\n/a\r\n\r\n   \r\n/b\r\n/c\r\n"));
    }

    void savingCreatesAMissingMonitoredList()
    {
        World w;
        w.state.LanguageGreek = true;
        w.prompter.answer(PromptButton::Yes);
        QCOMPARE(SavePathToList(w.prompter, w.state, PathListKind::Monitored, QStringLiteral("/Δεδομένα")),
                 SaveOutcome::Saved);
        QCOMPARE(w.monitored(), QByteArray("/Δεδομένα\r\n"));
        const auto &question = w.prompter.last();
        QCOMPARE(question.icon, PromptIcon::Question);
        QCOMPARE(question.buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
        QCOMPARE(question.title, QStringLiteral("Αποθήκευση διαδρομής για παρακολούθηση"));
        QCOMPARE(question.text, QStringLiteral("Θέλετε πράγματι να αποθηκεύσετε τη διαδρομή\r\n/Δεδομένα\r\n"
                                               "στις διαδρομές για παρακολούθηση;"));
    }

    void noLeavesTheListAsItWas()
    {
        World w;
        w.tree.file(QStringLiteral("MonitoredPaths.txt"), "/a\n");
        w.prompter.answer(PromptButton::No);
        QCOMPARE(SavePathToList(w.prompter, w.state, PathListKind::Monitored, QStringLiteral("/b")),
                 SaveOutcome::Declined);
        QCOMPARE(w.monitored(), QByteArray("/a\n"));
    }

    void theListIsReplacedNotRewritten()
    {
        // A reader that opened the old list keeps reading the old list whole.
        World w;
        const QString file = w.tree.file(QStringLiteral("RecentPaths.txt"), "/a\r\n");
        const QString reader = w.tree.path(QStringLiteral("reader"));
        QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(reader).constData()), 0);
        w.prompter.answer(PromptButton::Yes);
        SavePathToList(w.prompter, w.state, PathListKind::Recent, QStringLiteral("/b"));
        QCOMPARE(w.recent(), QByteArray("/b\r\n/a\r\n"));
        QCOMPARE(w.tree.read(QStringLiteral("reader")), QByteArray("/a\r\n"));
    }

    void aFailedWriteKeepsTheOldList()
    {
        World w;
        const QByteArray old = "/a\r\n/b\r\n";
        w.tree.file(QStringLiteral("RecentPaths.txt"), old);
        // A file-size limit below the new list's size makes the write fail, even as root.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = 4;
        setrlimit(RLIMIT_FSIZE, &tight);
        w.prompter.answer(PromptButton::Yes);
        const SaveOutcome outcome =
            SavePathToList(w.prompter, w.state, PathListKind::Recent, QStringLiteral("/a much longer path"));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(outcome, SaveOutcome::Failed);
        QCOMPARE(w.recent(), old);
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 054.")));
        const QStringList left = QDir(w.tree.root()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList{QStringLiteral("RecentPaths.txt")});
    }
};

TIDYHALL_TEST_MAIN(PathListTest)
#include "tst_PathList.moc"
