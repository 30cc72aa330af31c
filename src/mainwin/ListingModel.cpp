#include "mainwin/ListingModel.h"

#include "app/AppState.h"
#include "mainwin/EnumerateFolder.h"
#include "mainwin/ListingRules.h"
#include "mainwin/PropertyFilter.h"
#include "mainwin/SortItemTable.h"
#include "platform/ExactName.h"

#include <QDate>
#include <QTime>

namespace {

// The name as the listing shows it: outer spaces trimmed, nothing else.
QString shownName(const QString &name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && name[end - 1] == QLatin1Char(' '))
        --end;
    return (begin == 0 && end == name.size()) ? name : name.mid(begin, end - begin);
}

QString mark(bool set, char letter)
{
    return set ? QString(QLatin1Char(letter)) : QStringLiteral(" ");
}

} // namespace

QString timeFormatWithSeconds(const QLocale &locale)
{
    const QString shortFormat = locale.timeFormat(QLocale::ShortFormat);
    if (shortFormat.contains(QLatin1Char('s')))
        return shortFormat;
    // The long format has the seconds but also the zone ("t"), which a listing of
    // local times does not need; drop it outside quoted text.
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : longFormat) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}

ListingModel::ListingModel(QObject *parent)
    : QAbstractTableModel(parent),
      m_locale(QLocale::system()),
      m_dateFormat(m_locale.dateFormat(QLocale::ShortFormat)),
      m_timeFormat(timeFormatWithSeconds(m_locale))
{
    m_locale.setNumberOptions(QLocale::DefaultNumberOptions);
}

void ListingModel::enumerate(AppState &state, const QString &folder, const QString &pattern)
{
    beginResetModel();
    m_visible.clear();
    try {
        EnumerateFolder(m_table, state, folder, pattern);
    } catch (...) {
        endResetModel();
        throw;
    }
    state.OrderChanged = true; // a fresh table is in the order of the disk
    endResetModel();
}

void ListingModel::display(AppState &state)
{
    beginResetModel();
    if (state.OrderChanged)
        SortItemTable(m_table, state);
    m_visible.clear();
    state.FoldersShown = 0;
    state.FilesShown = 0;
    state.BytesShown = 0;
    for (std::size_t r = 0; r < m_table.size(); ++r) {
        const ListedItem &entry = m_table[r];
        if (!PassesFilters(state, entry))
            continue;
        m_visible.push_back(int(r));
        if (entry.isFolder) {
            ++state.FoldersShown;
        } else {
            ++state.FilesShown;
            state.BytesShown += entry.size;
        }
    }
    m_greek = state.LanguageGreek;
    m_sortColumn = state.SortColumn;
    m_sortOrder = state.SortOrder;
    endResetModel();
}

void ListingModel::setLanguage(bool greek)
{
    m_greek = greek;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ListingColumnCount - 1);
}

const ListedItem &ListingModel::item(int row) const
{
    return m_table[std::size_t(m_visible.at(std::size_t(row)))];
}

QString ListingModel::exactName(int row) const
{
    return item(row).name;
}

int ListingModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_visible.size());
}

int ListingModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ListingColumnCount;
}

QString ListingModel::cellText(const ListedItem &entry, int column) const
{
    switch (column) {
    case 0:
        return ExactName::shown(shownName(entry.name));
    case 1:
        return entry.isFolder ? QString() : m_locale.toString(static_cast<qlonglong>(entry.size));
    case 2: {
        const QDate date(int(entry.date / 10000), int(entry.date / 100 % 100), int(entry.date % 100));
        return m_locale.toString(date, m_dateFormat);
    }
    case 3: {
        const QTime time(int(entry.time / 10000), int(entry.time / 100 % 100), int(entry.time % 100));
        return m_locale.toString(time, m_timeFormat);
    }
    case 4:
        return entry.isFolder ? QStringLiteral("+") : QStringLiteral(" ");
    case 5:
        return mark(entry.hidden, 'H');
    case 6:
        return mark(entry.system, 'S');
    case 7:
        return mark(entry.readOnly, 'R');
    case 8:
        return mark(entry.archive, 'A');
    default:
        return {};
    }
}

QVariant ListingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || std::size_t(index.row()) >= m_visible.size())
        return {};
    const ListedItem &entry = item(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(entry, index.column());
    case Qt::TextAlignmentRole:
        return int(ListingColumnAlignment(index.column()));
    case ExactNameRole:
        return entry.name;
    case IsFolderRole:
        return entry.isFolder;
    default:
        return {};
    }
}

QVariant ListingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return ListingColumnCaption(section, m_greek, m_sortColumn, m_sortOrder);
    case Qt::TextAlignmentRole:
        return int(ListingColumnAlignment(section));
    default:
        return {};
    }
}
