#pragma once

#include <QItemSelection>
#include <QModelIndexList>
#include <QStringList>

class ListingModel;

// lstSelectedItems from the selected rows of the listing: in listing order, each entry
// CurrentPath + the item's exact name + one NUL. `selectedRows` may hold any index of a
// selected row, in any order, repeated.
QStringList CollectSelection(const ListingModel &model, const QModelIndexList &selectedRows, const QString &currentPath);

// Every row of `model`, for Select all (QItemSelectionModel::Select | Rows) and Reverse
// selection (QItemSelectionModel::Toggle | Rows). Empty for an empty listing.
QItemSelection AllListingRows(const QAbstractItemModel &model);
