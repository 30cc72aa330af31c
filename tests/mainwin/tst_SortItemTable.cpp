#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/ItemTable.h"
#include "mainwin/SortItemTable.h"

#include <QtTest>

namespace {

// `flags` holds D for a folder and the letters of its properties: H, S, R, A.
ListedItem item(const char *name, std::int64_t size, std::uint32_t date = 0, std::uint32_t time = 0,
                const char *flags = "")
{
    ListedItem item;
    item.name = QString::fromUtf8(name);
    item.size = size;
    item.date = date;
    item.time = time;
    const QByteArray f(flags);
    item.isFolder = f.contains('D');
    item.hidden = f.contains('H');
    item.system = f.contains('S');
    item.readOnly = f.contains('R');
    item.archive = f.contains('A');
    return item;
}

ItemTable sampleTable()
{
    return {
        item("b.txt", 100, 20200101, 120000, "H"),
        item("docs", 0, 20200101, 120000, "D"),
        item("c.bin", 5'000'000'000LL, 20200101, 90000, "SRA"),
        item("empty", 0, 20200101, 120000),
        item("apps", 0, 20210101, 0, "D"),
        item("a.txt", 100, 20190505, 235959, "A"),
    };
}

QString names(const ItemTable &table, QChar separator = u' ')
{
    QStringList result;
    for (const ListedItem &item : table)
        result << item.name;
    return result.join(separator);
}

} // namespace

class SortItemTableTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("appearance");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, int column, int order, int appearance, const char *expected) {
            QTest::newRow(name) << column << order << appearance << QString::fromLatin1(expected);
        };
        row("name up", 3, 1, 1, "a.txt apps b.txt c.bin docs empty");
        row("name down", 3, 2, 1, "empty docs c.bin b.txt apps a.txt");
        row("name down, folders stay first", 3, 2, 2, "docs apps empty c.bin b.txt a.txt");
        row("name up, files first", 3, 1, 3, "a.txt b.txt c.bin empty apps docs");
        row("size up: folders' empty size first, ties by name", 4, 1, 1, "apps docs empty a.txt b.txt c.bin");
        row("size down: ties by descending name", 4, 2, 1, "c.bin b.txt a.txt empty docs apps");
        row("date up sorts by date and time", 5, 1, 1, "a.txt c.bin b.txt docs empty apps");
        row("time down ignores the date", 6, 2, 1, "a.txt empty docs b.txt c.bin apps");
        row("hidden down", 7, 2, 1, "b.txt empty docs c.bin apps a.txt");
        row("system down", 8, 2, 1, "c.bin empty docs b.txt apps a.txt");
        row("read-only up, folders first", 9, 1, 2, "apps docs a.txt b.txt empty c.bin");
        row("archive down, files first", 10, 2, 3, "c.bin a.txt empty b.txt docs apps");
    }
    void keys()
    {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(int, appearance);
        QFETCH(QString, expected);
        AppState state;
        state.SortColumn = column;
        state.SortOrder = order;
        state.OrderOfAppearance = appearance;
        state.OrderChanged = true;
        ItemTable table = sampleTable();
        SortItemTable(table, state);
        QCOMPARE(names(table), expected);
        QVERIFY(!state.OrderChanged);
    }

    // Sizes past ten digits still sort as numbers.
    void sizesBeyondTenDigits()
    {
        AppState state;
        state.SortColumn = TableColumn::Size;
        ItemTable table{item("huge", 12'000'000'000LL), item("big", 9'000'000'000LL), item("small", 2)};
        SortItemTable(table, state);
        QCOMPARE(names(table), QStringLiteral("small big huge"));
    }

    // The listing's names in code-point order, case-sensitive; names equal once padded
    // keep one fixed order, the exact name deciding, in both directions.
    void namesInCodePointOrder()
    {
        AppState state;
        ItemTable table;
        for (const char *name : {"βήτα", "αλφα", "Zeta", "x  ", "άλφα", "x", "alpha", " x", "Alpha", "x "})
            table.push_back(item(name, 0));
        SortItemTable(table, state);
        QCOMPARE(names(table, u'|'), QStringLiteral(" x|Alpha|Zeta|alpha|x|x |x  |άλφα|αλφα|βήτα"));
        state.SortOrder = 2;
        SortItemTable(table, state);
        QCOMPARE(names(table, u'|'), QStringLiteral("βήτα|αλφα|άλφα|x  |x |x|alpha|Zeta|Alpha| x"));
    }
};

TIDYHALL_TEST_MAIN(SortItemTableTest)
#include "tst_SortItemTable.moc"
