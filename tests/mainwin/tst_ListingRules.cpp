#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/CountLine.h"
#include "mainwin/ListingRules.h"

#include <QtTest>

class ListingRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Sort state as "column/order"; "" after the click when only a message is due.
    void headerClick_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("same column flips to descending") << "c3" << "3/1" << "3/2";
        QTest::newRow("same column flips to ascending") << "c10" << "10/2" << "10/1";
        QTest::newRow("another column sorts ascending") << "c4" << "3/2" << "4/1";
        QTest::newRow("folder mark: message, nothing changes") << "c0" << "5/2" << "";
    }
    void headerClick()
    {
        QFETCH(QString, key);
        QFETCH(QString, before);
        QFETCH(QString, after);
        AppState state;
        state.SortColumn = before.section(u'/', 0, 0).toInt();
        state.SortOrder = before.section(u'/', 1).toInt();
        state.OrderChanged = false;
        const bool resort = ApplyHeaderClick(state, key) == HeaderClick::Resort;
        QCOMPARE(QStringLiteral("%1/%2").arg(state.SortColumn).arg(state.SortOrder), resort ? after : before);
        QCOMPARE(resort, !after.isEmpty());
        QCOMPARE(state.OrderChanged, resort);
    }

    // The boxes after a click, as "checked/enabled": D the Folders box, F the Files box,
    // O the order frame; "!" when the message about clearing both is due.
    void appearanceClick_data()
    {
        QTest::addColumn<bool>("folders");
        QTest::addColumn<bool>("files");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("both") << true << true << "DF/DFO";
        QTest::newRow("only folders: its box cannot be cleared") << true << false << "D/F";
        QTest::newRow("only files: its box cannot be cleared") << false << true << "F/D";
        QTest::newRow("neither: message, both again") << false << false << "DF/DFO!";
    }
    void appearanceClick()
    {
        QFETCH(bool, folders);
        QFETCH(bool, files);
        QFETCH(QString, outcome);
        AppState state;
        const AppearanceOutcome o = ApplyAppearanceClick(state, folders, files);
        const auto letters = [](bool d, bool f, bool order = false) {
            return QString(d ? "D" : "") + (f ? "F" : "") + (order ? "O" : "");
        };
        QCOMPARE(letters(o.foldersChecked, o.filesChecked) + u'/'
                     + letters(o.foldersEnabled, o.filesEnabled, o.orderOfAppearanceEnabled)
                     + (o.showBothClearedMessage ? "!" : ""),
                 outcome);
        QCOMPARE(letters(state.ShowFolders, state.ShowFiles), letters(o.foldersChecked, o.filesChecked));
    }

    void propertyRestrictionsCycle()
    {
        AppState state;
        state.PropertyRestrictions = 7; // out of range: back to "+"
        QString captions;
        for (int click = 0; click < 4; ++click) {
            captions += CyclePropertyRestrictions(state);
            captions += QString::number(state.PropertyRestrictions);
        }
        QCOMPARE(captions, QStringLiteral("+1=2|3+1"));
    }

    // Grouped numbers in the window's language; the printout asks for its own.
    void countLine()
    {
        AppState state;
        state.FoldersShown = 1;
        state.FoldersFound = 12;
        state.FilesShown = 1234;
        state.FilesFound = 5678;
        state.BytesShown = 5'000'000'000LL;
        state.BytesFound = 12'345'678'901LL;
        state.LanguageGreek = true;
        QCOMPARE(InfoLabelText(state), QStringLiteral("  Φάκελλοι: 1 από 12. Αρχεία: 1,234 από 5,678. Μέγεθος αρχείων "
                                                      "σε χαρακτήρες: 5,000,000,000 από 12,345,678,901.  "));
        QCOMPARE(CountLine(state, false), QStringLiteral("Folders: 1 of 12. Files: 1,234 of 5,678. File size in "
                                                         "bytes: 5,000,000,000 of 12,345,678,901."));
    }

    // Key and captions of every view column: a slip here sorts or names the wrong column.
    // The captions: sorted by it ascending in Greek, descending in English, and sorted by
    // another column; the sign follows a space on the named columns and the letter
    // itself on the one-letter ones, which grow to fit it in a wide font.
    void columns_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("captions");
        QTest::newRow("name") << 0 << "c3" << "Όνομα +|Name -|Name";
        QTest::newRow("size") << 1 << "c4" << "Μέγεθος +|Size -|Size";
        QTest::newRow("date") << 2 << "c5" << "Χρονολογία +|Date -|Date";
        QTest::newRow("time") << 3 << "c6" << "Ώρα +|Time -|Time";
        QTest::newRow("folder mark") << 4 << "c0" << "+|+|+";
        QTest::newRow("hidden") << 5 << "c7" << "H+|H-|H";
        QTest::newRow("system") << 6 << "c8" << "S+|S-|S";
        QTest::newRow("read-only") << 7 << "c9" << "R+|R-|R";
        QTest::newRow("archive") << 8 << "c10" << "A+|A-|A";
    }
    void columns()
    {
        QFETCH(int, view);
        QFETCH(QString, key);
        QFETCH(QString, captions);
        QCOMPARE(ListingColumnKey(view), key);
        QCOMPARE(ListingViewColumn(ListingTableColumn(view)), view);
        const int own = ListingTableColumn(view);
        const int other = view == 1 ? 10 : 4;
        QCOMPARE(ListingColumnCaption(view, true, own, 1) + u'|' + ListingColumnCaption(view, false, own, 2) + u'|'
                     + ListingColumnCaption(view, false, other, 2),
                 captions);
        const auto wide = [](const QString &text) { return int(text.size()) * 40; };
        if (view >= 5)
            QVERIFY(ListingColumnWidth(view, wide) > wide(QStringLiteral("H+")));
    }
};

TIDYHALL_TEST_MAIN(ListingRulesTest)
#include "tst_ListingRules.moc"
