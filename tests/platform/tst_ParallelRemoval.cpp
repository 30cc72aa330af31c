// Deleting for good with several threads: the same items go as with one, the first
// error or cancel of any thread reaches the caller, and nothing outside the tree is
// touched. Needs only the core platform code, so that it also runs under ThreadSanitizer.
#include "platform/ExactName.h"
#include "platform/SafeCopy.h"

#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <condition_variable>
#include <fcntl.h>
#include <linux/fs.h>
#include <mutex>
#include <set>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int Workers = 4;

void makeFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    QCOMPARE(::write(fd, "x", 1), 1);
    ::close(fd);
}

// Only folders at the top, so that the calling thread hands some over before it
// removes anything itself. Returns the number of items below `root`.
int makeTree(const QByteArray &root, int folders, int filesEach, const QList<QByteArray> &odd = {})
{
    int items = 0;
    ::mkdir(root.constData(), 0755);
    for (int d = 0; d < folders; ++d) {
        const QByteArray folder = root + "/d" + QByteArray::number(d);
        ::mkdir(folder.constData(), 0755);
        ::mkdir((folder + "/inner").constData(), 0755);
        items += 2;
        for (int f = 0; f < filesEach; ++f, ++items)
            makeFile(folder + (f % 2 ? "/inner/f" : "/f") + QByteArray::number(f));
        for (const QByteArray &name : odd) {
            makeFile(folder + '/' + name);
            ++items;
        }
    }
    return items;
}

bool exists(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

int countBelow(const QByteArray &root)
{
    int n = 0;
    for (const QByteArray &name : SafeCopy::listFolder(root)) {
        const QByteArray path = SafeCopy::joinPath(root, name);
        ++n;
        struct stat st;
        if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            n += countBelow(path);
    }
    return n;
}

bool setImmutable(const QByteArray &path, bool on)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

// Counts removals and the threads they came from. The calling thread's first removal
// waits until another thread has removed something, so a run with several workers
// shows that it shared the work (the wait is only a guard against a hang).
class Recorder
{
public:
    std::atomic<int> calls{0};

    void operator()()
    {
        ++calls;
        std::unique_lock lock(m_mutex);
        m_threads.insert(std::this_thread::get_id());
        if (std::this_thread::get_id() != m_caller) {
            m_wake.notify_all();
        } else if (m_waitForOthers) {
            m_waitForOthers = false;
            m_wake.wait_for(lock, std::chrono::seconds(20), [&] { return m_threads.size() > 1; });
        }
    }
    std::size_t threads()
    {
        const std::lock_guard lock(m_mutex);
        return m_threads.size();
    }
    void waitForOthers() { m_waitForOthers = true; }

private:
    const std::thread::id m_caller = std::this_thread::get_id();
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::set<std::thread::id> m_threads;
    bool m_waitForOthers = false;
};

} // namespace

class ParallelRemovalTest : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    QByteArray m_root;

    QByteArray path(const char *relative) const { return m_root + '/' + relative; }

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_root = ExactName::toBytes(m_dir->path());
    }
    void cleanup() { m_dir.reset(); }

    // The same tree removed by one thread and by several: everything goes, with one
    // call per item, links as links (what they point at outside stays), awkward names,
    // our own copy's read-only folders opened up (root needs no opening: see below).
    void sameAsOneThread_data()
    {
        QTest::addColumn<bool>("ours");
        QTest::addColumn<bool>("readOnlyFolders");
        QTest::addColumn<bool>("links");
        QTest::addColumn<bool>("oddNames");
        QTest::newRow("plain") << false << false << false << false;
        QTest::newRow("awkward names") << false << false << false << true;
        QTest::newRow("links to folders outside") << false << false << true << false;
        QTest::newRow("own copy with read-only folders") << true << true << false << false;
    }
    void sameAsOneThread()
    {
        QFETCH(bool, ours);
        QFETCH(bool, readOnlyFolders);
        QFETCH(bool, links);
        QFETCH(bool, oddNames);
        const QByteArray outside = path("outside");
        makeTree(outside, 2, 3);
        const int outsideItems = countBelow(outside);
        const QList<QByteArray> odd = oddNames ? QList<QByteArray>{QByteArray("caf\xe9\xff"), "line\nbreak", "-rf", "--"}
                                               : QList<QByteArray>{};
        for (const int workers : {1, Workers}) {
            const QByteArray tree = path(workers == 1 ? "serial" : "parallel");
            int items = makeTree(tree, 24, 60, odd);
            for (int d = 0; d < 24; ++d) {
                const QByteArray folder = tree + "/d" + QByteArray::number(d);
                if (links) {
                    QCOMPARE(::symlink(outside.constData(), (folder + "/out").constData()), 0);
                    QCOMPARE(::symlink((outside + "/d0").constData(), (folder + "/inner/out").constData()), 0);
                    items += 2;
                }
                if (readOnlyFolders)
                    QCOMPARE(::chmod((folder + "/inner").constData(), 0555), 0);
            }
            Recorder recorder;
            if (workers > 1)
                recorder.waitForOthers();
            SafeCopy::removeTreeAs(tree, std::ref(recorder), ours, workers);
            QVERIFY(!exists(tree));
            QCOMPARE(recorder.calls.load(), items + 1);
            QCOMPARE(recorder.threads() > 1, workers > 1);
            QCOMPARE(countBelow(outside), outsideItems);
        }
    }

    // An entry no thread may remove (immutable stops root too): the caller gets that
    // error whichever thread met it, and after it is cleared a second attempt removes
    // exactly what the first left.
    void firstErrorReachesTheCaller_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<QByteArray>("immutable");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("file, one thread") << 1 << QByteArray("d0/inner/f1") << QByteArray("d0/inner/f1");
        QTest::newRow("file, several") << Workers << QByteArray("d0/inner/f1") << QByteArray("d0/inner/f1");
        QTest::newRow("read-only folder, one thread") << 1 << QByteArray("d7/inner") << QByteArray("d7/inner/f1");
        QTest::newRow("read-only folder, several") << Workers << QByteArray("d7/inner") << QByteArray("d7/inner/f1");
    }
    void firstErrorReachesTheCaller()
    {
        QFETCH(int, workers);
        QFETCH(QByteArray, immutable);
        QFETCH(QByteArray, named);
        const QByteArray tree = path("tree");
        const int items = makeTree(tree, 16, 2); // one file in each inner folder: f1
        const QByteArray blocked = tree + '/' + immutable;
        if (!setImmutable(blocked, true))
            QSKIP("the temporary folder's volume has no immutable flag");
        std::atomic<int> calls{0};
        const auto count = [&] { ++calls; };
        int err = 0;
        QByteArray failed;
        try {
            SafeCopy::removeTreeAs(tree, count, false, workers);
        } catch (const FileError &e) {
            err = e.err;
            failed = e.path;
        }
        QVERIFY(setImmutable(blocked, false));
        QCOMPARE(err, EPERM);
        QCOMPARE(failed, tree + '/' + named);
        QVERIFY(exists(tree + '/' + named));
        QCOMPARE(calls.load(), items - countBelow(tree));
        SafeCopy::removeTreeAs(tree, count, false, workers);
        QVERIFY(!exists(tree));
        QCOMPARE(calls.load(), items + 1);
    }

    // A cancel from the callback on any thread stops them all: each thread removes at
    // most the one item it was on, and the caller sees the cancel.
    void cancelStopsEveryThread()
    {
        const QByteArray tree = path("tree");
        const int items = makeTree(tree, 24, 80);
        std::atomic<int> calls{0};
        // Decided by the count each call itself made: a separate flag would let a
        // thread that counted past 100 before the flag was set go on.
        const auto removed = [&] {
            if (++calls >= 100)
                throw OperationCancelled{};
        };
        bool cancelled = false;
        try {
            SafeCopy::removeTreeAs(tree, removed, false, Workers);
        } catch (const OperationCancelled &) {
            cancelled = true;
        }
        QVERIFY(cancelled);
        QVERIFY2(calls <= 100 + Workers - 1, qPrintable(QString::number(calls.load())));
        QCOMPARE(countBelow(tree), items - calls);
    }
};

QTEST_GUILESS_MAIN(ParallelRemovalTest)
#include "tst_ParallelRemoval.moc"
