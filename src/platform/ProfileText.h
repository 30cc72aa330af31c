#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A private-profile file held as its lines, each with its original bytes, so that a
// write changes only the lines it must and keeps the file's encoding.
class ProfileText
{
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Windows1253 };

    static ProfileText parse(const QByteArray &bytes);
    // False when the file must leave Windows-1253 for a value it cannot hold, and a
    // line of it holds bytes the code page does not define, which UTF-8 cannot carry.
    bool canSerialize() const;
    QByteArray serialize() const;

    // The value of the first matching key of the first matching section; null when
    // the section or the key is missing or the key has no "=".
    QString value(const QString &section, const QString &key) const;
    // The same without removing a pair of quotes around the whole value: a command
    // line such as "/opt/a b/prog" "arg" needs its first and last quote.
    QString rawValue(const QString &section, const QString &key) const;
    // Sets the value; returns false when nothing had to change.
    bool setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Line
    {
        QString text;         // decoded, without the line end
        QByteArray raw;       // original bytes, without the line end; empty for new lines
        QByteArray lineEnd;   // "\r\n", "\n", "\r" or "" for the last line
        bool changed = false; // encode `text` instead of writing `raw`
    };

    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;
    int sectionEnd(int sectionLine) const;
    QByteArray encode(const QString &text) const;
    void appendLine(const QString &text);

    QList<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    bool m_needsUnicode = false; // a Windows-1253 file was given a character it lacks
};
