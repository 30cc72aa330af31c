#include "inspect/FindResultModel.h"

#include "inspect/FindTexts.h"
#include "mainwin/ListingModel.h"
#include "platform/ExactName.h"

#include <QDateTime>

FindResultModel::FindResultModel(QObject *parent)
    : QAbstractTableModel(parent), m_locale(QLocale::system())
{
    m_dateTimeFormat = m_locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + timeFormatWithSeconds(m_locale);
}

void FindResultModel::setLanguage(bool greek)
{
    m_greek = greek;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void FindResultModel::append(const QList<FoundItem> &items)
{
    if (items.isEmpty())
        return;
    beginInsertRows({}, int(m_items.size()), int(m_items.size() + items.size() - 1));
    m_items.append(items);
    endInsertRows();
}

void FindResultModel::clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

int FindResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int FindResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const FoundItem &it = m_items.at(index.row());
    if (role == Qt::TextAlignmentRole)
        return index.column() == Size ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::UserRole)
        return {};
    const bool key = role == Qt::UserRole;
    switch (index.column()) {
    case Name:
        return key ? ExactName::shown(it.name).toCaseFolded() : ExactName::shown(it.name);
    case Folder:
        return key ? ExactName::shown(it.folder).toCaseFolded() : ExactName::shown(it.folder);
    case Size:
        if (key)
            return qint64(it.isFolder ? -1 : it.size);
        return it.isFolder ? QString() : m_locale.toString(qint64(it.size));
    case Modified:
        if (key)
            return qint64(it.modifiedSeconds);
        return m_locale.toString(QDateTime::fromSecsSinceEpoch(it.modifiedSeconds), m_dateTimeFormat);
    case Attributes:
        return it.attributes;
    }
    return {};
}

QVariant FindResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    using namespace FindTexts;
    switch (section) {
    case Name:
        return ColumnName.in(m_greek);
    case Folder:
        return ColumnFolder.in(m_greek);
    case Size:
        return ColumnSize.in(m_greek);
    case Modified:
        return ColumnModified.in(m_greek);
    case Attributes:
        return ColumnAttributes.in(m_greek);
    }
    return {};
}

QString FoundItemPath(const FoundItem &item)
{
    return item.folder.endsWith(QLatin1Char('/')) ? item.folder + item.name : item.folder + QLatin1Char('/') + item.name;
}
