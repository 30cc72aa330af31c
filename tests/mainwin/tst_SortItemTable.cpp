#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/ItemTable.h"
#include "mainwin/SortItemTable.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

Q_DECLARE_METATYPE(Collation)

namespace {

ListedItem folder(const char *name, std::uint32_t date, std::uint32_t time)
{
    ListedItem item;
    item.name = QString::fromUtf8(name);
    item.isFolder = true;
    item.date = date;
    item.time = time;
    return item;
}

ListedItem file(const char *name, std::int64_t size, std::uint32_t date, std::uint32_t time, const char *flags = "")
{
    ListedItem item;
    item.name = QString::fromUtf8(name);
    item.size = size;
    item.date = date;
    item.time = time;
    const QByteArray f(flags);
    item.hidden = f.contains('H');
    item.system = f.contains('S');
    item.readOnly = f.contains('R');
    item.archive = f.contains('A');
    return item;
}

ItemTable sampleTable()
{
    return {
        file("b.txt", 100, 20200101, 120000, "H"),
        folder("docs", 20200101, 120000),
        file("c.bin", 5'000'000'000LL, 20200101, 90000, "RA"),
        file("empty", 0, 20200101, 120000),
        folder("apps", 20210101, 0),
        file("a.txt", 100, 20190505, 235959, "A"),
    };
}

QStringList names(const ItemTable &table)
{
    QStringList result;
    for (const ListedItem &item : table)
        result << item.name;
    return result;
}

// The group key text and the value key text of a row as the text table held them.
QString classicKey(const AppState &state, const ListedItem &item)
{
    QString group = QStringLiteral("0");
    const bool ascending = state.SortOrder == 1;
    if (state.OrderOfAppearance == 2)
        group = (item.isFolder == ascending) ? QStringLiteral("1") : QStringLiteral("2");
    else if (state.OrderOfAppearance == 3)
        group = (item.isFolder == ascending) ? QStringLiteral("2") : QStringLiteral("1");
    QString value = classicCell(item, state.SortColumn);
    if (state.SortColumn == TableColumn::Date)
        value += classicCell(item, TableColumn::Time);
    // A folder's empty size text: a shorter key is a smaller key.
    return group + value.rightJustified(state.SortColumn == TableColumn::Size ? 10 : 0, QChar(u'\x01'))
           + classicCell(item, TableColumn::Name);
}

} // namespace

class SortItemTableTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<Collation>("collation");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("appearance");
        QTest::addColumn<QString>("expected");
        struct Case
        {
            const char *name;
            int column, order, appearance;
            const char *expected;
        };
        const Case cases[] = {
            {"name up", 3, 1, 1, "a.txt apps b.txt c.bin docs empty"},
            {"name down", 3, 2, 1, "empty docs c.bin b.txt apps a.txt"},
            {"name up, folders first", 3, 1, 2, "apps docs a.txt b.txt c.bin empty"},
            {"name down, folders first", 3, 2, 2, "docs apps empty c.bin b.txt a.txt"},
            {"name up, files first", 3, 1, 3, "a.txt b.txt c.bin empty apps docs"},
            {"name down, files first", 3, 2, 3, "empty c.bin b.txt a.txt docs apps"},
            {"size up: folders' empty size first, ties by name", 4, 1, 1, "apps docs empty a.txt b.txt c.bin"},
            {"size down: ties by descending name", 4, 2, 1, "c.bin b.txt a.txt empty docs apps"},
            {"size up, files first", 4, 1, 3, "empty a.txt b.txt c.bin apps docs"},
            {"size down, folders first", 4, 2, 2, "docs apps c.bin b.txt a.txt empty"},
            {"date up sorts by date and time", 5, 1, 1, "a.txt c.bin b.txt docs empty apps"},
            {"date down", 5, 2, 1, "apps empty docs b.txt c.bin a.txt"},
            {"time up ignores the date", 6, 1, 1, "apps c.bin b.txt docs empty a.txt"},
            {"time down", 6, 2, 1, "a.txt empty docs b.txt c.bin apps"},
            {"hidden down", 7, 2, 1, "b.txt empty docs c.bin apps a.txt"},
            {"hidden up, folders first", 7, 1, 2, "apps docs a.txt c.bin empty b.txt"},
            {"system down, files first", 8, 2, 3, "empty c.bin b.txt a.txt docs apps"},
            {"read-only up, folders first", 9, 1, 2, "apps docs a.txt b.txt empty c.bin"},
            {"read-only down", 9, 2, 1, "c.bin empty docs b.txt apps a.txt"},
            {"archive up", 10, 1, 1, "apps b.txt docs empty a.txt c.bin"},
            {"archive down, files first", 10, 2, 3, "c.bin a.txt empty b.txt docs apps"},
        };
        for (Collation collation : {Collation::CodePoint, Collation::Locale}) {
            for (const Case &c : cases) {
                QTest::addRow("%s (%s)", c.name, collation == Collation::CodePoint ? "code points" : "locale")
                    << collation << c.column << c.order << c.appearance << QString::fromLatin1(c.expected);
            }
        }
    }
    void keys()
    {
        QFETCH(Collation, collation);
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
        SortItemTable(table, state, collation, QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(names(table).join(QLatin1Char(' ')), expected);
        QVERIFY(!state.OrderChanged);
    }

    // Sizes past ten digits still sort as numbers.
    void sizesBeyondTenDigits()
    {
        AppState state;
        state.SortColumn = TableColumn::Size;
        ItemTable table{file("huge", 12'000'000'000LL, 0, 0), file("big", 9'000'000'000LL, 0, 0),
                        file("small", 2, 0, 0)};
        SortItemTable(table, state, Collation::CodePoint);
        QCOMPARE(names(table), (QStringList{QStringLiteral("small"), QStringLiteral("big"), QStringLiteral("huge")}));
    }

    // Names equal once padded keep one fixed order: the exact name decides.
    void namesDifferingOnlyBySpaces_data()
    {
        QTest::addColumn<Collation>("collation");
        QTest::newRow("code points") << Collation::CodePoint;
        QTest::newRow("locale") << Collation::Locale;
    }
    void namesDifferingOnlyBySpaces()
    {
        QFETCH(Collation, collation);
        AppState state;
        const QStringList ascending{QStringLiteral(" x"), QStringLiteral("x"), QStringLiteral("x "),
                                    QStringLiteral("x  ")};
        for (int order : {1, 2}) {
            state.SortOrder = order;
            ItemTable table{file("x  ", 1, 0, 0), file("x", 1, 0, 0), file(" x", 1, 0, 0), file("x ", 1, 0, 0)};
            SortItemTable(table, state, collation);
            QStringList expected = ascending;
            if (order == 2)
                std::reverse(expected.begin(), expected.end());
            QCOMPARE(names(table), expected);
        }
    }

    // The code-point collation gives exactly the order of the padded text cells.
    void codePointOrderIsPaddedTextOrder()
    {
        QRandomGenerator random(20240611);
        const QString alphabet = QStringLiteral("aAbBzZ09 ._-~άαΑβΣσς€");
        ItemTable table;
        QSet<QString> used;
        while (table.size() < 400) {
            QString name;
            const int length = 1 + int(random.bounded(6));
            for (int i = 0; i < length; ++i)
                name += alphabet[int(random.bounded(int(alphabet.size())))];
            if (name.endsWith(QLatin1Char(' ')) || used.contains(name))
                continue;
            used.insert(name);
            ListedItem item;
            item.name = name;
            item.isFolder = random.bounded(5) == 0;
            item.size = item.isFolder ? 0 : std::int64_t(random.bounded(4)) * 1000;
            item.date = 20200101 + random.bounded(3);
            item.time = random.bounded(3) * 10000;
            item.hidden = random.bounded(2);
            item.archive = random.bounded(2);
            table.push_back(item);
        }
        for (int appearance = 1; appearance <= 3; ++appearance) {
            for (int column = 3; column <= 10; ++column) {
                for (int order = 1; order <= 2; ++order) {
                    AppState state;
                    state.OrderOfAppearance = appearance;
                    state.SortColumn = column;
                    state.SortOrder = order;
                    ItemTable sorted = table;
                    SortItemTable(sorted, state, Collation::CodePoint);
                    for (std::size_t i = 1; i < sorted.size(); ++i) {
                        const int c = QString::compare(classicKey(state, sorted[i - 1]), classicKey(state, sorted[i]));
                        if (order == 1 ? c > 0 : c < 0)
                            QFAIL(qPrintable(QStringLiteral("appearance %1, column %2, order %3: '%4' before '%5'")
                                                 .arg(appearance)
                                                 .arg(column)
                                                 .arg(order)
                                                 .arg(sorted[i - 1].name, sorted[i].name)));
                    }
                }
            }
        }
    }

    void collations_data()
    {
        QTest::addColumn<Collation>("collation");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("code points") << Collation::CodePoint << QLocale(QLocale::Greek, QLocale::Greece)
                                     << QStringLiteral("Alpha Zeta alpha άλφα αλφα βήτα");
        // Accented letters beside their base letters; the locale's own script first.
        QTest::newRow("Greek locale") << Collation::Locale << QLocale(QLocale::Greek, QLocale::Greece)
                                      << QStringLiteral("αλφα άλφα βήτα alpha Alpha Zeta");
        QTest::newRow("English locale") << Collation::Locale << QLocale(QLocale::English, QLocale::UnitedStates)
                                        << QStringLiteral("alpha Alpha Zeta αλφα άλφα βήτα");
    }
    void collations()
    {
        QFETCH(Collation, collation);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        AppState state;
        ItemTable table;
        for (const QString &name : QStringLiteral("βήτα αλφα Zeta άλφα alpha Alpha").split(QLatin1Char(' ')))
            table.push_back(file(name.toUtf8().constData(), 0, 0, 0));
        SortItemTable(table, state, collation, locale);
        QCOMPARE(names(table).join(QLatin1Char(' ')), expected);
    }
};

TIDYHALL_TEST_MAIN(SortItemTableTest)
#include "tst_SortItemTable.moc"
