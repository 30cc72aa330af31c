#pragma once

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

// Sets `key` of `section` to `value`, creating the file, the section or the key when
// missing. The file is replaced atomically: a failed write leaves the old file whole.
// Returns false when the file could not be written.
bool writeString(const QString &section, const QString &key, const QString &value, const QString &filePath);

}
