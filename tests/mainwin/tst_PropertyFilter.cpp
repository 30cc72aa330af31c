#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/ItemTable.h"
#include "mainwin/PropertyFilter.h"

#include <QtTest>

class PropertyFilterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Properties and boxes as letters: H, S, R, A; "D" marks a folder; `shown` holds
    // "D" for the Folders box and "F" for the Files box.
    void filters_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("listed");
        const auto row = [](const char *name, int mode, const char *checked, const char *item, const char *shown,
                            bool listed) {
            QTest::newRow(name) << mode << QString::fromLatin1(checked) << QString::fromLatin1(item)
                                << QString::fromLatin1(shown) << listed;
        };
        row("+: no property, nothing checked", PropertyMode::Any, "", "", "DF", true);
        row("+: one checked property", PropertyMode::Any, "H", "HA", "DF", true);
        row("+: only unchecked properties", PropertyMode::Any, "H", "A", "DF", false);
        row("=: exactly the checked ones", PropertyMode::Exactly, "HR", "HR", "DF", true);
        row("=: one more than checked", PropertyMode::Exactly, "HR", "HRA", "DF", false);
        row("=: one fewer than checked", PropertyMode::Exactly, "HR", "H", "DF", false);
        row("=: no property, nothing checked", PropertyMode::Exactly, "", "", "DF", false);
        row("|: one of the checked", PropertyMode::OneOf, "SA", "RA", "DF", true);
        row("|: none of the checked", PropertyMode::OneOf, "SA", "HR", "DF", false);
        row("|: no property", PropertyMode::OneOf, "HSRA", "", "DF", false);
        row("folder, only files shown", PropertyMode::Any, "HSRA", "D", "F", false);
        row("file, only files shown", PropertyMode::Any, "HSRA", "", "F", true);
        row("folder, only folders shown", PropertyMode::Any, "HSRA", "D", "D", true);
        row("file, only folders shown", PropertyMode::Any, "HSRA", "", "D", false);
        row("folder shown but its property rejected", PropertyMode::OneOf, "H", "DA", "DF", false);
    }
    void filters()
    {
        QFETCH(int, mode);
        QFETCH(QString, checked);
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QFETCH(bool, listed);
        AppState state;
        state.PropertyRestrictions = mode;
        state.RestrictHidden = checked.contains(u'H');
        state.RestrictSystem = checked.contains(u'S');
        state.RestrictReadOnly = checked.contains(u'R');
        state.RestrictArchive = checked.contains(u'A');
        state.ShowFolders = shown.contains(u'D');
        state.ShowFiles = shown.contains(u'F');
        ListedItem listedItem;
        listedItem.isFolder = item.contains(u'D');
        listedItem.hidden = item.contains(u'H');
        listedItem.system = item.contains(u'S');
        listedItem.readOnly = item.contains(u'R');
        listedItem.archive = item.contains(u'A');
        QCOMPARE(PassesFilters(state, listedItem), listed);
    }
};

TIDYHALL_TEST_MAIN(PropertyFilterTest)
#include "tst_PropertyFilter.moc"
