#pragma once

#include "platform/EntryInfo.h"
#include "platform/Xattr.h"

#include <QByteArray>
#include <cstdint>
#include <sys/stat.h>

// What a volume holds of one item's DOS information, in the place its file system
// keeps it (see AttributeStore).
struct StoredDosInfo
{
    enum State {
        Absent,      // nothing stored: the item was never given attributes
        Present,     // read and understood
        Unreadable,  // something is stored but not in a form we know: never rewrite it
        Unsupported  // the volume keeps nothing of the kind
    };
    State state = Absent;
    std::uint32_t attributes = 0; // the DOS attribute word as stored
    std::uint64_t createTime = 0; // NT time, 0 when none is stored
    std::uint64_t changeTime = 0; // NT time recorded when the record was last written
    QByteArray raw;               // user.DOSATTRIB exactly as found, to put back on failure
};

// The four attributes and Directory as the program shows them, from what is stored
// and from the item's permissions, name and modification time.
struct DosAttributes;
DosAttributes interpretDosInfo(const StoredDosInfo &stored, AttributeStore store, const struct stat &st, bool dotName);

// Reads what `store` keeps for the item; never throws. The FAT store needs a descriptor.
StoredDosInfo readStoredDosInfo(const XattrTarget &target, AttributeStore store);

// Writes the attribute word (and the creation time where it is not 0) in `store`.
// For user.DOSATTRIB the record is written whole, with `changeTime`. Returns 0 or
// the errno; EOPNOTSUPP when the store cannot keep what is asked.
int writeStoredDosInfo(const XattrTarget &target, AttributeStore store, std::uint32_t attributes,
                       std::uint64_t createTime, std::uint64_t changeTime);

// Puts back what readStoredDosInfo found (used to undo a half-done change).
void restoreStoredDosInfo(const XattrTarget &target, AttributeStore store, const StoredDosInfo &before);

// True when the store can keep a creation time.
bool storeKeepsCreationTime(AttributeStore store);

// The NT time of modification, as the Archive rule compares it.
std::uint64_t modificationNtTime(const struct stat &st);

// The creation time the item reads when nothing is stored: the file system's birth
// time where it has one, else the modification time.
std::uint64_t birthOrModificationNtTime(const char *path, const struct stat &st);
