#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <sys/types.h>

// One path means one item. Paths are made normal once, where they enter the program
// (the start path, the tree, recalled paths, typed or chosen targets); from there on
// they are carried unchanged, and an item is judged by its device and inode, read by
// lstat of its last component inside its resolved parent, never by its text.
namespace PathIdentity {

// An absolute path with no empty, "." or ".." component; one trailing "/" is allowed.
bool isNormal(QStringView path);
bool isNormal(const QByteArray &path);

// The normal form of an absolute path as the kernel reaches it: repeated and trailing
// slashes go, "." goes, and a path holding ".." is resolved by the kernel (through
// "link/.." the kernel goes up from the link's target, not from the link). Empty when
// the path is relative or a ".." cannot be resolved.
QString normalised(const QString &path);

struct Identity
{
    dev_t device = 0;
    ino_t inode = 0;
    unsigned mode = 0;       // st_mode
    bool mountRoot = false;  // the item is the top of a mount (bind mounts included)
    bool isFolder() const;
    bool isLink() const;
    bool same(const Identity &o) const { return device == o.device && inode == o.inode; }
};

// The item itself (a link is the link): its last component looked up inside its
// resolved parent. Empty when it does not exist; errno tells why.
std::optional<Identity> itemIdentity(const QByteArray &path);
// The item a path leads to, links followed.
std::optional<Identity> followedIdentity(const QByteArray &path);

// True when both paths lead to the same folder (links followed).
bool sameFolder(const QString &a, const QString &b);

// Why an item must not be deleted, trashed or moved away.
enum class Protection {
    None,
    NotNormal,     // ".", "..", "//": the caller must say what it means
    Root,          // the root folder
    Protected,     // a protected folder (home, the data folder) or a folder holding one
    MountPoint,    // the top of a mount
};

// The decision of the guard: `protectedPaths` are the folders that, with every folder
// holding them, must stay (home and the program's data folder). A symbolic link is
// removed as a link and is never protected, wherever it points.
Protection judgeRemoval(const QByteArray &path, const QList<QByteArray> &protectedPaths);

// The folders protected for the current user: home (from $HOME) and `dataFolder`.
QStringList protectedFolders(const QString &dataFolder);

} // namespace PathIdentity
