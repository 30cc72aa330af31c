#pragma once

#include <QString>

// A text of the program in its two languages, Greek first, kept exactly as the
// program shows it. UTF-8 sources.
struct Bilingual
{
    const char *greek;
    const char *english;

    QString in(bool languageGreek) const { return QString::fromUtf8(languageGreek ? greek : english); }
};

// The CR LF that joins the lines of every message and of every text file we write.
inline const QString NewLine = QStringLiteral("\r\n");
