#include "platform/LegacyText.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace {

// Code points of the bytes 0x80 to 0xFF; 0xFFFD where the code page has no character.
constexpr std::array<char16_t, 128> HighHalf = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0xFFFD, 0x2039, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0xFFFD, 0x203A, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0xFFFD, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,
    0x03A0, 0x03A1, 0xFFFD, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xFFFD};

} // namespace

QString decodeWindows1253(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b < 0x80 ? QChar(b) : QChar(HighHalf[b - 0x80]));
    }
    return out;
}

QByteArray encodeWindows1253(const QString &text)
{
    static const QHash<char16_t, char> reverse = [] {
        QHash<char16_t, char> map;
        for (int i = 0; i < 128; ++i)
            if (HighHalf[i] != 0xFFFD)
                map.insert(HighHalf[i], static_cast<char>(0x80 + i));
        return map;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80)
            out.append(static_cast<char>(u));
        else
            out.append(reverse.value(u, '?'));
    }
    return out;
}

bool isValidUtf8(const QByteArray &bytes)
{
    // Qt 6.4's decoder does not report errors reliably, so the check is done here:
    // well-formed sequences only, no overlong forms, no surrogates, nothing past U+10FFFF.
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

namespace {

enum class Utf16 { No, LittleEndian, BigEndian };

// Notepad saves "Unicode" as UTF-16 with a BOM; without one, a file of ASCII paths
// still shows itself by a NUL in every other byte, which no path or UTF-8 text holds.
Utf16 utf16Kind(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return Utf16::LittleEndian;
    if (bytes.startsWith("\xFE\xFF"))
        return Utf16::BigEndian;
    const qsizetype n = std::min<qsizetype>(bytes.size() & ~qsizetype(1), 64);
    if (n < 2)
        return Utf16::No;
    bool evenZero = true;
    bool oddZero = true;
    for (qsizetype i = 0; i < n; i += 2) {
        evenZero = evenZero && bytes[i] == 0 && bytes[i + 1] != 0;
        oddZero = oddZero && bytes[i + 1] == 0 && bytes[i] != 0;
    }
    return oddZero ? Utf16::LittleEndian : evenZero ? Utf16::BigEndian : Utf16::No;
}

QString decodeUtf16(const QByteArray &bytes, Utf16 kind)
{
    const bool bom = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    QString out;
    out.reserve(bytes.size() / 2);
    for (qsizetype i = bom ? 2 : 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        out.append(QChar(kind == Utf16::LittleEndian ? char16_t(a | b << 8) : char16_t(a << 8 | b)));
    }
    // A cut-off last byte cannot be a character of its own.
    if ((bytes.size() - (bom ? 2 : 0)) % 2 != 0)
        out.append(QChar(0xFFFD));
    return out;
}

} // namespace

QString decodeTextFile(const QByteArray &bytes)
{
    if (const Utf16 kind = utf16Kind(bytes); kind != Utf16::No)
        return decodeUtf16(bytes, kind);
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    return isValidUtf8(body) ? QString::fromUtf8(body) : decodeWindows1253(body);
}
