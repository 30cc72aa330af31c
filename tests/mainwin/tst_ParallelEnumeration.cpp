#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/EnumerateFolder.h"
#include "mainwin/FolderEntryBlocks.h"
#include "platform/ExactName.h"

#include <QtTest>
#include <atomic>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

// A large folder is read on several threads at once; these tests hold that to the
// table one thread makes, entry for entry, and to a sound table while the folder
// changes under the listing. The program also runs once under ThreadSanitizer in a
// small build of its own.

namespace {

// Enough entries for many blocks, so every worker gets some.
constexpr int PlainFiles = int(FolderEntryBlock::Capacity) * 12;
// Odd names, folders, links, a pipe: made beside the plain files.
constexpr int OtherEntries = 14;

QByteArray bytesOf(const QString &path) { return ExactName::toBytes(path); }

void makeFile(const QByteArray &path, qint64 size, time_t modified)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    QVERIFY(::ftruncate(fd, size) == 0);
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    QVERIFY(::futimens(fd, times) == 0);
    ::close(fd);
}

QString describe(const ListedItem &item)
{
    return QStringLiteral("%1|%2|%3|%4 %5|%6%7%8%9")
        .arg(ExactName::shown(item.name))
        .arg(item.isFolder)
        .arg(item.size)
        .arg(item.date)
        .arg(item.time)
        .arg(item.hidden)
        .arg(item.system)
        .arg(item.readOnly)
        .arg(item.archive);
}

QStringList describe(const ItemTable &table)
{
    QStringList lines;
    for (const ListedItem &item : table)
        lines.append(describe(item));
    return lines;
}

} // namespace

class ParallelEnumerationTest : public QObject
{
    Q_OBJECT
private:
    TempTree m_tree;
    QByteArray m_root;

private Q_SLOTS:
    void initTestCase()
    {
        // A zone with summer time, so each worker's own clock meets both offsets and
        // the hours where they change.
        qputenv("TZ", "Europe/Athens");
        ::tzset();
        m_root = bytesOf(m_tree.root()) + '/';
        const time_t base = 1711846800; // 2024-03-31 01:00 UTC, the spring change in Athens
        for (int i = 0; i < PlainFiles; ++i) {
            const QByteArray name = i % 3 == 0   ? "αρχείο " + QByteArray::number(i).toHex() + ".txt"
                                    : i % 3 == 1 ? "file-" + QByteArray::number(i) + ".dat"
                                                 : "Ünïcode " + QByteArray::number(i);
            // Times from decades apart down to seconds around the change of offset.
            const time_t when = i % 2 ? base - 7200 + i : base - time_t(i) * 86400 * 7;
            makeFile(m_root + name, i % 17 == 0 ? (qint64(i) << 24) : i, when);
            if (i % 5 == 0)
                QVERIFY(::setxattr((m_root + name).constData(), "user.DOSATTRIB", "0x22", 4, 0) == 0
                        || errno == ENOTSUP);
            if (i % 7 == 0)
                ::setxattr((m_root + name).constData(), "user.DOSATTRIB", "not a record", 12, 0);
        }
        const QList<QByteArray> oddNames{"latin1 caf\xe9", "cp1253 \xc1\xe8\xde\xed\xe1", "lone \xff",
                                         "half \xce", "line\nbreak", "-rf"};
        for (const QByteArray &name : oddNames)
            makeFile(m_root + name, 3, base);
        QVERIFY(::mkdir((m_root + "folder").constData(), 0755) == 0);
        QVERIFY(::mkdir((m_root + "locked folder").constData(), 0) == 0);
        makeFile(m_root + "unreadable file", 7, base);
        QVERIFY(::chmod((m_root + "unreadable file").constData(), 0) == 0);
        QVERIFY(::mkfifo((m_root + "pipe").constData(), 0600) == 0);
        QVERIFY(::symlink("nowhere", (m_root + "dangling").constData()) == 0);
        QVERIFY(::symlink("loop", (m_root + "loop").constData()) == 0);
        QVERIFY(::symlink("folder", (m_root + "link to folder").constData()) == 0);
        QVERIFY(::symlink("lone \xff", (m_root + "link to odd").constData()) == 0);
    }

    void cleanupTestCase()
    {
        // The tree's removal needs to see inside.
        ::chmod((m_root + "locked folder").constData(), 0755);
    }

    void sameTableAsOneThread_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("workers");
        QTest::newRow("everything, 2 workers") << QStringLiteral("*.*") << 2;
        QTest::newRow("everything, 8 workers") << QStringLiteral("*.*") << 8;
        QTest::newRow("Greek names only, 3 workers") << QStringLiteral("αρχ*") << 3;
        QTest::newRow("by extension, any case, 2 workers") << QStringLiteral("*.TXT") << 2;
        QTest::newRow("one odd character, 4 workers") << QStringLiteral("lone ?") << 4;
        QTest::newRow("as many as the processors") << QStringLiteral("*") << 0;
    }
    void sameTableAsOneThread()
    {
        QFETCH(QString, pattern);
        QFETCH(int, workers);
        ItemTable alone;
        AppState aloneState;
        EnumerateFolder(alone, aloneState, m_tree.root(), pattern, 1);
        ItemTable together;
        AppState togetherState;
        if (workers == 0)
            EnumerateFolder(together, togetherState, m_tree.root(), pattern);
        else
            EnumerateFolder(together, togetherState, m_tree.root(), pattern, workers);
        QCOMPARE(describe(together), describe(alone));
        // Nothing lost at the edges of the blocks: every entry of the folder is there.
        if (pattern.startsWith(QLatin1Char('*')) && pattern.size() <= 3)
            QCOMPARE(qsizetype(alone.size()), qsizetype(PlainFiles + OtherEntries));
        QCOMPARE(togetherState.FoldersFound, aloneState.FoldersFound);
        QCOMPARE(togetherState.FilesFound, aloneState.FilesFound);
        QCOMPARE(togetherState.BytesFound, aloneState.BytesFound);
        QCOMPARE(togetherState.ListingStale, false);
    }

    // Entries come and go while the folder is read: every entry that stays is listed
    // once, nothing is listed twice, and the counters agree with the table.
    void folderChangingWhileRead()
    {
        TempTree tree;
        const QByteArray root = bytesOf(tree.root()) + '/';
        const int stableCount = int(FolderEntryBlock::Capacity) * 6;
        std::set<QString> stable;
        for (int i = 0; i < stableCount; ++i) {
            const QByteArray name = "stable " + QByteArray::number(i);
            makeFile(root + name, 1, 1000000000);
            stable.insert(QString::fromLatin1(name));
        }
        std::atomic<bool> done{false};
        std::thread churn([&] {
            for (int round = 0; !done.load(); ++round) {
                const QByteArray name = root + "churn " + QByteArray::number(round % 500);
                const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                if (fd >= 0)
                    ::close(fd);
                if (round % 3 == 0)
                    ::unlink((root + "churn " + QByteArray::number((round * 7) % 500)).constData());
                if (round % 11 == 0)
                    ::rename(name.constData(), (root + "renamed " + QByteArray::number(round % 97)).constData());
            }
        });
        for (int run = 0; run < 15; ++run) {
            ItemTable table;
            AppState state;
            EnumerateFolder(table, state, tree.root(), QStringLiteral("*.*"), 3);
            std::set<QString> seen;
            std::int64_t stableSeen = 0;
            for (const ListedItem &item : table) {
                QVERIFY2(seen.insert(item.name).second, qPrintable(item.name));
                if (stable.count(item.name))
                    ++stableSeen;
                else
                    QVERIFY2(item.name.startsWith(QLatin1String("churn ")) || item.name.startsWith(QLatin1String("renamed ")),
                             qPrintable(item.name));
            }
            QCOMPARE(stableSeen, std::int64_t(stableCount));
            QCOMPARE(state.FilesFound + state.FoldersFound, std::int64_t(table.size()));
        }
        done = true;
        churn.join();
    }
};

TIDYHALL_TEST_MAIN(ParallelEnumerationTest)
#include "tst_ParallelEnumeration.moc"
