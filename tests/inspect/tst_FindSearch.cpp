#include "TempTree.h"
#include "TestEnvironment.h"
#include "ScratchMount.h"
#include "inspect/FindSearch.h"
#include "platform/ExactName.h"
#include "platform/LegacyText.h"

#include <QProcess>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Drops to the rights of an ordinary user while it lives when the tests run as root, so
// a folder without permissions really cannot be read.
struct WithoutPrivileges
{
    bool dropped = ::geteuid() == 0 && ::seteuid(65534) == 0;
    ~WithoutPrivileges()
    {
        if (dropped && ::seteuid(0) != 0)
            qFatal("cannot return to root");
    }
};

constexpr int Block = 256 * 1024;

// Runs the search to its end on this thread, as an ordinary user.
QStringList search(const FindCriteria &c, FindSearch **keep = nullptr)
{
    auto *s = new FindSearch(c);
    {
        WithoutPrivileges user;
        s->run();
    }
    QStringList found;
    for (const FoundItem &item : s->takeFound()) {
        QString relative = item.folder.mid(c.startFolder.size() + 1);
        found << (relative.isEmpty() ? item.name : relative + QLatin1Char('/') + item.name);
    }
    found.sort();
    if (keep)
        *keep = s;
    else
        delete s;
    return found;
}

QString odd(const char *bytes)
{
    return ExactName::fromBytes(bytes);
}

} // namespace

class FindSearchTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;

    FindCriteria criteria(const QString &pattern, bool subFolders = true) const
    {
        FindCriteria c;
        c.startFolder = m_tree.root();
        c.pattern = pattern;
        c.subFolders = subFolders;
        return c;
    }

private Q_SLOTS:
    void initTestCase()
    {
        const auto at = [](int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(12, 0)); };
        QVERIFY(::chmod(QFile::encodeName(m_tree.root()).constData(), 0755) == 0);
        m_tree.file(QStringLiteral("notes.txt"), "hello world", at(2020, 5, 10));
        m_tree.file(QStringLiteral("Έγγραφο.TXT"), encodeWindows1253(QStringLiteral("Καλημέρα κόσμε")), at(2021, 1, 1));
        m_tree.file(QStringLiteral("utf8.txt"), QStringLiteral("Καλημέρα κόσμε").toUtf8(), at(2022, 3, 3));
        m_tree.file(QStringLiteral("sub/deep/report.txt"), "report", at(2019, 12, 31));
        m_tree.folder(QStringLiteral("sub/Φάκελλος"));
        const QByteArray oddName = QFile::encodeName(m_tree.path(QStringLiteral("sub/"))) + "caf\xE9.txt";
        const int fd = ::open(oddName.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        m_tree.symlink(QStringLiteral("sub/loop"), QStringLiteral(".."));
        m_tree.symlink(QStringLiteral("outside"), QStringLiteral("/usr"));
        // The text straddles the first two blocks the search reads.
        m_tree.file(QStringLiteral("big.bin"), QByteArray(Block - 3, 'a') + "NEEDLE" + QByteArray(100, 'b'), at(2018, 1, 1));
        m_tree.file(QStringLiteral("locked/secret.txt"), "hello", at(2020, 5, 10));
        QVERIFY(::chmod(QFile::encodeName(m_tree.path(QStringLiteral("locked"))).constData(), 0) == 0);
    }

    void cleanupTestCase()
    {
        ::chmod(QFile::encodeName(m_tree.path(QStringLiteral("locked"))).constData(), 0755);
        // Qt cannot remove a name that is not UTF-8.
        ::unlink((QFile::encodeName(m_tree.path(QStringLiteral("sub/"))) + "caf\xE9.txt").constData());
    }

    void finds_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("subFolders");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kinds");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("expected");
        const int both = int(FindKinds::Both);
        const QStringList allTxt{QStringLiteral("notes.txt"), QStringLiteral("sub/deep/report.txt"), QStringLiteral("sub/") + odd("caf\xE9.txt"),
                                 QStringLiteral("utf8.txt"), QStringLiteral("Έγγραφο.TXT")};
        QTest::newRow("pattern, sub-folders, odd and Greek names, case ignored")
            << "*.txt" << true << QString() << both << QDate() << QDate() << allTxt;
        QTest::newRow("start folder only")
            << "*.txt" << false << QString() << both << QDate() << QDate()
            << QStringList{QStringLiteral("notes.txt"), QStringLiteral("utf8.txt"), QStringLiteral("Έγγραφο.TXT")};
        QTest::newRow("Greek letters in either case") << "έγγραφο*" << true << QString() << both << QDate() << QDate()
                                                      << QStringList{QStringLiteral("Έγγραφο.TXT")};
        QTest::newRow("? is one character") << "utf?.txt" << true << QString() << both << QDate() << QDate()
                                            << QStringList{QStringLiteral("utf8.txt")};
        QTest::newRow("folders only; links listed as what they point to, never entered")
            << "" << true << QString() << int(FindKinds::Folders) << QDate() << QDate()
            << QStringList{QStringLiteral("locked"), QStringLiteral("outside"), QStringLiteral("sub"),
                           QStringLiteral("sub/deep"), QStringLiteral("sub/loop"), QStringLiteral("sub/Φάκελλος")};
        QTest::newRow("files only leave folders out") << "φάκελλος" << true << QString() << int(FindKinds::Files)
                                                      << QDate() << QDate() << QStringList{};
        QTest::newRow("text in UTF-8 and in Windows-1253")
            << "" << true << QStringLiteral("Καλημέρα") << both << QDate() << QDate()
            << QStringList{QStringLiteral("utf8.txt"), QStringLiteral("Έγγραφο.TXT")};
        QTest::newRow("text across two blocks") << "*.bin" << true << QStringLiteral("NEEDLE") << both << QDate()
                                                << QDate() << QStringList{QStringLiteral("big.bin")};
        QTest::newRow("text is case-sensitive bytes") << "" << true << QStringLiteral("HELLO") << both << QDate()
                                                      << QDate() << QStringList{};
        QTest::newRow("date range, both ends included")
            << "*.txt" << true << QString() << both << QDate(2020, 5, 10) << QDate(2021, 1, 1)
            << QStringList{QStringLiteral("notes.txt"), QStringLiteral("Έγγραφο.TXT")};
        QTest::newRow("date range open at its start")
            << "*.txt" << true << QString() << both << QDate() << QDate(2019, 12, 31)
            << QStringList{QStringLiteral("sub/deep/report.txt")};
        QTest::newRow("date range and text") << "" << true << QStringLiteral("Καλημέρα") << both << QDate(2022, 1, 1)
                                             << QDate() << QStringList{QStringLiteral("utf8.txt")};
    }
    void finds()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, subFolders);
        QFETCH(QString, text);
        QFETCH(int, kinds);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, expected);
        FindCriteria c = criteria(pattern, subFolders);
        c.text = text;
        c.kinds = FindKinds(kinds);
        if (from.isValid())
            c.modifiedFrom = from;
        if (to.isValid())
            c.modifiedTo = to;
        expected.sort();
        QCOMPARE(search(c), expected);
    }

    void reportsWhatItCouldNotRead()
    {
        FindSearch *s = nullptr;
        const QStringList found = search(criteria(QStringLiteral("secret*")), &s);
        std::unique_ptr<FindSearch> owned(s);
        QVERIFY(found.isEmpty());
        QCOMPARE(s->startError(), 0);
        const QList<UnreadableFolder> unreadable = s->unreadableFolders();
        QCOMPARE(unreadable.size(), 1);
        QCOMPARE(unreadable.first().path, m_tree.path(QStringLiteral("locked")));
        QCOMPARE(unreadable.first().error, EACCES);
    }

    void endsWithAReason_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("startError");
        QTest::addColumn<bool>("textTooLong");
        QTest::newRow("start folder gone") << QStringLiteral("/nonexistent-tidyhall") << QString() << ENOENT << false;
        QTest::newRow("start is a file") << QStringLiteral("notes.txt") << QString() << ENOTDIR << false;
        QTest::newRow("text longer than any file") << QString() << QString(Block * 2, QLatin1Char('z')) << 0 << true;
    }
    void endsWithAReason()
    {
        QFETCH(QString, start);
        QFETCH(QString, text);
        QFETCH(int, startError);
        QFETCH(bool, textTooLong);
        FindCriteria c = criteria(QString());
        if (!start.isEmpty())
            c.startFolder = start.startsWith(QLatin1Char('/')) ? start : m_tree.path(start);
        c.text = text;
        FindSearch *s = nullptr;
        QVERIFY(search(c, &s).isEmpty());
        std::unique_ptr<FindSearch> owned(s);
        QCOMPARE(s->startError(), startError);
        QCOMPARE(s->textLongerThanEveryFile(), textTooLong);
    }

    // Another volume inside the tree is not entered, nor is the tree mounted again
    // inside itself (which would otherwise never end).
    void staysOnTheStartVolume()
    {
        ScratchMount other = ScratchMount::tmpfs(QStringLiteral("size=1m"));
        if (!other.ok())
            QSKIP(qPrintable(QStringLiteral("no mount: ") + other.why()));
        TempTree tree;
        tree.file(QStringLiteral("a/one.txt"), "1");
        tree.folder(QStringLiteral("a/again"));
        QVERIFY(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), tree.root(), tree.path(QStringLiteral("a/again"))}) == 0);
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {tree.path(QStringLiteral("a/again"))}); });
        QFile f(other.path() + QStringLiteral("/elsewhere.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString otherParent = QFileInfo(other.path()).path();
        for (const QString &start : {tree.root(), otherParent}) {
            FindSearch s(FindCriteria{start, QStringLiteral("*.txt"), true, {}, {}, {}, FindKinds::Both});
            s.run();
            QStringList names;
            for (const FoundItem &item : s.takeFound())
                names << item.name;
            QCOMPARE(names, start == tree.root() ? QStringList{QStringLiteral("one.txt")} : QStringList{});
        }
    }

    // Stopping keeps what was found so far, and the thread ends.
    void stopKeepsResults()
    {
        FindSearch s(criteria(QString()));
        s.start();
        s.stop();
        while (!s.finished())
            QThread::msleep(1);
        QVERIFY(s.stopped());
        QCOMPARE(s.takeFound().size(), int(s.foundCount()));
    }
};

TIDYHALL_TEST_MAIN(FindSearchTest)
#include "tst_FindSearch.moc"
