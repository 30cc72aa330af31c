#pragma once

#include <QString>

struct AppState;

// How a key's value is written and read back.
enum class SettingEncoding {
    FlagKind1,   // "1" True, "2" False; True unless the number read is 2
    FlagKind2,   // "1" True, "2" False; False unless the number read is 1
    FlagKind3,   // "1" True, "0" False; True only if the number read is 1
    Language,    // "0" Greek, "1" English; Greek only if the number read is 0
    Integer,     // plain decimal
    Text,        // the text itself
    TruthWord,   // "True" / "False"
};

// One key of Tidyhall.ini: where it lives, how it is encoded, the buffer it is read
// into, the text parsed when it is missing, and its range and fallback.
struct SettingKey
{
    const char *section;
    const char *key;
    SettingEncoding encoding;
    int bufferSize;
    const char *defaultText;
    double minimum = 0;
    double maximum = 0;
    int fallback = 0;
};

namespace Keys {
inline constexpr SettingKey Language{"General", "Language", SettingEncoding::Language, 5, "0"};
inline constexpr SettingKey Delete{"General", "Delete", SettingEncoding::Integer, 5, "0", 1, 4, 1};
inline constexpr SettingKey ShowOptions{"General", "ShowOptions", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey SelectTarget{"General", "SelectTarget", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey ArchiveStartPoint{"General", "ArchiveStartPoint", SettingEncoding::Integer, 5, "0", 1, 3, 1};
inline constexpr SettingKey QuickViewPath{"General", "QuickViewPath", SettingEncoding::Text, 1024, ""};
inline constexpr SettingKey StartingPoint{"General", "StartingPoint", SettingEncoding::Text, 1024, ""};
inline constexpr SettingKey PrintToFile{"General", "PrintToFile", SettingEncoding::TruthWord, 1024, "False"};
inline constexpr SettingKey CopyVerify{"Copy", "Verify", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey CopyConfirm{"Copy", "Confirm", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey CopyRename{"Copy", "Rename", SettingEncoding::FlagKind2, 5, "0"};
inline constexpr SettingKey MoveVerify{"Move", "Verify", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey MoveConfirm{"Move", "Confirm", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey MoveRename{"Move", "Rename", SettingEncoding::FlagKind2, 5, "0"};
inline constexpr SettingKey BackupVerify{"Backup", "Verify", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey BackupQueryBefore{"Backup", "QueryForNewNameBefore", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey BackupQueryAfter{"Backup", "QueryForNewNameAfter", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey BackupQueryIfNotFound{"Backup", "QueryIfNotFound", SettingEncoding::FlagKind1, 5, "0"};
inline constexpr SettingKey BackupTargetFolderAction{"Backup", "TargetFolderAction", SettingEncoding::Integer, 5, "0", 1, 7, 1};
inline constexpr SettingKey BackupSourceFolderAction{"Backup", "SourceFolderAction", SettingEncoding::Integer, 5, "0", 1, 6, 5};
inline constexpr SettingKey FindStartPoint{"Find", "FindStartPoint", SettingEncoding::Integer, 5, "0", 1, 3, 2};
inline constexpr SettingKey FindWindowSize{"Find", "FindWindowSize", SettingEncoding::Integer, 5, "0", 1, 2, 1};
inline constexpr SettingKey TopMargin{"Printer", "TopMargin", SettingEncoding::Integer, 5, "0", 0, 10, 0};
inline constexpr SettingKey LeftMargin{"Printer", "LeftMargin", SettingEncoding::Integer, 5, "0", 0, 20, 0};
inline constexpr SettingKey FontName{"Printer", "FontName", SettingEncoding::Text, 25, ""};
inline constexpr SettingKey FontSize{"Printer", "FontSize", SettingEncoding::Integer, 5, "8", 8, 9, 8};
inline constexpr SettingKey LinesPerPage{"Printer", "LinesPerPage", SettingEncoding::Integer, 5, "30", 40, 70, 40};
inline constexpr SettingKey PropertyRestrictions{"Properties", "PropertyRestrictions", SettingEncoding::Integer, 5, "1", 1, 3, 1};
inline constexpr SettingKey Hidden{"Properties", "Hidden", SettingEncoding::FlagKind3, 5, "1"};
inline constexpr SettingKey System{"Properties", "System", SettingEncoding::FlagKind3, 5, "1"};
inline constexpr SettingKey ReadOnly{"Properties", "ReadOnly", SettingEncoding::FlagKind3, 5, "1"};
inline constexpr SettingKey Archive{"Properties", "Archive", SettingEncoding::FlagKind3, 5, "1"};
inline constexpr SettingKey Folders{"Appearance", "Folders", SettingEncoding::FlagKind3, 5, "1"};
inline constexpr SettingKey Files{"Appearance", "Files", SettingEncoding::FlagKind3, 5, "1"};
inline constexpr SettingKey OrderOfAppearance{"Appearance", "OrderOfAppearance", SettingEncoding::Integer, 5, "1", 1, 3, 2};
inline constexpr SettingKey SortColumn{"InternalSorting", "SortColumn", SettingEncoding::Integer, 5, "3", 3, 10, 3};
inline constexpr SettingKey SortOrder{"InternalSorting", "SortOrder", SettingEncoding::Integer, 5, "1", 1, 2, 1};
// Column widths the user set on the listing, "column:pixels" joined by ",": a section
// of this program's own, beside the classic ones.
inline constexpr SettingKey ListingColumnWidths{"TidyhallListing", "ColumnWidths", SettingEncoding::Text, 1024, ""};
// The one writer that spells this key its own way; the match ignores case.
inline constexpr SettingKey FindWindowSizeAsWritten{"Find", "Findwindowsize", SettingEncoding::Integer, 5, "0", 1, 2, 1};

// Special.ini, section Applications: the companion programs' command lines.
inline constexpr SettingKey Drivelook{"Applications", "Drivelook", SettingEncoding::Text, 1024, ""};
inline constexpr SettingKey Pairview{"Applications", "Pairview", SettingEncoding::Text, 1024, ""};
inline constexpr SettingKey Mirrorset{"Applications", "Mirrorset", SettingEncoding::Text, 1024, ""};
inline constexpr SettingKey Shapekeep{"Applications", "Shapekeep", SettingEncoding::Text, 1024, ""};
}

// The leading number of a text, as the settings file has always been read: blanks
// skipped, an optional sign, digits with an optional fraction and exponent; a text
// without a leading number is 0.
double leadingNumber(const QString &text);

// Reading one key by its encoding.
bool readFlag(const QString &iniPath, const SettingKey &key);
int readInteger(const QString &iniPath, const SettingKey &key);
QString readText(const QString &iniPath, const SettingKey &key);
bool readLanguageGreek(const QString &iniPath);
bool readTruthWord(const QString &iniPath, const SettingKey &key);

// Reads every key of Tidyhall.ini into the state, in the order of the file's table,
// with the rules that follow some keys.
void ReadSettings(AppState &state);

// Writers: one key per call, in the key's own text encoding. A failed write is not
// reported, as a failed settings write never stops a command.
void writeSetting(const QString &iniPath, const SettingKey &key, bool value);
void writeSetting(const QString &iniPath, const SettingKey &key, int value);
void writeSetting(const QString &iniPath, const SettingKey &key, const QString &value);

// The text a key's encoding writes for a value.
QString encodeSetting(const SettingKey &key, bool value);
QString encodeSetting(const SettingKey &key, int value);
