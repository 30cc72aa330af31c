#pragma once

#include <QMap>
#include <QString>
#include <Qt>
#include <functional>

struct AppState;

// The nine columns of the folder listing lvwInfo, by view column 0..8.
inline constexpr int ListingColumnCount = 9;

// The table column a view column shows: 3, 4, 5, 6, 0, 7, 8, 9, 10.
int ListingTableColumn(int viewColumn);
// Its key: "c3", "c4", "c5", "c6", "c0", "c7", "c8", "c9", "c10".
QString ListingColumnKey(int viewColumn);
// The view column that shows table column `tableColumn`, or -1.
int ListingViewColumn(int tableColumn);
// The caption in the language asked for, with the sort sign when the listing is sorted
// by this column: "Name +" / "Size -" for the first four, "H+" / "A-" for the letters.
QString ListingColumnCaption(int viewColumn, bool greek, int sortColumn, int sortOrder);
Qt::Alignment ListingColumnAlignment(int viewColumn);
// The width in pixels: the column's twips at 15 twips per pixel, times `scale` for the
// screen; the one-letter columns at least as wide as their caption with a sign, as
// measured by `textWidth` (for instance QFontMetrics::horizontalAdvance of the header
// font) plus the header's own margins.
int ListingColumnWidth(int viewColumn, const std::function<int(const QString &)> &textWidth, double scale = 1.0);

// The widths the user gave columns, as the settings file keeps them ("0:240,3:90");
// entries that name no column or no sensible width are dropped on reading.
QString ColumnWidthsText(const QMap<int, int> &widths);
QMap<int, int> ColumnWidthsFromText(const QString &text);

// What a header click asks the window to do.
enum class HeaderClick {
    ShowSortByKindMessage, // the "+" column: show ListingTexts::SortByKindMessage, nothing changed
    Resort,                // SortColumn/SortOrder changed and OrderChanged set: save them, display
};
// The header click on the column with key `key`: the same column flips SortOrder,
// another one sorts ascending by it.
HeaderClick ApplyHeaderClick(AppState &state, const QString &key);

// The Folders/Files boxes after a click: what the two boxes and the order frame show.
struct AppearanceOutcome
{
    bool showBothClearedMessage = false; // show ListingTexts::BothAppearanceCleared first
    bool foldersChecked = true;
    bool filesChecked = true;
    bool foldersEnabled = true;
    bool filesEnabled = true;
    bool orderOfAppearanceEnabled = true;
};
// Sets ShowFolders and ShowFiles from the boxes (both again when both were cleared)
// and gives the state of the controls.
AppearanceOutcome ApplyAppearanceClick(AppState &state, bool foldersChecked, bool filesChecked);
// The state of the controls for the current ShowFolders/ShowFiles (at start-up).
AppearanceOutcome AppearanceControls(const AppState &state);

// cmdPropertyRestrictions: the mode after `mode` (1 -> 2 -> 3 -> 1) and its caption.
int NextPropertyRestrictions(int mode);
QString PropertyRestrictionsCaption(int mode);
// Advances PropertyRestrictions; returns the new caption.
QString CyclePropertyRestrictions(AppState &state);

// optAppearance(index): OrderOfAppearance := index + 1, OrderChanged set.
void ApplyOrderOfAppearance(AppState &state, int index);
