#include "platform/DosAttribRecord.h"

#include <QtEndian>
#include <cstring>

namespace {

// Reads the little-endian NDR fields of the record with a bounds check on each.
class NdrReader
{
public:
    NdrReader(QByteArrayView data, qsizetype offset) : m_data(data), m_offset(offset) {}

    void align(qsizetype n) { m_offset = (m_offset + n - 1) / n * n; }
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_offset == m_data.size(); }

    std::uint16_t u16() { return read<std::uint16_t>(); }
    std::uint32_t u32() { return read<std::uint32_t>(); }
    // NTTIME and hyper are 8 bytes but only 4-byte aligned in these records.
    std::uint64_t u64() { return read<std::uint64_t>(); }

    // A NUL-terminated string (version 2 keeps the file name).
    void skipString()
    {
        const qsizetype nul = m_ok ? m_data.indexOf('\0', m_offset) : -1;
        if (nul < 0)
            m_ok = false;
        else
            m_offset = nul + 1;
    }

private:
    template <typename T> T read()
    {
        if (!m_ok || m_offset + qsizetype(sizeof(T)) > m_data.size()) {
            m_ok = false;
            return 0;
        }
        const T value = qFromLittleEndian<T>(m_data.data() + m_offset);
        m_offset += sizeof(T);
        return value;
    }

    QByteArrayView m_data;
    qsizetype m_offset;
    bool m_ok = true;
};

void appendLe(QByteArray &out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

void padTo(QByteArray &out, int alignment)
{
    while (out.size() % alignment)
        out.append('\0');
}

std::optional<std::uint32_t> parseHex(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        value = value << 4 | std::uint32_t(d);
    }
    return value;
}

std::optional<DosAttribRecord> decodeNdr(QByteArrayView blob, qsizetype afterString)
{
    NdrReader r(blob, afterString);
    r.align(2);
    DosAttribRecord rec;
    rec.version = r.u16();
    const int level = r.u16();
    if (!r.ok() || level != rec.version)
        return std::nullopt;
    r.align(4);
    switch (rec.version) {
    case 1:
        rec.attributes = r.u32();
        r.u32(); // ea_size
        r.u64(); // size
        r.u64(); // alloc_size
        rec.createTime = r.u64();
        rec.changeTime = r.u64();
        rec.validFlags = DosInfoValid::Attrib | DosInfoValid::CreateTime | DosInfoValid::ChangeTime;
        break;
    case 2:
        // Samba takes only the attribute word from version 2.
        r.u32(); // flags
        rec.attributes = r.u32();
        r.u32(); // ea_size
        for (int i = 0; i < 5; ++i)
            r.u64(); // size, alloc_size, create, change, write time
        r.skipString();
        rec.validFlags = DosInfoValid::Attrib;
        break;
    case 3:
        rec.validFlags = r.u32();
        rec.attributes = r.u32();
        r.u32(); // ea_size
        r.u64(); // size
        r.u64(); // alloc_size
        rec.createTime = r.u64();
        rec.changeTime = r.u64();
        break;
    case 4:
        rec.validFlags = r.u32();
        rec.attributes = r.u32();
        r.u64(); // itime
        rec.createTime = r.u64();
        rec.validFlags &= ~DosInfoValid::ChangeTime;
        break;
    case 5:
        rec.validFlags = r.u32();
        rec.attributes = r.u32();
        rec.createTime = r.u64();
        rec.validFlags &= ~DosInfoValid::ChangeTime;
        break;
    default:
        return std::nullopt;
    }
    if (!r.ok() || !r.atEnd())
        return std::nullopt;
    if (!rec.hasAttributes())
        rec.attributes = 0;
    return rec;
}

} // namespace

std::optional<DosAttribRecord> decodeDosAttrib(QByteArrayView blob)
{
    if (blob.isEmpty() || blob.size() > DosAttribMaxSize)
        return std::nullopt;
    if (blob[0] == '\0')
        return decodeNdr(blob, 1); // version 4 and 5: empty hex string
    if (blob.size() < 3 || blob[0] != '0' || blob[1] != 'x')
        return std::nullopt;
    const qsizetype nul = blob.indexOf('\0');
    const qsizetype hexEnd = nul < 0 ? blob.size() : nul;
    const std::optional<std::uint32_t> hex = parseHex(blob.sliced(2, hexEnd - 2));
    if (!hex)
        return std::nullopt;
    if (nul < 0 || nul == blob.size() - 1) {
        DosAttribRecord rec; // "0x23" as Wine, dosemu2 and old Samba write it
        rec.attributes = *hex;
        rec.validFlags = DosInfoValid::Attrib;
        return rec;
    }
    std::optional<DosAttribRecord> rec = decodeNdr(blob, nul + 1);
    if (rec && rec->version > 3)
        return std::nullopt; // versions 4 and 5 never carry a hex prefix
    return rec;
}

QByteArray encodeDosAttribV3(std::uint32_t attributes, std::uint64_t createTime, std::uint64_t changeTime)
{
    std::uint32_t valid = DosInfoValid::Attrib;
    if (createTime)
        valid |= DosInfoValid::CreateTime;
    if (changeTime)
        valid |= DosInfoValid::ChangeTime;
    QByteArray out = "0x" + QByteArray::number(attributes, 16);
    out.append('\0');
    padTo(out, 2);
    appendLe(out, 3, 2); // version
    appendLe(out, 3, 2); // union level
    padTo(out, 4);
    appendLe(out, valid, 4);
    appendLe(out, attributes, 4);
    appendLe(out, 0, 4); // ea_size
    appendLe(out, 0, 8); // size
    appendLe(out, 0, 8); // alloc_size
    appendLe(out, createTime, 8);
    appendLe(out, changeTime, 8);
    return out;
}
