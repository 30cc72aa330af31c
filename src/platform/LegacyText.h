#pragma once

#include <QByteArray>
#include <QString>

// Text files carried over from a Greek Windows installation are in Windows-1253.
// Qt reads only the Unicode encodings by itself, so the table lives here.
QString decodeWindows1253(const QByteArray &bytes);
// Characters the code page cannot hold become "?".
QByteArray encodeWindows1253(const QString &text);

bool isValidUtf8(const QByteArray &bytes);

// A text file as the program reads every text file: UTF-16 (little or big endian)
// when it starts with its BOM or shows a NUL in every other byte; UTF-8 when it is
// valid UTF-8 (a BOM is dropped); else Windows-1253.
QString decodeTextFile(const QByteArray &bytes);
