#pragma once

#include <QList>
#include <QString>

// The program's INI files, read and written the way the classic private-profile
// calls do: section and key names matched without regard to case, white space around
// names and values trimmed, the first of duplicate sections or keys wins, every other
// line kept as it was. A file that is not valid UTF-8 is read as Windows-1253 so that
// files carried over from a Greek Windows installation keep their texts.
namespace PrivateProfile {

// The value of `key` in `section`, cut to `bufferSize` − 1 characters as a fixed
// buffer would cut it; `defaultText` (trailing blanks removed) when the file, the
// section or the key is missing.
QString readString(const QString &section, const QString &key, const QString &defaultText, int bufferSize,
                   const QString &filePath);

// The value of `key` as the file holds it, quotes around it kept; null when the file,
// the section or the key is missing. Cut at its first NUL.
QString readCommandLine(const QString &section, const QString &key, const QString &filePath);

struct Entry
{
    QString section;
    QString key;
    QString value;
};

// Sets every entry, creating the file, sections and keys when missing, with one atomic
// replacement of the file: either every entry is written or the old file stays whole.
// A value that would not read back as itself (trailing blanks, or enclosed in quotes)
// is written in quotes. A file in Windows-1253 that must take a character the code
// page lacks is converted to UTF-8 with a BOM, every other line kept. Throws
// RuntimeError (with the reason) when the file cannot be read or written, when a
// value holds a line break, or when such a conversion would lose bytes the code page
// does not define.
void writeStrings(const QList<Entry> &entries, const QString &filePath);

// One entry, as above; false when it could not be written.
bool writeString(const QString &section, const QString &key, const QString &value, const QString &filePath);

}
