#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

// The pre-order walk of a folder tree, shared by the backup's marking step and the
// Archive-bit check. A folder comes before its sub-folders, and all of a sub-folder's
// descendants before its next sibling; within one folder names are visited in byte
// order, so a walk is the same however often it runs.
//
// Every folder is opened relative to its parent's descriptor, without following a
// link, and checked to be the very folder that was listed: a folder renamed or
// replaced by a link while the walk runs cannot lead it elsewhere. A link to a folder
// is an entry like a file and is never entered; a folder on another mount is reported
// and not entered. Hidden entries take part like any other. Only one folder per level
// is held open, never the tree.
class TreeWalk
{
public:
    // The deepest level below the root that is entered.
    static constexpr int MaxDepth = 100;

    // One entry of a folder that the walk does not enter itself: files, links, pipes,
    // sockets and devices (lstat figures, so a link describes itself).
    struct Entry
    {
        QByteArray name;
        struct stat st;
    };

    enum class Problem {
        Unreadable, // the folder could not be opened or read; the rest of the tree is walked
        OtherMount, // a folder on another mount: reported, not entered
        TooDeep,    // a folder more than MaxDepth levels below the root: not entered
        Changed     // the folder was renamed or replaced while the walk ran: not entered
    };
    struct Notice
    {
        QString path; // exact name
        Problem problem;
        int err = 0;
    };

    TreeWalk() = default;
    ~TreeWalk();
    TreeWalk(const TreeWalk &) = delete;
    TreeWalk &operator=(const TreeWalk &) = delete;

    // Opens `root` (a link as the root itself is followed: the user named it) and
    // reads it. False, with error() set, when it cannot be opened or is not a folder.
    bool start(const QString &root);
    // Moves to the next folder of the walk and reads it; false when the tree is done.
    bool nextFolder(QString &path);

    // The folder last entered: its path (ending with "/"), its descriptor, its level
    // (0 the root), its own lstat figures and its entries that are not walked into.
    QString folderPath() const { return m_levels.empty() ? QString() : m_levels.back().path; }
    const QByteArray &folderBytes() const { return m_levels.back().bytes; }
    int folderFd() const { return m_levels.empty() ? -1 : ::dirfd(m_levels.back().dir); }
    int depth() const { return int(m_levels.size()) - 1; }
    const struct stat &folderStat() const { return m_levels.back().st; }
    const std::vector<Entry> &entries() const { return m_entries; }

    // True when the root is itself the top of a mount (a volume's root).
    bool rootIsMountPoint() const { return m_rootIsMount; }

    const std::vector<Notice> &notices() const { return m_notices; }
    int error() const { return m_error; }

private:
    struct Level
    {
        DIR *dir = nullptr;
        QByteArray bytes; // ends with "/"
        QString path;
        struct stat st {};
        struct Sub
        {
            QByteArray name;
            dev_t dev;
            ino_t ino;
        };
        std::vector<Sub> subs;
        std::size_t next = 0;
    };

    void close();
    // Reads the newest level: its entries and its sub-folders in byte order.
    void readLevel();
    bool enter(const Level::Sub &sub);
    void note(const QByteArray &path, Problem problem, int err = 0);

    std::vector<Level> m_levels;
    std::vector<Entry> m_entries;
    std::vector<Notice> m_notices;
    dev_t m_rootDev = 0;
    bool m_rootIsMount = false;
    int m_error = 0;
};

// The user's description of a walk problem, naming the folder.
QString describeWalkNotice(const TreeWalk::Notice &notice, bool greek);
