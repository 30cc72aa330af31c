#include "mainwin/ListingSelection.h"

#include "mainwin/ListingModel.h"

#include <algorithm>
#include <vector>

QStringList CollectSelection(const ListingModel &model, const QModelIndexList &selectedRows, const QString &currentPath)
{
    std::vector<int> rows;
    rows.reserve(std::size_t(selectedRows.size()));
    for (const QModelIndex &index : selectedRows) {
        if (index.isValid() && index.model() == &model)
            rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList entries;
    entries.reserve(qsizetype(rows.size()));
    for (int row : rows)
        entries.append(currentPath + model.exactName(row) + QChar(u'\0'));
    return entries;
}

QItemSelection AllListingRows(const QAbstractItemModel &model)
{
    const int rows = model.rowCount();
    const int columns = model.columnCount();
    if (rows == 0 || columns == 0)
        return {};
    return QItemSelection(model.index(0, 0), model.index(rows - 1, columns - 1));
}
