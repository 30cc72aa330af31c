#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/CountLine.h"
#include "mainwin/ListingRules.h"
#include "mainwin/ListingTexts.h"

#include <QtTest>

class ListingRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void headerClick_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("resort");
        QTest::addColumn<int>("newColumn");
        QTest::addColumn<int>("newOrder");
        QTest::newRow("name ascending, click name") << "c3" << 3 << 1 << true << 3 << 2;
        QTest::newRow("name descending, click name") << "c3" << 3 << 2 << true << 3 << 1;
        QTest::newRow("name descending, click size") << "c4" << 3 << 2 << true << 4 << 1;
        QTest::newRow("size ascending, click archive") << "c10" << 4 << 1 << true << 10 << 1;
        QTest::newRow("archive ascending, click archive") << "c10" << 10 << 1 << true << 10 << 2;
        QTest::newRow("folder mark: message, nothing changes") << "c0" << 5 << 2 << false << 5 << 2;
    }
    void headerClick()
    {
        QFETCH(QString, key);
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(bool, resort);
        QFETCH(int, newColumn);
        QFETCH(int, newOrder);
        AppState state;
        state.SortColumn = column;
        state.SortOrder = order;
        state.OrderChanged = false;
        const HeaderClick outcome = ApplyHeaderClick(state, key);
        QCOMPARE(outcome == HeaderClick::Resort, resort);
        QCOMPARE(state.SortColumn, newColumn);
        QCOMPARE(state.SortOrder, newOrder);
        QCOMPARE(state.OrderChanged, resort);
    }

    void appearanceClick_data()
    {
        QTest::addColumn<bool>("folders");
        QTest::addColumn<bool>("files");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("foldersEnabled");
        QTest::addColumn<bool>("filesEnabled");
        QTest::addColumn<bool>("orderEnabled");
        QTest::newRow("both") << true << true << false << true << true << true;
        QTest::newRow("only folders: its box cannot be cleared") << true << false << false << false << true << false;
        QTest::newRow("only files: its box cannot be cleared") << false << true << false << true << false << false;
        QTest::newRow("neither: message, both again") << false << false << true << true << true << true;
    }
    void appearanceClick()
    {
        QFETCH(bool, folders);
        QFETCH(bool, files);
        QFETCH(bool, message);
        QFETCH(bool, foldersEnabled);
        QFETCH(bool, filesEnabled);
        QFETCH(bool, orderEnabled);
        AppState state;
        const AppearanceOutcome outcome = ApplyAppearanceClick(state, folders, files);
        QCOMPARE(outcome.showBothClearedMessage, message);
        QCOMPARE(state.ShowFolders, folders || message);
        QCOMPARE(state.ShowFiles, files || message);
        QCOMPARE(outcome.foldersChecked, state.ShowFolders);
        QCOMPARE(outcome.filesChecked, state.ShowFiles);
        QCOMPARE(outcome.foldersEnabled, foldersEnabled);
        QCOMPARE(outcome.filesEnabled, filesEnabled);
        QCOMPARE(outcome.orderOfAppearanceEnabled, orderEnabled);
    }

    void bothClearedMessage()
    {
        const QString english = ListingTexts::BothAppearanceCleared.in(false);
        QVERIFY(english.endsWith(QStringLiteral("'Folders' and 'Files'.") + NewLine + NewLine
                                 + QStringLiteral("You may de-select either of these two options, but not both of them.")));
        QVERIFY(ListingTexts::BothAppearanceCleared.in(true).contains(NewLine + NewLine + QStringLiteral("Μπορείτε")));
    }

    void propertyRestrictions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("next");
        QTest::addColumn<QString>("caption");
        QTest::newRow("+ to =") << 1 << 2 << "=";
        QTest::newRow("= to |") << 2 << 3 << "|";
        QTest::newRow("| to +") << 3 << 1 << "+";
        QTest::newRow("out of range to +") << 7 << 1 << "+";
    }
    void propertyRestrictions()
    {
        QFETCH(int, mode);
        QFETCH(int, next);
        QFETCH(QString, caption);
        AppState state;
        state.PropertyRestrictions = mode;
        QCOMPARE(CyclePropertyRestrictions(state), caption);
        QCOMPARE(state.PropertyRestrictions, next);
    }

    void orderOfAppearance()
    {
        AppState state;
        for (int index = 0; index < 3; ++index) {
            state.OrderChanged = false;
            ApplyOrderOfAppearance(state, index);
            QCOMPARE(state.OrderOfAppearance, index + 1);
            QVERIFY(state.OrderChanged);
        }
    }

    void countLine_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("line");
        QTest::newRow("English") << false
                                 << QStringLiteral("Folders: 1 of 12. Files: 1,234 of 5,678. File size in bytes: "
                                                   "5,000,000,000 of 12,345,678,901.");
        QTest::newRow("Greek") << true
                               << QStringLiteral("Φάκελλοι: 1 από 12. Αρχεία: 1,234 από 5,678. Μέγεθος αρχείων σε "
                                                 "χαρακτήρες: 5,000,000,000 από 12,345,678,901.");
    }
    void countLine()
    {
        QFETCH(bool, greek);
        QFETCH(QString, line);
        AppState state;
        state.FoldersShown = 1;
        state.FoldersFound = 12;
        state.FilesShown = 1234;
        state.FilesFound = 5678;
        state.BytesShown = 5'000'000'000LL;
        state.BytesFound = 12'345'678'901LL;
        QCOMPARE(CountLine(state, greek), line);
        state.LanguageGreek = greek;
        QCOMPARE(InfoLabelText(state), QStringLiteral("  ") + line + QStringLiteral("  "));
    }

    void labels()
    {
        AppState state;
        state.CurrentPath = QStringLiteral("/home/user/ Έγγραφα /");
        QCOMPARE(CurrentPathLabelText(state), QStringLiteral("  /home/user/ Έγγραφα /  "));
        QCOMPARE(groupedNumber(0), QStringLiteral("0"));
    }

    void columns_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("width");
        const int centre = int(Qt::AlignCenter);
        QTest::newRow("name") << 0 << "c3" << int(Qt::AlignLeft | Qt::AlignVCenter) << 370;
        QTest::newRow("size") << 1 << "c4" << int(Qt::AlignRight | Qt::AlignVCenter) << 70;
        QTest::newRow("date") << 2 << "c5" << centre << 67;
        QTest::newRow("time") << 3 << "c6" << centre << 53;
        QTest::newRow("folder mark") << 4 << "c0" << centre << 32;
        QTest::newRow("hidden") << 5 << "c7" << centre << 32;
        QTest::newRow("system") << 6 << "c8" << centre << 32;
        QTest::newRow("read-only") << 7 << "c9" << centre << 32;
        QTest::newRow("archive") << 8 << "c10" << centre << 32;
    }
    void columns()
    {
        QFETCH(int, view);
        QFETCH(QString, key);
        QFETCH(int, alignment);
        QFETCH(int, width);
        QCOMPARE(ListingColumnKey(view), key);
        QCOMPARE(ListingViewColumn(ListingTableColumn(view)), view);
        QCOMPARE(int(ListingColumnAlignment(view)), alignment);
        // Ten pixels a character: a one-letter caption with its sign needs 20 + margins.
        const auto tenPerCharacter = [](const QString &text) { return int(text.size()) * 10; };
        QCOMPARE(ListingColumnWidth(view, tenPerCharacter), width);
    }

    void captions_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<int>("sortOrder");
        QTest::addColumn<QString>("caption");
        QTest::newRow("name ascending") << 0 << false << 3 << 1 << "Name +";
        QTest::newRow("name descending") << 0 << false << 3 << 2 << "Name -";
        QTest::newRow("name, Greek, descending") << 0 << true << 3 << 2 << "Όνομα -";
        QTest::newRow("size, not sorted") << 1 << false << 3 << 1 << "Size";
        QTest::newRow("size descending, Greek") << 1 << true << 4 << 2 << "Μέγεθος -";
        QTest::newRow("date ascending, Greek") << 2 << true << 5 << 1 << "Χρονολογία +";
        QTest::newRow("time, Greek") << 3 << true << 3 << 1 << "Ώρα";
        QTest::newRow("time descending") << 3 << false << 6 << 2 << "Time -";
        QTest::newRow("folder mark") << 4 << false << 3 << 1 << "+";
        QTest::newRow("hidden ascending") << 5 << true << 7 << 1 << "H+";
        QTest::newRow("system descending") << 6 << false << 8 << 2 << "S-";
        QTest::newRow("read-only, not sorted") << 7 << false << 10 << 2 << "R";
        QTest::newRow("archive descending") << 8 << false << 10 << 2 << "A-";
    }
    void captions()
    {
        QFETCH(int, view);
        QFETCH(bool, greek);
        QFETCH(int, sortColumn);
        QFETCH(int, sortOrder);
        QFETCH(QString, caption);
        QCOMPARE(ListingColumnCaption(view, greek, sortColumn, sortOrder), caption);
    }
};

TIDYHALL_TEST_MAIN(ListingRulesTest)
#include "tst_ListingRules.moc"
