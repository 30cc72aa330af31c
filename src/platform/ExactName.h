#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Names and paths are the bytes the folder gave. The program carries them as
// QString through one lossless mapping of its own: valid UTF-8 decodes as usual,
// and every byte that does not decode becomes the reserved code unit U+DC80 + byte
// (a lone low surrogate, which no decoded text can hold). `toBytes` gives the very
// same bytes back. Such strings never go through QFile, QFileInfo, QDir or
// QFileDialog, which would re-encode them lossily: use these at every system call.
namespace ExactName {

QString fromBytes(QByteArrayView bytes);
QByteArray toBytes(QStringView text);

// True when the text holds a byte that did not decode.
bool hasOddBytes(QStringView text);

// What the user sees: each odd byte as "\xFF", everything else as it is.
QString shown(QStringView text);

// The form written into text files (settings, path lists, comments): each odd
// byte as "\xHH", and a backslash that would read back as such an escape as
// "\x5C". `fromText` reverses it; a text without escapes is read as it stands.
QString toText(QStringView text);
QString fromText(QStringView text);

} // namespace ExactName
