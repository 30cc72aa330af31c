#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/EnumerateFolder.h"
#include "platform/RuntimeError.h"

#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::int64_t FiveGiB = 5LL * 1024 * 1024 * 1024;

const ListedItem *find(const ItemTable &table, const QString &name)
{
    for (const ListedItem &item : table) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

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

} // namespace

class EnumerateFolderTest : public QObject
{
    Q_OBJECT
private:
    TempTree m_tree;

private Q_SLOTS:
    void initTestCase()
    {
        m_tree.file(QStringLiteral("visible.txt"), QByteArray(12345, 'x'), QDateTime(QDate(2003, 7, 14), QTime(9, 30, 5)));
        m_tree.file(QStringLiteral(".hidden"), "abc");
        m_tree.folder(QStringLiteral("sub"));
        m_tree.folder(QStringLiteral(".hiddendir"));
        m_tree.folder(QStringLiteral("archive.txt"));
        m_tree.symlink(QStringLiteral("link-to-file"), QStringLiteral("visible.txt"));
        m_tree.symlink(QStringLiteral("link-to-folder"), QStringLiteral("sub"));
        m_tree.symlink(QStringLiteral("dangling"), QStringLiteral("nowhere"));
        m_tree.file(QStringLiteral("spaced"), "1");
        m_tree.file(QStringLiteral(" spaced"), "22");
        m_tree.file(QStringLiteral("spaced "), "333");
        m_tree.file(QStringLiteral("Έγγραφο.TXT"), "4444");
        const QString huge = m_tree.file(QStringLiteral("huge.bin"));
        QVERIFY(::truncate(QFile::encodeName(huge).constData(), FiveGiB) == 0);
    }

    // Each item as "name: D for a folder, size, H when hidden".
    void entries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("file") << "visible.txt: 12345";
        QTest::newRow("hidden file") << ".hidden: 3 H";
        QTest::newRow("folder") << "sub: D 0";
        QTest::newRow("link to a file, as the file") << "link-to-file: 12345";
        QTest::newRow("link to a folder, as the folder") << "link-to-folder: D 0";
        QTest::newRow("dangling link, empty file") << "dangling: 0";
        QTest::newRow("leading space kept") << " spaced: 2";
        QTest::newRow("trailing space kept") << "spaced : 3";
        QTest::newRow("Greek name") << "Έγγραφο.TXT: 4";
        QTest::newRow("5 GiB file") << "huge.bin: 5368709120";
    }
    void entries()
    {
        QFETCH(QString, entry);
        ItemTable table;
        AppState state;
        EnumerateFolder(table, state, m_tree.root(), QStringLiteral("*.*"));
        const QString name = entry.section(QStringLiteral(": "), 0, 0);
        const ListedItem *item = find(table, name);
        QVERIFY2(item, qPrintable(name));
        QCOMPARE(name + QStringLiteral(": ") + (item->isFolder ? QStringLiteral("D ") : QString())
                     + QString::number(item->size) + (item->hidden ? QStringLiteral(" H") : QString()),
                 entry);
    }

    void countersAndDates()
    {
        ItemTable table{ListedItem{}};
        AppState state;
        state.ListingStale = true;
        EnumerateFolder(table, state, m_tree.root() + QLatin1Char('/'), QStringLiteral("*.*"));
        QCOMPARE(state.CurrentPath, m_tree.root() + QLatin1Char('/')); // the "/" given is not doubled
        QVERIFY(!state.ListingStale);
        QCOMPARE(qint64(table.size()), qint64(13));
        QVERIFY(!find(table, QStringLiteral(".")) && !find(table, QStringLiteral("..")));
        QCOMPARE(state.FoldersFound, 4); // sub, .hiddendir, archive.txt, link-to-folder
        QCOMPARE(state.FilesFound, 9);
        QCOMPARE(state.BytesFound, 12345 + 3 + 12345 + 0 + 1 + 2 + 3 + 4 + FiveGiB);
        const ListedItem *visible = find(table, QStringLiteral("visible.txt"));
        QCOMPARE(visible->date, 20030714u);
        QCOMPARE(visible->time, 93005u);
    }

    void pattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("by extension, folders too, any case")
            << QStringLiteral("*.txt")
            << QStringList{QStringLiteral("archive.txt"), QStringLiteral("visible.txt"), QStringLiteral("Έγγραφο.TXT")};
        QTest::newRow("one character") << QStringLiteral("su?") << QStringList{QStringLiteral("sub")};
        QTest::newRow("nothing matches: the last listing goes") << QStringLiteral("*.none") << QStringList{};
    }
    void pattern()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, names);
        ItemTable table{ListedItem{}};
        AppState state;
        state.BytesFound = 99;
        EnumerateFolder(table, state, m_tree.root(), pattern);
        QStringList found;
        for (const ListedItem &item : table)
            found << item.name;
        found.sort();
        names.sort();
        QCOMPARE(found, names);
        QCOMPARE(state.FoldersFound + state.FilesFound, qint64(names.size()));
        if (names.isEmpty())
            QCOMPARE(state.BytesFound, 0);
    }

    void unreadable_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<int>("number");
        QTest::newRow("vanished folder") << QStringLiteral("gone") << int(ErrorNumber::PathNotFound);
        QTest::newRow("a file, not a folder") << QStringLiteral("visible.txt") << int(ErrorNumber::PathNotFound);
        QTest::newRow("no permission") << QStringLiteral("locked") << int(ErrorNumber::PermissionDenied);
        // Names readable, items unreachable: one clear message, the same number.
        QTest::newRow("readable, not searchable") << QStringLiteral("peek") << int(ErrorNumber::PermissionDenied);
    }
    void unreadable()
    {
        QFETCH(QString, relative);
        QFETCH(int, number);
        TempTree tree;
        tree.folder(QStringLiteral("locked/inner"));
        tree.file(QStringLiteral("visible.txt"), "x");
        const QByteArray locked = QFile::encodeName(tree.path(QStringLiteral("locked")));
        QVERIFY(::chmod(locked.constData(), 0) == 0);
        tree.file(QStringLiteral("peek/inside.txt"), "x");
        const QByteArray peek = QFile::encodeName(tree.path(QStringLiteral("peek")));
        QVERIFY(::chmod(peek.constData(), 0744) == 0);
        ::chmod(QFile::encodeName(tree.root()).constData(), 0755); // the ordinary user passes through
        ItemTable table{ListedItem{}, ListedItem{}};
        AppState state;
        state.FilesFound = 5;
        state.ListingStale = true;
        try {
            WithoutPrivileges user;
            EnumerateFolder(table, state, tree.path(relative), QStringLiteral("*.*"));
            QFAIL("no error");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number, number);
            QVERIFY(error.description.contains(tree.path(relative)));
            QCOMPARE(error.description.contains(QStringLiteral("search permission")), relative == QLatin1String("peek"));
        }
        ::chmod(locked.constData(), 0700);
        ::chmod(peek.constData(), 0700);
        QVERIFY(table.empty());
        QCOMPARE(state.FilesFound, 0);
        QVERIFY(state.ListingStale);
        QCOMPARE(state.CurrentPath, tree.path(relative) + QLatin1Char('/'));
    }
};

TIDYHALL_TEST_MAIN(EnumerateFolderTest)
#include "tst_EnumerateFolder.moc"
