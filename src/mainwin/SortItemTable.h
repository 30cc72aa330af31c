#pragma once

#include "mainwin/ItemTable.h"

#include <QLocale>

struct AppState;

// How names compare in the sort; both are case-sensitive.
enum class Collation {
    // Unicode code-point order of the name padded with spaces: what a plain comparison
    // of the padded name cells gives.
    CodePoint,
    // The system locale's collation (QCollator, case-sensitive): accented letters sort
    // beside their base letters, as people expect in a listing.
    Locale,
};

// The collation of the listing: code-point order (see SortItemTable.cpp for why).
Collation listingCollation();

// Sorts `table` by the group key (OrderOfAppearance: no order, folders first, files
// first; the chosen group stays in front in both directions), then the value key
// (column SortColumn; the Date column sorts by date and time together), then the name,
// all ascending when SortOrder is 1 and descending otherwise. Sizes, dates and times
// compare as numbers, which orders them as their zero-padded texts do; a folder's
// empty size comes before every file's. Clears OrderChanged.
void SortItemTable(ItemTable &table, AppState &state);
void SortItemTable(ItemTable &table, AppState &state, Collation collation, const QLocale &locale = QLocale::system());
