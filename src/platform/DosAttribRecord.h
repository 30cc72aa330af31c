#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>

// The DOS information record that Samba, Wine and ksmbd keep in the extended
// attribute `user.DOSATTRIB`: attribute word, creation time and, in the versions
// that have it, the change time recorded when the record was written.
namespace DosInfoValid {
inline constexpr std::uint32_t Attrib = 0x01;
inline constexpr std::uint32_t CreateTime = 0x10;
inline constexpr std::uint32_t ChangeTime = 0x20;
}

struct DosAttribRecord
{
    // 0 for the hex-only form ("0x23"), else the NDR version 1 to 5.
    int version = 0;
    std::uint32_t validFlags = 0;
    std::uint32_t attributes = 0;
    // 100 ns ticks since 1601-01-01 UTC; 0 means "none".
    std::uint64_t createTime = 0;
    std::uint64_t changeTime = 0;

    bool hasAttributes() const { return validFlags & DosInfoValid::Attrib; }
    bool hasCreateTime() const { return (validFlags & DosInfoValid::CreateTime) && createTime != 0; }
    bool hasChangeTime() const { return (validFlags & DosInfoValid::ChangeTime) && changeTime != 0; }
};

// The largest value any reader of the record accepts (Samba reads into 256 bytes).
inline constexpr int DosAttribMaxSize = 256;

// Every form written by Samba 3.0 to 4.x, Wine and ksmbd. Anything truncated, of an
// unknown version, oversized or with bytes after the record gives nullopt: the
// caller then treats the stored attributes as unknown and must not rewrite them.
std::optional<DosAttribRecord> decodeDosAttrib(QByteArrayView blob);

// Version 3 with its "0x.." prefix, which Samba 3.5 and later, Wine, dosemu2 and
// ksmbd all read. The creation and change times are flagged valid only when set.
QByteArray encodeDosAttribV3(std::uint32_t attributes, std::uint64_t createTime, std::uint64_t changeTime);
