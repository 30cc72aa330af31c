#pragma once

#include "inspect/FindSearch.h"

#include <QAbstractTableModel>
#include <QLocale>

// The rows of the Find window's result list: name, folder, size, date and time,
// attributes. Qt::UserRole gives each cell's sort key (sizes and times as numbers).
class FindResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Folder, Size, Modified, Attributes, ColumnCount };

    explicit FindResultModel(QObject *parent = nullptr);

    void setLanguage(bool greek);
    void append(const QList<FoundItem> &items);
    void clear();
    const FoundItem &item(int row) const { return m_items.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<FoundItem> m_items;
    bool m_greek = true;
    QLocale m_locale;
    QString m_dateTimeFormat;
};

// The folder and name joined into the item's full exact path.
QString FoundItemPath(const FoundItem &item);
