#include "app/Settings.h"

#include "app/AppState.h"
#include "platform/ExactName.h"
#include "platform/PrivateProfile.h"

#include <cmath>

namespace {

QString rawText(const QString &iniPath, const SettingKey &key)
{
    return PrivateProfile::readString(QString::fromLatin1(key.section), QString::fromLatin1(key.key),
                                      QString::fromLatin1(key.defaultText), key.bufferSize, iniPath);
}

bool inRange(double value, const SettingKey &key)
{
    return value >= key.minimum && value <= key.maximum;
}

// Whole numbers are rounded half to even, as the settings have always been read.
int roundedToInt(double value)
{
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r > 2147483647.0 || r < -2147483648.0)
        return 0;
    return static_cast<int>(r);
}

} // namespace

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && text.at(i).unicode() < 128 && text.at(i).isDigit()) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && text.at(j).unicode() < 128 && text.at(j).isDigit())
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

bool readFlag(const QString &iniPath, const SettingKey &key)
{
    const double number = leadingNumber(rawText(iniPath, key));
    switch (key.encoding) {
    case SettingEncoding::FlagKind1:
        return number != 2;
    case SettingEncoding::FlagKind2:
        return number == 1;
    default:
        return number == 1;
    }
}

int readInteger(const QString &iniPath, const SettingKey &key)
{
    const double number = leadingNumber(rawText(iniPath, key));
    const int value = roundedToInt(number);
    return inRange(value, key) ? value : key.fallback;
}

QString readText(const QString &iniPath, const SettingKey &key)
{
    return rawText(iniPath, key);
}

bool readLanguageGreek(const QString &iniPath)
{
    return leadingNumber(rawText(iniPath, Keys::Language)) == 0;
}

bool readTruthWord(const QString &iniPath, const SettingKey &key)
{
    const QString text = rawText(iniPath, key).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    // A number counts as true when it is not zero; any other word as false.
    return leadingNumber(text) != 0;
}

void ReadSettings(AppState &s)
{
    const QString &ini = s.IniPath;
    s.LanguageGreek = readLanguageGreek(ini);
    s.DeleteOption = readInteger(ini, Keys::Delete);
    s.ShowOptions = readFlag(ini, Keys::ShowOptions);
    s.SelectTarget = readFlag(ini, Keys::SelectTarget);
    s.ArchiveStartPoint = readInteger(ini, Keys::ArchiveStartPoint);
    s.QuickViewPath = readText(ini, Keys::QuickViewPath);
    // Paths are kept in the file with odd bytes escaped, so the file stays UTF-8.
    s.InitialPath = ExactName::fromText(readText(ini, Keys::StartingPoint));
    s.PrintToFile = readTruthWord(ini, Keys::PrintToFile);

    s.CopyVerify = readFlag(ini, Keys::CopyVerify);
    s.CopyConfirm = readFlag(ini, Keys::CopyConfirm);
    s.CopyRename = readFlag(ini, Keys::CopyRename);
    if (!s.CopyConfirm && s.CopyRename) {
        s.CopyConfirm = true;
        s.CopyRename = false;
    }

    s.MoveVerify = readFlag(ini, Keys::MoveVerify);
    s.MoveConfirm = readFlag(ini, Keys::MoveConfirm);
    s.MoveRename = readFlag(ini, Keys::MoveRename);
    if (!s.MoveConfirm && s.MoveRename) {
        s.MoveConfirm = true;
        s.MoveRename = false;
    }

    s.BackupVerify = readFlag(ini, Keys::BackupVerify);
    s.BackupQueryBefore = readFlag(ini, Keys::BackupQueryBefore);
    s.BackupQueryAfter = readFlag(ini, Keys::BackupQueryAfter);
    s.BackupQueryIfNotFound = readFlag(ini, Keys::BackupQueryIfNotFound);
    s.BackupTargetFolderAction = readInteger(ini, Keys::BackupTargetFolderAction);
    s.BackupSourceFolderAction = readInteger(ini, Keys::BackupSourceFolderAction);
    s.FindStartPoint = readInteger(ini, Keys::FindStartPoint);
    s.FindWindowSize = readInteger(ini, Keys::FindWindowSize);

    s.PrintTopMargin = readInteger(ini, Keys::TopMargin);
    s.PrintLeftMargin = readInteger(ini, Keys::LeftMargin);
    const QString font = readText(ini, Keys::FontName);
    s.PrintFontName = (font == QLatin1String("Courier New") || font == QLatin1String("Courier New Greek")) ? font
                                                                                                            : QString();
    s.PrintFontSize = readInteger(ini, Keys::FontSize);
    s.PrintLinesPerPage = readInteger(ini, Keys::LinesPerPage);

    s.PropertyRestrictions = readInteger(ini, Keys::PropertyRestrictions);
    s.RestrictHidden = readFlag(ini, Keys::Hidden);
    s.RestrictSystem = readFlag(ini, Keys::System);
    s.RestrictReadOnly = readFlag(ini, Keys::ReadOnly);
    s.RestrictArchive = readFlag(ini, Keys::Archive);
    s.ShowFolders = readFlag(ini, Keys::Folders);
    s.ShowFiles = readFlag(ini, Keys::Files);
    // Listing nothing at all is never what the user wants; the file keeps its values
    // until a box is clicked.
    if (!s.ShowFolders && !s.ShowFiles) {
        s.ShowFolders = true;
        s.ShowFiles = true;
    }
    s.OrderOfAppearance = readInteger(ini, Keys::OrderOfAppearance);
    s.SortColumn = readInteger(ini, Keys::SortColumn);
    s.SortOrder = readInteger(ini, Keys::SortOrder);
}

QString encodeSetting(const SettingKey &key, bool value)
{
    switch (key.encoding) {
    case SettingEncoding::FlagKind1:
    case SettingEncoding::FlagKind2:
        return value ? QStringLiteral("1") : QStringLiteral("2");
    case SettingEncoding::FlagKind3:
        return value ? QStringLiteral("1") : QStringLiteral("0");
    case SettingEncoding::Language:
        return value ? QStringLiteral("0") : QStringLiteral("1");
    case SettingEncoding::TruthWord:
        return value ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value ? QStringLiteral("1") : QStringLiteral("0");
    }
}

QString encodeSetting(const SettingKey &key, int value)
{
    Q_UNUSED(key);
    return QString::number(value);
}

void writeSetting(const QString &iniPath, const SettingKey &key, bool value)
{
    PrivateProfile::writeString(QString::fromLatin1(key.section), QString::fromLatin1(key.key),
                                encodeSetting(key, value), iniPath);
}

void writeSetting(const QString &iniPath, const SettingKey &key, int value)
{
    PrivateProfile::writeString(QString::fromLatin1(key.section), QString::fromLatin1(key.key),
                                encodeSetting(key, value), iniPath);
}

void writeSetting(const QString &iniPath, const SettingKey &key, const QString &value)
{
    PrivateProfile::writeString(QString::fromLatin1(key.section), QString::fromLatin1(key.key), value, iniPath);
}
