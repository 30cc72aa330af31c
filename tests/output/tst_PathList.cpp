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

class PathListTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        World() { BuildDataPaths(state, tree.root()); }
        QByteArray list(PathListKind kind) const { return tree.read(QFileInfo(PathListFile(state, kind)).fileName()); }
        SaveOutcome save(PathListKind kind, const QString &path, PromptButton answer = PromptButton::Yes)
        {
            prompter.answer(answer);
            return SavePathToList(prompter, state, kind, path);
        }
    };

private Q_SLOTS:
    // A null `bytes` is a missing file: nothing loads and nothing is created.
    void filesLoadWithoutHarm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("missing") << QByteArray() << QStringList{};
        QTest::newRow("windows-1253") << QByteArray("C:\\\xc4\xe5\xe4\xef\xec\xdd\xed\xe1\r\n/\xe1\r\n")
                                      << QStringList{QStringLiteral("C:\\Δεδομένα"), QStringLiteral("/α")};
        QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf/Δεδομένα\r\n") << QStringList{QStringLiteral("/Δεδομένα")};
        // Notepad's "Unicode" and "Unicode big endian"; and UTF-16 that lost its BOM.
        QTest::newRow("utf-16le with bom, cr lf")
            << QByteArray("\xff\xfe/\0\x94\x03\xb5\x03\r\0\n\0/\0b\0", 16)
            << QStringList{QStringLiteral("/Δε"), QStringLiteral("/b")};
        QTest::newRow("utf-16be with bom, lf")
            << QByteArray("\xfe\xff\0/\x03\x94\0\n\0/\0b\0\n", 14) << QStringList{QStringLiteral("/Δ"), "/b"};
        QTest::newRow("utf-16le without bom") << QByteArray("/\0a\0\r\0\n\0", 8) << QStringList{"/a"};
        QTest::newRow("lone cr, blanks skipped, others whole")
            << QByteArray("/a\r   \r\t\r\r /b \r") << QStringList{"/a", " /b "};
        const QByteArray longLine(100000, 'x');
        QTest::newRow("very long line") << QByteArray("/" + longLine + "\r\n")
                                        << QStringList{QStringLiteral("/") + QString::fromLatin1(longLine)};
    }
    void filesLoadWithoutHarm()
    {
        QFETCH(QByteArray, bytes);
        World w;
        if (!bytes.isNull())
            w.tree.file(QStringLiteral("RecentPaths.txt"), bytes);
        const std::optional<QStringList> loaded = LoadPathList(w.prompter, w.state, PathListKind::Recent);
        QCOMPARE(loaded.has_value(), !bytes.isNull());
        QTEST(loaded.value_or(QStringList()), "paths");
        QVERIFY(w.prompter.prompts.isEmpty());
        QCOMPARE(w.tree.exists(QStringLiteral("RecentPaths.txt")), !bytes.isNull());
    }

    // A null `before` is a missing list. Duplicates are exact: no folding of case,
    // slashes or blanks.
    void saving_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<PromptButton>("answer");
        QTest::addColumn<SaveOutcome>("outcome");
        QTest::addColumn<QByteArray>("after");
        const QByteArray old = "/data/Old\r\n";
        QTest::newRow("missing list created") << 2 << QByteArray() << QStringLiteral("/Δεδομένα") << PromptButton::Yes
                                              << SaveOutcome::Saved << QByteArray("/Δεδομένα\r\n");
        // CR CR LF is two line ends, as a lone CR is one.
        QTest::newRow("blank lines kept, every end made CR LF")
            << 1 << QByteArray("/a\r\n\r\n   \r\n/b\n/c\r\r\n/d") << QStringLiteral("/new") << PromptButton::Yes
            << SaveOutcome::Saved << QByteArray("/new\r\n/a\r\n\r\n   \r\n/b\r\n/c\r\n\r\n/d\r\n");
        // Read as UTF-16, written back as UTF-8 with CR LF: no NULs, no halves of characters.
        QTest::newRow("utf-16 list rewritten as utf-8")
            << 1 << QByteArray("\xff\xfe/\0\x94\x03\n\0", 8) << QStringLiteral("/new") << PromptButton::Yes
            << SaveOutcome::Saved << QByteArray("/new\r\n/Δ\r\n");
        QTest::newRow("utf-16 list, path already there")
            << 1 << QByteArray("\xfe\xff\0/\x03\x94", 6) << QStringLiteral("/Δ") << PromptButton::Yes
            << SaveOutcome::AlreadySaved << QByteArray("\xfe\xff\0/\x03\x94", 6);
        QTest::newRow("no") << 2 << QByteArray("/a\n") << QStringLiteral("/b") << PromptButton::No
                            << SaveOutcome::Declined << QByteArray("/a\n");
        QTest::newRow("same") << 1 << old << QStringLiteral("/data/Old") << PromptButton::Yes
                              << SaveOutcome::AlreadySaved << old;
        // A name with a line break would come back as two paths: refused, saying why.
        QTest::newRow("line break") << 1 << old << QStringLiteral("/data/two\nlines") << PromptButton::Ok
                                    << SaveOutcome::Failed << old;
        for (const char *other : {"/data/old", "/data/Old/", " /data/Old"})
            QTest::newRow(other) << 1 << old << QString::fromUtf8(other) << PromptButton::Yes << SaveOutcome::Saved
                                 << QByteArray(other) + "\r\n" + old;
    }
    void saving()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, before);
        QFETCH(QString, path);
        QFETCH(PromptButton, answer);
        World w;
        if (!before.isNull())
            w.tree.file(QFileInfo(PathListFile(w.state, PathListKind(kind))).fileName(), before);
        QTEST(w.save(PathListKind(kind), path, answer), "outcome");
        QTEST(w.list(PathListKind(kind)), "after");
        if (path.contains(u'\n'))
            QVERIFY(w.prompter.last().text.contains(QStringLiteral("περιέχει αλλαγή γραμμής")));
    }

    void newestPathComesFirst()
    {
        World w;
        for (const char *p : {"/A", "/B", "/C"})
            QCOMPARE(w.save(PathListKind::Recent, QString::fromLatin1(p)), SaveOutcome::Saved);
        QCOMPARE(w.list(PathListKind::Recent), QByteArray("/C\r\n/B\r\n/A\r\n"));
    }

    void promptsNameThePath()
    {
        World w;
        w.state.LanguageGreek = true;
        w.save(PathListKind::Monitored, QStringLiteral("/Δεδομένα"));
        QCOMPARE(w.prompter.last().title, QStringLiteral("Αποθήκευση διαδρομής για παρακολούθηση"));
        QCOMPARE(w.prompter.last().text, QStringLiteral("Θέλετε πράγματι να αποθηκεύσετε τη διαδρομή\r\n/Δεδομένα\r\n"
                                                        "στις διαδρομές για παρακολούθηση;"));
        w.state.LanguageGreek = false;
        w.save(PathListKind::Recent, QStringLiteral("/data"));
        QCOMPARE(w.save(PathListKind::Recent, QStringLiteral("/data")), SaveOutcome::AlreadySaved);
        QCOMPARE(w.prompter.last().icon, PromptIcon::Critical);
        QCOMPARE(w.prompter.last().title, QStringLiteral("Save recent path"));
        QCOMPARE(w.prompter.last().text, QStringLiteral("Path\r\n/data\r\nhas already been saved in the recent paths list."));
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
        const SaveOutcome outcome = w.save(PathListKind::Recent, QStringLiteral("/a much longer path"));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(outcome, SaveOutcome::Failed);
        QCOMPARE(w.list(PathListKind::Recent), old);
        QVERIFY(w.prompter.last().title.endsWith(QStringLiteral(", 054.")));
        QCOMPARE(QDir(w.tree.root()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("RecentPaths.txt")});
    }
};

TIDYHALL_TEST_MAIN(PathListTest)
#include "tst_PathList.moc"
