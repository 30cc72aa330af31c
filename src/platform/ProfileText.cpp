#include "platform/ProfileText.h"

#include "platform/LegacyText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isProfileBlank(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x09 && u <= 0x0D) || u == 0x20 || u == 0x1A;
}

QString trimmedProfile(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isProfileBlank(s.at(begin)))
        ++begin;
    while (end > begin && isProfileBlank(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin);
}

// A header is "[" ... last "]"; text after the "]" is ignored.
bool headerName(const QString &line, QString *name)
{
    const QString t = trimmedProfile(line);
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    *name = trimmedProfile(t.mid(1, close - 1));
    return true;
}

// Splits a key line at the first "="; a line without "=" is a key with no value.
QString keyName(const QString &line, QString *value)
{
    const QString t = trimmedProfile(line);
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) {
        *value = QString();
        return t;
    }
    *value = trimmedProfile(t.mid(eq + 1));
    if (value->isNull())
        *value = QLatin1String("");
    return trimmedProfile(t.left(eq));
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString decodeBytes(const QByteArray &bytes, ProfileText::Encoding encoding)
{
    if (encoding == ProfileText::Encoding::Windows1253)
        return decodeWindows1253(bytes);
    return QString::fromUtf8(bytes);
}

} // namespace

ProfileText ProfileText::parse(const QByteArray &input)
{
    ProfileText profile;
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        profile.m_encoding = Encoding::Utf8Bom;
        bytes.remove(0, 3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        profile.m_encoding = Encoding::Utf16Le;
    } else if (bytes.startsWith("\xFE\xFF")) {
        profile.m_encoding = Encoding::Utf16Be;
    } else if (!isValidUtf8(bytes)) {
        profile.m_encoding = Encoding::Windows1253;
    }

    if (profile.m_encoding == Encoding::Utf16Le || profile.m_encoding == Encoding::Utf16Be) {
        // UTF-16 files are rare; they are decoded whole and written back whole.
        QStringDecoder decoder(QStringDecoder::Utf16);
        const QString text = decoder.decode(bytes);
        qsizetype start = 0;
        while (start < text.size()) {
            qsizetype end = start;
            while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
                ++end;
            Line line;
            line.text = text.mid(start, end - start);
            line.changed = true;
            if (end < text.size()) {
                const bool crlf = text.at(end) == QLatin1Char('\r') && end + 1 < text.size()
                                  && text.at(end + 1) == QLatin1Char('\n');
                line.lineEnd = crlf ? "\r\n" : QByteArray(1, text.at(end).toLatin1());
                end += crlf ? 2 : 1;
            }
            profile.m_lines.append(line);
            start = end;
        }
        return profile;
    }

    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes.at(end) != '\r' && bytes.at(end) != '\n')
            ++end;
        Line line;
        line.raw = bytes.mid(start, end - start);
        line.text = decodeBytes(line.raw, profile.m_encoding);
        if (end < bytes.size()) {
            const bool crlf = bytes.at(end) == '\r' && end + 1 < bytes.size() && bytes.at(end + 1) == '\n';
            line.lineEnd = crlf ? QByteArray("\r\n") : QByteArray(1, bytes.at(end));
            end += crlf ? 2 : 1;
        }
        profile.m_lines.append(line);
        start = end;
    }
    return profile;
}

QByteArray ProfileText::encode(const QString &text) const
{
    switch (m_encoding) {
    case Encoding::Windows1253:
        return encodeWindows1253(text);
    case Encoding::Utf16Le: {
        QStringEncoder encoder(QStringEncoder::Utf16LE);
        return encoder.encode(text);
    }
    case Encoding::Utf16Be: {
        QStringEncoder encoder(QStringEncoder::Utf16BE);
        return encoder.encode(text);
    }
    default:
        return text.toUtf8();
    }
}

bool ProfileText::canSerialize() const
{
    if (!m_needsUnicode)
        return true;
    for (const Line &line : m_lines)
        if (!line.changed && line.text.contains(QChar(QChar::ReplacementCharacter)))
            return false;
    return true;
}

QByteArray ProfileText::serialize() const
{
    if (m_needsUnicode) {
        // The whole file moves to UTF-8 (with a BOM, so that every reader knows it),
        // each line decoded from the code page and kept.
        QByteArray out = "\xEF\xBB\xBF";
        for (const Line &line : m_lines)
            out += line.text.toUtf8() + line.lineEnd;
        return out;
    }
    QByteArray out;
    switch (m_encoding) {
    case Encoding::Utf8Bom:
        out = "\xEF\xBB\xBF";
        break;
    case Encoding::Utf16Le:
        out = "\xFF\xFE";
        break;
    case Encoding::Utf16Be:
        out = "\xFE\xFF";
        break;
    default:
        break;
    }
    for (const Line &line : m_lines) {
        if (line.changed) {
            out += encode(line.text + QString::fromLatin1(line.lineEnd));
        } else {
            out += line.raw;
            out += line.lineEnd;
        }
    }
    return out;
}

int ProfileText::findSection(const QString &section) const
{
    const QString wanted = trimmedProfile(section);
    for (int i = 0; i < m_lines.size(); ++i) {
        QString name;
        if (headerName(m_lines.at(i).text, &name) && sameName(name, wanted))
            return i;
    }
    return -1;
}

int ProfileText::findKey(int sectionLine, const QString &key) const
{
    const QString wanted = trimmedProfile(key);
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        QString name;
        if (headerName(m_lines.at(i).text, &name))
            break;
        QString value;
        if (sameName(keyName(m_lines.at(i).text, &value), wanted))
            return i;
    }
    return -1;
}

int ProfileText::sectionEnd(int sectionLine) const
{
    int end = sectionLine + 1;
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        QString name;
        if (headerName(m_lines.at(i).text, &name))
            break;
        if (!trimmedProfile(m_lines.at(i).text).isEmpty())
            end = i + 1;
    }
    return end;
}

QString ProfileText::value(const QString &section, const QString &key) const
{
    QString value = rawValue(section, key);
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QString ProfileText::rawValue(const QString &section, const QString &key) const
{
    if (trimmedProfile(section).isEmpty() || trimmedProfile(key).isEmpty())
        return QString();
    const int sectionLine = findSection(section);
    if (sectionLine < 0)
        return QString();
    const int keyLine = findKey(sectionLine, key);
    if (keyLine < 0)
        return QString();
    QString value;
    keyName(m_lines.at(keyLine).text, &value);
    return value;
}

void ProfileText::appendLine(const QString &text)
{
    if (!m_lines.isEmpty() && m_lines.last().lineEnd.isEmpty())
        m_lines.last().lineEnd = "\r\n";
    Line line;
    line.text = text;
    line.lineEnd = "\r\n";
    line.changed = true;
    m_lines.append(line);
}

bool ProfileText::setValue(const QString &section, const QString &key, const QString &rawValue)
{
    QString value = rawValue;
    while (!value.isEmpty() && isProfileBlank(value.front()))
        value.remove(0, 1);
    // The reader trims trailing blanks and takes off one pair of quotes; such a value
    // is written in quotes so that it reads back as it was given.
    if (!value.isEmpty()
        && (isProfileBlank(value.back())
            || (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
                && value.back() == value.front())))
        value = QLatin1Char('"') + value + QLatin1Char('"');
    if (m_encoding == Encoding::Windows1253 && decodeWindows1253(encodeWindows1253(value)) != value)
        m_needsUnicode = true;
    const QString sectionName = trimmedProfile(section);
    const QString keyText = trimmedProfile(key);

    const int sectionLine = findSection(sectionName);
    if (sectionLine < 0) {
        appendLine(QLatin1Char('[') + sectionName + QLatin1Char(']'));
        appendLine(keyText + QLatin1Char('=') + value);
        return true;
    }
    const int keyLine = findKey(sectionLine, keyText);
    if (keyLine >= 0) {
        QString old;
        const QString storedName = keyName(m_lines.at(keyLine).text, &old);
        if (!old.isNull() && old == trimmedProfile(value))
            return false;
        Line &line = m_lines[keyLine];
        line.text = storedName + QLatin1Char('=') + value;
        line.changed = true;
        if (line.lineEnd.isEmpty())
            line.lineEnd = "\r\n";
        return true;
    }
    const int at = sectionEnd(sectionLine);
    if (m_lines.at(at - 1).lineEnd.isEmpty())
        m_lines[at - 1].lineEnd = "\r\n";
    Line line;
    line.text = keyText + QLatin1Char('=') + value;
    line.lineEnd = "\r\n";
    line.changed = true;
    m_lines.insert(at, line);
    return true;
}
