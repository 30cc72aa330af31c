#include "inspect/FindSearch.h"

#include "mainwin/Wildcard.h"
#include "platform/EntryInfo.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

#ifndef STATX_ATTR_MOUNT_ROOT
#define STATX_ATTR_MOUNT_ROOT 0x00002000
#endif

struct FolderId
{
    std::uint32_t devMajor = 0;
    std::uint32_t devMinor = 0;
    std::uint64_t ino = 0;
    bool mountRoot = false;

    bool sameVolume(const FolderId &o) const { return devMajor == o.devMajor && devMinor == o.devMinor; }
    bool sameFolder(const FolderId &o) const { return sameVolume(o) && ino == o.ino; }
};

bool identify(int fd, FolderId &id)
{
    struct statx stx {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_INO, &stx) != 0)
        return false;
    id.devMajor = stx.stx_dev_major;
    id.devMinor = stx.stx_dev_minor;
    id.ino = stx.stx_ino;
    id.mountRoot = (stx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (stx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return true;
}

QDate localDate(std::time_t seconds)
{
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return QDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
}

std::int64_t maxSize(const QList<QByteArray> &needles)
{
    qsizetype longest = 0;
    for (const QByteArray &n : needles)
        longest = std::max(longest, n.size());
    return longest;
}

std::int64_t minSize(const QList<QByteArray> &needles)
{
    qsizetype shortest = needles.isEmpty() ? 0 : needles.first().size();
    for (const QByteArray &n : needles)
        shortest = std::min(shortest, n.size());
    return shortest;
}

} // namespace

struct FindSearch::Walk
{
    // A folder is read to its end before its sub-folders are entered, so what lies
    // nearest the start folder is found first.
    struct Frame
    {
        DIR *dir = nullptr;
        QByteArray path; // ends with "/"
        FolderId id;
        bool read = false;
        std::vector<QByteArray> subFolders;
        std::size_t next = 0;
    };

    FindSearch &search;
    const FindCriteria &criteria;
    Wildcard wildcard;
    bool everyName;
    QList<QByteArray> needles;
    std::int64_t shortestNeedle;
    std::int64_t longestNeedle;
    AttributeStore store = AttributeStore::None;
    FolderId startId;
    std::vector<Frame> frames;
    std::vector<char> buffer;

    explicit Walk(FindSearch &s)
        : search(s), criteria(s.m_criteria), wildcard(s.m_criteria.pattern),
          everyName(wildcard.matchesEverything()), needles(TextNeedles(s.m_criteria.text)),
          shortestNeedle(minSize(needles)), longestNeedle(maxSize(needles))
    {
    }

    ~Walk()
    {
        for (Frame &f : frames)
            ::closedir(f.dir);
    }

    void run()
    {
        QByteArray start = ExactName::toBytes(criteria.startFolder);
        const int fd = ::open(start.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            search.m_startError = errno;
            return;
        }
        DIR *dir = identify(fd, startId) ? ::fdopendir(fd) : nullptr;
        if (!dir) {
            search.m_startError = errno ? errno : EIO;
            ::close(fd);
            return;
        }
        if (!start.endsWith('/'))
            start.append('/');
        store = attributeStoreFor(criteria.startFolder);
        search.reading(start);
        frames.push_back({dir, start, startId, false, {}, 0});

        while (!frames.empty() && !search.m_stop.load(std::memory_order_relaxed)) {
            Frame &top = frames.back();
            if (top.read) {
                if (top.next < top.subFolders.size()) {
                    const QByteArray name = std::move(top.subFolders[top.next++]);
                    enter(top, name.constData()); // `top` may move when a frame is pushed
                } else {
                    ::closedir(top.dir);
                    frames.pop_back();
                }
                continue;
            }
            errno = 0;
            const dirent *entry = ::readdir(top.dir);
            if (!entry) {
                if (errno != 0)
                    search.unreadable(top.path, errno);
                top.read = true;
                continue;
            }
            const char *name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            unsigned char type = entry->d_type;
            if (type == DT_UNKNOWN) {
                struct stat st {};
                if (::fstatat(::dirfd(top.dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue; // gone since the folder was read
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : S_ISLNK(st.st_mode) ? DT_LNK : DT_UNKNOWN;
            }
            consider(top, name, type);
            if (type == DT_DIR && criteria.subFolders)
                top.subFolders.emplace_back(name);
        }
    }

    void consider(const Frame &folder, const char *name, unsigned char type)
    {
        if (!everyName && !wildcard.matches(ExactName::fromBytes(name)))
            return;
        const int dirFd = ::dirfd(folder.dir);
        if (!needles.isEmpty()) {
            if (type != DT_REG || !containsText(dirFd, name))
                return;
        } else {
            if (type == DT_DIR && criteria.kinds == FindKinds::Files)
                return;
            if (type == DT_REG && criteria.kinds == FindKinds::Folders)
                return;
        }
        EntryInfo info;
        try {
            info = readEntryInfo(dirFd, folder.path, name, store);
        } catch (const RuntimeError &) {
            return; // gone since the folder was read
        }
        if (!KindWanted(criteria.kinds, info.isFolder))
            return;
        if ((criteria.modifiedFrom || criteria.modifiedTo)
            && !ModifiedInRange(localDate(info.modifiedSeconds), criteria.modifiedFrom, criteria.modifiedTo))
            return;
        FoundItem item;
        QByteArray folderPath = folder.path;
        if (folderPath.size() > 1)
            folderPath.chop(1);
        item.folder = ExactName::fromBytes(folderPath);
        item.name = ExactName::fromBytes(name);
        item.isFolder = info.isFolder;
        item.size = info.size;
        item.modifiedSeconds = info.modifiedSeconds;
        item.attributes = AttributeLetters(info.hidden, info.system, info.readOnly, info.archive);
        search.found(std::move(item));
    }

    // A plain byte search through the file, a block at a time, keeping the tail of
    // each block so that a text across two blocks is found too. Links are not
    // followed, as `grep -r` does not.
    bool containsText(int dirFd, const char *name)
    {
        const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return false;
        }
        ++search.m_filesExamined;
        if (st.st_size < shortestNeedle) {
            ::close(fd);
            return false;
        }
        ++search.m_filesLongEnough;
        if ((criteria.modifiedFrom || criteria.modifiedTo)
            && !ModifiedInRange(localDate(st.st_mtim.tv_sec), criteria.modifiedFrom, criteria.modifiedTo)) {
            ::close(fd);
            return false;
        }
        constexpr std::size_t Block = 256 * 1024;
        if (buffer.size() < Block + std::size_t(longestNeedle))
            buffer.resize(Block + std::size_t(longestNeedle));
        std::size_t kept = 0;
        bool hit = false;
        while (!hit && !search.m_stop.load(std::memory_order_relaxed)) {
            const ssize_t n = ::read(fd, buffer.data() + kept, Block);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            const std::size_t filled = kept + std::size_t(n);
            for (const QByteArray &needle : std::as_const(needles)) {
                if (::memmem(buffer.data(), filled, needle.constData(), std::size_t(needle.size()))) {
                    hit = true;
                    break;
                }
            }
            kept = std::min<std::size_t>(filled, std::size_t(longestNeedle - 1));
            std::memmove(buffer.data(), buffer.data() + filled - kept, kept);
        }
        ::close(fd);
        return hit;
    }

    void enter(const Frame &parent, const char *name)
    {
        QByteArray path = parent.path + name + '/';
        const int fd = ::openat(::dirfd(parent.dir), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            // Replaced by a link or a file since the folder was read: nothing to enter.
            if (errno != ELOOP && errno != ENOTDIR)
                search.unreadable(path, errno);
            return;
        }
        FolderId id;
        if (!identify(fd, id)) {
            search.unreadable(path, errno);
            ::close(fd);
            return;
        }
        // Another volume, or the same one mounted again inside the tree: not ours.
        bool skip = !id.sameVolume(startId) || id.mountRoot;
        for (const Frame &f : frames)
            skip = skip || f.id.sameFolder(id);
        if (skip) {
            ::close(fd);
            return;
        }
        DIR *dir = ::fdopendir(fd);
        if (!dir) {
            search.unreadable(path, errno);
            ::close(fd);
            return;
        }
        search.reading(path);
        frames.push_back({dir, std::move(path), id, false, {}, 0});
    }
};

FindSearch::FindSearch(FindCriteria criteria)
    : m_criteria(std::move(criteria))
{
}

FindSearch::~FindSearch()
{
    stop();
    if (m_thread.joinable())
        m_thread.join();
}

void FindSearch::start()
{
    m_thread = std::thread([this] { run(); });
}

void FindSearch::run()
{
    {
        Walk walk(*this);
        walk.run();
    }
    m_finished.store(true);
}

QList<FoundItem> FindSearch::takeFound()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_pending, {});
}

QString FindSearch::folderBeingRead() const
{
    std::lock_guard lock(m_mutex);
    return m_reading;
}

QList<UnreadableFolder> FindSearch::unreadableFolders() const
{
    std::lock_guard lock(m_mutex);
    return m_unreadable;
}

bool FindSearch::textLongerThanEveryFile() const
{
    return !m_criteria.text.isEmpty() && m_filesExamined > 0 && m_filesLongEnough == 0;
}

void FindSearch::found(FoundItem item)
{
    std::lock_guard lock(m_mutex);
    m_pending.append(std::move(item));
    m_count.fetch_add(1);
}

void FindSearch::unreadable(const QByteArray &path, int error)
{
    QByteArray shown = path;
    if (shown.size() > 1 && shown.endsWith('/'))
        shown.chop(1);
    std::lock_guard lock(m_mutex);
    m_unreadable.append({ExactName::fromBytes(shown), error});
}

void FindSearch::reading(const QByteArray &path)
{
    QString text = ExactName::fromBytes(path);
    std::lock_guard lock(m_mutex);
    m_reading = std::move(text);
}
