#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/ItemTable.h"
#include "mainwin/PropertyFilter.h"

#include <QSet>
#include <QtTest>

namespace {

const QStringList Properties{QStringLiteral("Hidden"), QStringLiteral("System"), QStringLiteral("ReadOnly"),
                             QStringLiteral("Archive")};

QSet<QString> setOf(int bits)
{
    QSet<QString> set;
    for (int i = 0; i < 4; ++i) {
        if (bits & (1 << i))
            set.insert(Properties[i]);
    }
    return set;
}

// The rule as the mode table words it, on sets of property names.
bool listedByTable(int mode, const QSet<QString> &checked, const QSet<QString> &item)
{
    const bool hasCheckedOne = item.intersects(checked);
    switch (mode) {
    case 1:
        return item.isEmpty() || hasCheckedOne;
    case 2:
        return !item.isEmpty() && item == checked;
    default:
        return hasCheckedOne;
    }
}

QString describe(const QSet<QString> &set)
{
    QStringList names = set.values();
    names.sort();
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char('+'));
}

} // namespace

class PropertyFilterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyCombination_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("checked");
        QTest::addColumn<int>("properties");
        QTest::addColumn<bool>("listed");
        for (int mode = 1; mode <= 3; ++mode) {
            for (int checked = 0; checked < 16; ++checked) {
                for (int properties = 0; properties < 16; ++properties) {
                    const QByteArray name = QStringLiteral("mode %1, checked %2, item %3")
                                                .arg(mode)
                                                .arg(describe(setOf(checked)), describe(setOf(properties)))
                                                .toUtf8();
                    QTest::newRow(name.constData())
                        << mode << checked << properties << listedByTable(mode, setOf(checked), setOf(properties));
                }
            }
        }
    }
    void everyCombination()
    {
        QFETCH(int, mode);
        QFETCH(int, checked);
        QFETCH(int, properties);
        QFETCH(bool, listed);
        AppState state;
        state.PropertyRestrictions = mode;
        state.RestrictHidden = checked & 1;
        state.RestrictSystem = checked & 2;
        state.RestrictReadOnly = checked & 4;
        state.RestrictArchive = checked & 8;
        QCOMPARE(PassesPropertyFilter(state, properties & 1, properties & 2, properties & 4, properties & 8), listed);
    }

    // The Folders/Files boxes combine with the property filter.
    void appearance_data()
    {
        QTest::addColumn<bool>("showFolders");
        QTest::addColumn<bool>("showFiles");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<bool>("listed");
        QTest::newRow("folder, both shown") << true << true << true << true;
        QTest::newRow("file, both shown") << true << true << false << true;
        QTest::newRow("folder, only files") << false << true << true << false;
        QTest::newRow("file, only files") << false << true << false << true;
        QTest::newRow("folder, only folders") << true << false << true << true;
        QTest::newRow("file, only folders") << true << false << false << false;
    }
    void appearance()
    {
        QFETCH(bool, showFolders);
        QFETCH(bool, showFiles);
        QFETCH(bool, isFolder);
        QFETCH(bool, listed);
        AppState state;
        state.ShowFolders = showFolders;
        state.ShowFiles = showFiles;
        ListedItem item;
        item.isFolder = isFolder;
        QCOMPARE(PassesFilters(state, item), listed);
        // A property the filter rejects hides the item whatever the boxes say.
        state.PropertyRestrictions = 3;
        state.RestrictHidden = state.RestrictSystem = state.RestrictReadOnly = false;
        item.archive = true;
        state.RestrictArchive = false;
        QVERIFY(!PassesFilters(state, item));
    }
};

TIDYHALL_TEST_MAIN(PropertyFilterTest)
#include "tst_PropertyFilter.moc"
