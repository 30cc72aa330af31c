#include "platform/ExactName.h"

namespace {

constexpr char16_t OddByteBase = 0xDC00;

bool isOddByteUnit(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// The length of the well-formed UTF-8 sequence starting at `i`, or 0 (RFC 3629:
// no overlong forms, no surrogates, nothing above U+10FFFF).
int sequenceLength(const unsigned char *s, qsizetype i, qsizetype n, char32_t &codePoint)
{
    const unsigned char b0 = s[i];
    auto cont = [&](qsizetype k) { return i + k < n && (s[i + k] & 0xC0) == 0x80; };
    if (b0 < 0x80) {
        codePoint = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) {
        codePoint = (char32_t(b0 & 0x1F) << 6) | (s[i + 1] & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
        const unsigned char b1 = s[i + 1];
        if ((b0 == 0xE0 && b1 < 0xA0) || (b0 == 0xED && b1 >= 0xA0)) return 0;
        codePoint = (char32_t(b0 & 0x0F) << 12) | (char32_t(b1 & 0x3F) << 6) | (s[i + 2] & 0x3F);
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
        const unsigned char b1 = s[i + 1];
        if ((b0 == 0xF0 && b1 < 0x90) || (b0 == 0xF4 && b1 >= 0x90)) return 0;
        codePoint = (char32_t(b0 & 0x07) << 18) | (char32_t(b1 & 0x3F) << 12) | (char32_t(s[i + 2] & 0x3F) << 6)
                    | (s[i + 3] & 0x3F);
        return 4;
    }
    return 0;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

QString hexEscape(unsigned byte)
{
    return QLatin1String("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

} // namespace

namespace ExactName {

QString fromBytes(QByteArrayView bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    // Every byte gives at most one UTF-16 unit (a four-byte sequence gives two), so the
    // string is written in place and cut to length: a large folder's names are all
    // converted on this path.
    QString out(n, Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *d = begin;
    for (qsizetype i = 0; i < n;) {
        if (s[i] < 0x80) {
            *d++ = s[i++];
            continue;
        }
        char32_t c = 0;
        const int len = sequenceLength(s, i, n, c);
        if (len == 0) {
            *d++ = char16_t(OddByteBase + s[i]);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            const char32_t v = c - 0x10000;
            *d++ = char16_t(0xD800 + (v >> 10));
            *d++ = char16_t(0xDC00 + (v & 0x3FF));
        } else {
            *d++ = char16_t(c);
        }
        i += len;
    }
    out.truncate(d - begin);
    return out;
}

QByteArray toBytes(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 3);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && text[i + 1].unicode() >= 0xDC00
            && text[i + 1].unicode() <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(u - 0xD800) << 10) | (text[i + 1].unicode() - 0xDC00)));
            ++i;
        } else if (isOddByteUnit(u)) {
            out.append(char(u - OddByteBase));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, 0xFFFD); // a lone surrogate no folder could have given
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

bool hasOddBytes(QStringView text)
{
    for (const QChar c : text)
        if (isOddByteUnit(c.unicode())) return true;
    return false;
}

QString shown(QStringView text)
{
    if (!hasOddBytes(text)) return text.toString();
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text)
        if (isOddByteUnit(c.unicode()))
            out += hexEscape(c.unicode() - OddByteBase);
        else
            out += c;
    return out;
}

QString toText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (isOddByteUnit(c.unicode())) {
            out += hexEscape(c.unicode() - OddByteBase);
        } else if (c == QLatin1Char('\\') && i + 3 < n && text[i + 1] == QLatin1Char('x')
                   && hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
            out += QLatin1String("\\x5C");
        } else {
            out += c;
        }
    }
    return out;
}

QString fromText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == QLatin1Char('\\') && i + 3 < n && text[i + 1] == QLatin1Char('x')) {
            const int hi = hexValue(text[i + 2]);
            const int lo = hexValue(text[i + 3]);
            if (hi >= 0 && lo >= 0) {
                const int byte = hi * 16 + lo;
                if (byte == 0x5C) {
                    out += QLatin1Char('\\');
                    i += 3;
                    continue;
                }
                if (byte >= 0x80) {
                    out += QChar(char16_t(OddByteBase + byte));
                    i += 3;
                    continue;
                }
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace ExactName
