#pragma once

#include "mainwin/ItemTable.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <vector>

struct AppState;

// The folder listing lvwInfo's model: the item table grdInfo read from the disk once,
// and the rows of it that pass the filters, in table order. A filter or order change
// re-displays from the table without reading the disk.
class ListingModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The exact name of the item on a row (the name shown has its outer spaces trimmed).
    static constexpr int ExactNameRole = Qt::UserRole;
    static constexpr int IsFolderRole = Qt::UserRole + 1;

    explicit ListingModel(QObject *parent = nullptr);

    // Reads `folder` with `pattern` into the item table (EnumerateFolder); the listing
    // shows nothing until the next display. Throws RuntimeError, leaving it empty.
    void enumerate(AppState &state, const QString &folder, const QString &pattern);
    // Sorts the table when OrderChanged, keeps the rows that pass the filters, sets the
    // counters "shown" and the captions (language, sort sign).
    void display(AppState &state);
    // Re-captions the headers only (the language switch).
    void setLanguage(bool greek);

    const ItemTable &table() const { return m_table; }
    // The table item shown on view row `row`.
    const ListedItem &item(int row) const;
    QString exactName(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString cellText(const ListedItem &item, int column) const;

    ItemTable m_table;
    std::vector<int> m_visible; // table rows shown, in table order
    bool m_greek = true;
    int m_sortColumn = 3;
    int m_sortOrder = 1;
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
};

// The locale's time format with seconds and without the time zone.
QString timeFormatWithSeconds(const QLocale &locale);
