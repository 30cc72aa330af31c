#include "mainwin/ItemTable.h"

namespace {
QString zeroPadded(std::int64_t value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}
QString flag(bool set)
{
    return set ? QStringLiteral("1") : QStringLiteral("0");
}
}

QString classicCell(const ListedItem &item, int column)
{
    switch (column) {
    case TableColumn::Kind:
        return item.isFolder ? QStringLiteral("1") : QStringLiteral("2");
    case TableColumn::Name:
        return item.name.leftJustified(PaddedNameWidth, QLatin1Char(' '), true);
    case TableColumn::Size:
        return item.isFolder ? QString() : zeroPadded(item.size, 10);
    case TableColumn::Date:
        return zeroPadded(item.date, 8);
    case TableColumn::Time:
        return zeroPadded(item.time, 6);
    case TableColumn::Hidden:
        return flag(item.hidden);
    case TableColumn::System:
        return flag(item.system);
    case TableColumn::ReadOnly:
        return flag(item.readOnly);
    case TableColumn::Archive:
        return flag(item.archive);
    default:
        return QStringLiteral(" ");
    }
}
