#pragma once

#include "inspect/FindRules.h"

#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// One item a search found. Folder and name are exact (ExactName).
struct FoundItem
{
    QString folder; // without a trailing "/" ("/" for the root)
    QString name;
    bool isFolder = false;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    QString attributes; // AttributeLetters()
};

// A folder the search could not read, with the errno that kept it out.
struct UnreadableFolder
{
    QString path;
    int error = 0;
};

// The search of the Find window. It walks the tree itself, pre-order, through
// descriptors (openat, fdopendir), so a folder renamed during the search cannot
// send it elsewhere: it never follows a symbolic link to a folder, never leaves the
// start folder's volume (another mount, a network share, /proc below "/"), never
// enters a folder that is its own ancestor (a bind mount of a parent), and goes on
// past folders it cannot read, which it lists at the end.
//
// start() runs the walk on a thread of its own; the window polls takeFound() and the
// progress getters. The thread touches no QObject. run() walks on the calling thread.
class FindSearch
{
public:
    explicit FindSearch(FindCriteria criteria);
    ~FindSearch(); // stops and waits for the thread

    FindSearch(const FindSearch &) = delete;
    FindSearch &operator=(const FindSearch &) = delete;

    void start();
    void run();
    void stop() { m_stop.store(true); }

    const FindCriteria &criteria() const { return m_criteria; }
    bool finished() const { return m_finished.load(); }
    bool stopped() const { return m_stop.load(); }

    // The items found since the last call, in the order found.
    QList<FoundItem> takeFound();
    std::int64_t foundCount() const { return m_count.load(); }
    QString folderBeingRead() const;

    // Valid once finished().
    // The start folder itself could not be opened: its errno (ENOENT, ENOTDIR, EACCES, ...), or 0.
    int startError() const { return m_startError; }
    QList<UnreadableFolder> unreadableFolders() const;
    // No file examined for contents was as long as the text (so nothing could match).
    bool textLongerThanEveryFile() const;

private:
    struct Walk;
    void found(FoundItem item);
    void unreadable(const QByteArray &path, int error);
    void reading(const QByteArray &path);

    const FindCriteria m_criteria;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::atomic<std::int64_t> m_count{0};

    mutable std::mutex m_mutex; // guards the members below
    QList<FoundItem> m_pending;
    QString m_reading;
    QList<UnreadableFolder> m_unreadable;

    int m_startError = 0;
    std::int64_t m_filesExamined = 0;
    std::int64_t m_filesLongEnough = 0;
};
