#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// One enumerated folder entry. The listing once kept these as eleven padded text
// cells; the compact form keeps their meaning and their order (see SortItemTable)
// while sizes stay exact beyond ten digits and the name stays exactly as on disk.
struct ListedItem
{
    QString name;           // exact name, leading and trailing spaces kept
    std::int64_t size = 0;  // 0 for a folder
    std::uint32_t date = 0; // yyyymmdd, local time of last modification
    std::uint32_t time = 0; // hhmmss, local time of last modification
    bool isFolder = false;
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
    bool archive = false;
};

// The item table grdInfo, in its current (sorted) order.
using ItemTable = std::vector<ListedItem>;

// Table column numbers, as the column keys "c0" ... "c10" and SortColumn use them.
namespace TableColumn {
inline constexpr int Kind = 0;
inline constexpr int GroupKey = 1;
inline constexpr int ValueKey = 2;
inline constexpr int Name = 3;
inline constexpr int Size = 4;
inline constexpr int Date = 5;
inline constexpr int Time = 6;
inline constexpr int Hidden = 7;
inline constexpr int System = 8;
inline constexpr int ReadOnly = 9;
inline constexpr int Archive = 10;
}

// The width the name cell was padded to in the text form of the table.
inline constexpr int PaddedNameWidth = 270;

// The text cell of `column` (0 and 3 to 10) as the text form of the table held it:
// kind "1"/"2", the name padded to 270 characters, the size as ten zero-padded digits
// (more digits when the size needs them) or empty for a folder, date "yyyymmdd",
// time "hhmmss", the properties "1"/"0". For printing and for checking the order.
QString classicCell(const ListedItem &item, int column);
