#include "mainwin/ListingRules.h"

#include "app/AppState.h"
#include "mainwin/ItemTable.h"
#include "mainwin/ListingTexts.h"

#include <QStringList>
#include <QtMath>
#include <algorithm>
#include <array>

namespace {

struct ColumnDefinition
{
    int tableColumn;
    const Bilingual *caption; // null for the one-letter columns
    const char *letter;
    int twips;
    Qt::Alignment alignment;
};

const std::array<ColumnDefinition, ListingColumnCount> &columns()
{
    static const std::array<ColumnDefinition, ListingColumnCount> table{{
        {TableColumn::Name, &ListingTexts::NameCaption, nullptr, 5550, Qt::AlignLeft | Qt::AlignVCenter},
        {TableColumn::Size, &ListingTexts::SizeCaption, nullptr, 1050, Qt::AlignRight | Qt::AlignVCenter},
        {TableColumn::Date, &ListingTexts::DateCaption, nullptr, 1000, Qt::AlignCenter},
        {TableColumn::Time, &ListingTexts::TimeCaption, nullptr, 800, Qt::AlignCenter},
        {TableColumn::Kind, nullptr, ListingTexts::FolderMarkCaption, 30, Qt::AlignCenter},
        {TableColumn::Hidden, nullptr, ListingTexts::HiddenCaption, 50, Qt::AlignCenter},
        {TableColumn::System, nullptr, ListingTexts::SystemCaption, 50, Qt::AlignCenter},
        {TableColumn::ReadOnly, nullptr, ListingTexts::ReadOnlyCaption, 50, Qt::AlignCenter},
        {TableColumn::Archive, nullptr, ListingTexts::ArchiveCaption, 50, Qt::AlignCenter},
    }};
    return table;
}

bool validColumn(int viewColumn)
{
    return viewColumn >= 0 && viewColumn < ListingColumnCount;
}

// What a header section adds around its text (margins and the frame).
constexpr int HeaderMarginPixels = 12;
constexpr int TwipsPerPixel = 15;

} // namespace

int ListingTableColumn(int viewColumn)
{
    return validColumn(viewColumn) ? columns()[std::size_t(viewColumn)].tableColumn : -1;
}

QString ListingColumnKey(int viewColumn)
{
    return validColumn(viewColumn) ? QStringLiteral("c%1").arg(ListingTableColumn(viewColumn)) : QString();
}

int ListingViewColumn(int tableColumn)
{
    for (int c = 0; c < ListingColumnCount; ++c) {
        if (columns()[std::size_t(c)].tableColumn == tableColumn)
            return c;
    }
    return -1;
}

QString ListingColumnCaption(int viewColumn, bool greek, int sortColumn, int sortOrder)
{
    if (!validColumn(viewColumn))
        return {};
    const ColumnDefinition &column = columns()[std::size_t(viewColumn)];
    const bool sorted = column.tableColumn == sortColumn && column.tableColumn != TableColumn::Kind;
    const QString sign = sortOrder == 2 ? QStringLiteral("-") : QStringLiteral("+");
    if (column.caption)
        return sorted ? column.caption->in(greek) + QLatin1Char(' ') + sign : column.caption->in(greek);
    const QString letter = QString::fromLatin1(column.letter);
    return sorted ? letter + sign : letter;
}

Qt::Alignment ListingColumnAlignment(int viewColumn)
{
    return validColumn(viewColumn) ? columns()[std::size_t(viewColumn)].alignment : Qt::AlignLeft | Qt::AlignVCenter;
}

int ListingColumnWidth(int viewColumn, const std::function<int(const QString &)> &textWidth, double scale)
{
    if (!validColumn(viewColumn))
        return 0;
    const ColumnDefinition &column = columns()[std::size_t(viewColumn)];
    const int fromTwips = qRound(column.twips * scale / TwipsPerPixel);
    if (column.caption || !textWidth)
        return fromTwips;
    const QString letter = QString::fromLatin1(column.letter);
    const int widest = std::max(textWidth(letter + QLatin1Char('+')), textWidth(letter + QLatin1Char('-')));
    return std::max(fromTwips, widest + HeaderMarginPixels);
}

QString ColumnWidthsText(const QMap<int, int> &widths)
{
    QStringList parts;
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
        parts << QString::number(it.key()) + QLatin1Char(':') + QString::number(it.value());
    return parts.join(QLatin1Char(','));
}

QMap<int, int> ColumnWidthsFromText(const QString &text)
{
    QMap<int, int> widths;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool columnOk = false;
        bool widthOk = false;
        const int column = part.section(QLatin1Char(':'), 0, 0).trimmed().toInt(&columnOk);
        const int width = part.section(QLatin1Char(':'), 1, 1).trimmed().toInt(&widthOk);
        if (columnOk && widthOk && validColumn(column) && width > 0 && width <= 10000)
            widths.insert(column, width);
    }
    return widths;
}

HeaderClick ApplyHeaderClick(AppState &state, const QString &key)
{
    bool ok = false;
    const int n = key.startsWith(QLatin1Char('c')) ? key.mid(1).toInt(&ok) : -1;
    if (!ok || n < TableColumn::Name || n > TableColumn::Archive)
        return HeaderClick::ShowSortByKindMessage;
    state.SortOrder = (n == state.SortColumn && state.SortOrder == 1) ? 2 : 1;
    state.SortColumn = n;
    state.OrderChanged = true;
    return HeaderClick::Resort;
}

AppearanceOutcome AppearanceControls(const AppState &state)
{
    AppearanceOutcome outcome;
    outcome.foldersChecked = state.ShowFolders;
    outcome.filesChecked = state.ShowFiles;
    outcome.foldersEnabled = !(state.ShowFolders && !state.ShowFiles);
    outcome.filesEnabled = !(state.ShowFiles && !state.ShowFolders);
    outcome.orderOfAppearanceEnabled = state.ShowFolders && state.ShowFiles;
    return outcome;
}

AppearanceOutcome ApplyAppearanceClick(AppState &state, bool foldersChecked, bool filesChecked)
{
    const bool bothCleared = !foldersChecked && !filesChecked;
    state.ShowFolders = foldersChecked || bothCleared;
    state.ShowFiles = filesChecked || bothCleared;
    AppearanceOutcome outcome = AppearanceControls(state);
    outcome.showBothClearedMessage = bothCleared;
    return outcome;
}

int NextPropertyRestrictions(int mode)
{
    return mode >= 1 && mode < 3 ? mode + 1 : 1;
}

QString PropertyRestrictionsCaption(int mode)
{
    const int index = (mode >= 1 && mode <= 3) ? mode - 1 : 0;
    return QString::fromLatin1(ListingTexts::PropertyModeCaptions[index]);
}

QString CyclePropertyRestrictions(AppState &state)
{
    state.PropertyRestrictions = NextPropertyRestrictions(state.PropertyRestrictions);
    return PropertyRestrictionsCaption(state.PropertyRestrictions);
}

void ApplyOrderOfAppearance(AppState &state, int index)
{
    state.OrderOfAppearance = std::clamp(index + 1, 1, 3);
    state.OrderChanged = true;
}
