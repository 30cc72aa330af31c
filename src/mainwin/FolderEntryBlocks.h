#pragma once

#include "mainwin/ItemTable.h"
#include "platform/RuntimeError.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <dirent.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// A run of consecutive entries of a folder being listed: their names as the folder
// gave them, and once a worker has read them, the listed items, their counts and the
// error that stopped the block, if one did.
class FolderEntryBlock
{
public:
    static constexpr std::size_t Capacity = 256;

    void addName(const char *name);
    bool full() const { return m_starts.size() >= Capacity; }
    std::size_t count() const { return m_starts.size(); }
    const char *name(std::size_t i) const { return m_names.data() + m_starts[i]; }

    ItemTable items;
    std::int64_t folders = 0;
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    std::optional<RuntimeError> failure;

private:
    std::string m_names; // each name followed by its NUL
    std::vector<std::uint32_t> m_starts;
};

// Reads a folder's names, a block at a time, "." and ".." left out.
class FolderNameReader
{
public:
    explicit FolderNameReader(DIR *dir) : m_dir(dir) {}

    // Adds names to `block` until it is full or the folder has no more.
    void fill(FolderEntryBlock &block);
    bool atEnd() const { return m_atEnd; }
    // The errno of a failed read, or 0.
    int error() const { return m_error; }

private:
    DIR *m_dir;
    bool m_atEnd = false;
    int m_error = 0;
};

// The blocks of one folder in the folder's order, handed out to the workers in that
// order. One worker adds blocks while the others take them; the blocks themselves are
// read only after every worker has finished.
class FolderEntryQueue
{
public:
    void push(std::unique_ptr<FolderEntryBlock> block);
    // No more blocks will come.
    void finish();
    // A block has failed: the blocks after it are not needed, since the first failure
    // in the folder's order is the one reported, and every block before it was taken.
    void stop();
    bool stopped() const { return m_stopped.load(std::memory_order_relaxed); }

    // The next block not yet taken, waiting for one while more may come; nullptr when
    // there are no more to take.
    FolderEntryBlock *take();

    const std::vector<std::unique_ptr<FolderEntryBlock>> &blocks() const { return m_blocks; }

    // Finishes the queue however the adding worker leaves, so the others never wait
    // for blocks that will not come.
    class Finisher
    {
    public:
        explicit Finisher(FolderEntryQueue &queue) : m_queue(queue) {}
        ~Finisher() { m_queue.finish(); }
        Finisher(const Finisher &) = delete;
        Finisher &operator=(const Finisher &) = delete;

    private:
        FolderEntryQueue &m_queue;
    };

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<FolderEntryBlock>> m_blocks;
    std::size_t m_next = 0;
    bool m_finished = false;
    std::atomic<bool> m_stopped{false};
};
