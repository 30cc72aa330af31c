#include "mainwin/EnumerateFolder.h"

#include "app/AppState.h"
#include "mainwin/FolderEntryBlocks.h"
#include "mainwin/FolderPaths.h"
#include "mainwin/LocalClock.h"
#include "mainwin/Wildcard.h"
#include "platform/EntryInfo.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"
#include "platform/WorkerThreads.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace {

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};

// A folder that is gone or is not a folder is a path that was not found, whatever
// errno calls it; the rest keep their usual numbers.
RuntimeError folderError(int err, const QString &folder)
{
    RuntimeError error = RuntimeError::fromErrno(err, ExactName::shown(folder));
    if (err == ENOENT || err == ENOTDIR)
        error.number = ErrorNumber::PathNotFound;
    return error;
}

// What every worker reads the entries with; nothing in it changes while they run.
struct FolderReading
{
    int fd = -1;
    QByteArray folderBytes; // the folder's path with a final "/", or empty when relative
    AttributeStore store = AttributeStore::None;
    const Wildcard *wildcard = nullptr;
};

// Lists the entries of one block, in their order, until one cannot be read. Runs on
// any worker: it touches nothing but the block, and keeps its own clock.
void listBlock(FolderEntryBlock &block, const FolderReading &reading, LocalClock &clock)
{
    const bool everything = reading.wildcard->matchesEverything();
    block.items.reserve(block.count());
    for (std::size_t i = 0; i < block.count(); ++i) {
        const char *raw = block.name(i);
        // The exact name, odd bytes and all: the pattern and the sort see it as it is.
        QString name = ExactName::fromBytes(QByteArrayView(raw));
        if (!everything && !reading.wildcard->matches(name))
            continue;
        EntryInfo info;
        try {
            info = readEntryInfo(reading.fd, reading.folderBytes, raw, reading.store);
        } catch (RuntimeError &error) {
            // Removed between reading the folder and reading the entry: it is simply
            // no longer there to list.
            if (error.number == ErrorNumber::FileNotFound)
                continue;
            block.failure = std::move(error);
            return;
        }
        ListedItem item;
        item.name = std::move(name);
        item.isFolder = info.isFolder;
        item.size = info.isFolder ? 0 : info.size;
        clock.split(info.modifiedSeconds, item.date, item.time);
        item.hidden = info.hidden;
        item.system = info.system;
        item.readOnly = info.readOnly;
        item.archive = info.archive;
        if (item.isFolder) {
            ++block.folders;
        } else {
            ++block.files;
            block.bytes += item.size;
        }
        block.items.push_back(std::move(item));
    }
}

// Lists blocks as they come until the names are all read and every block is taken.
void listQueuedBlocks(FolderEntryQueue &queue, const FolderReading &reading)
{
    LocalClock clock;
    while (FolderEntryBlock *block = queue.take()) {
        listBlock(*block, reading, clock);
        if (block->failure)
            queue.stop();
    }
}

// One worker reads the names while the others (and, once the names are read, this one
// too) read each entry's details: on a large folder the entries' system calls are
// nearly all the cost, and they run on every processor the program may use. A folder
// that fits in one block is read on this thread alone, with no thread started.
// Returns the errno of a failed read of the folder, or 0.
int readFolder(DIR *dir, FolderEntryQueue &queue, const FolderReading &reading, int workers)
{
    FolderNameReader names(dir);
    auto first = std::make_unique<FolderEntryBlock>();
    names.fill(*first);
    queue.push(std::move(first));
    if (names.atEnd()) {
        queue.finish();
        listQueuedBlocks(queue, reading);
        return names.error();
    }
    runOnWorkers(workers, [&](int worker) {
        if (worker == 0) {
            // The others learn that the names are all read, whatever happens here, or
            // they would wait for ever.
            const FolderEntryQueue::Finisher finisher(queue);
            while (!names.atEnd() && !queue.stopped()) {
                auto block = std::make_unique<FolderEntryBlock>();
                names.fill(*block);
                if (block->count() > 0)
                    queue.push(std::move(block));
            }
        }
        listQueuedBlocks(queue, reading);
    });
    return names.error();
}

} // namespace

void EnumerateFolder(ItemTable &table, AppState &state, const QString &folder, const QString &pattern)
{
    EnumerateFolder(table, state, folder, pattern, usableProcessors());
}

void EnumerateFolder(ItemTable &table, AppState &state, const QString &folder, const QString &pattern, int workers)
{
    table.clear();
    state.FoldersFound = 0;
    state.FilesFound = 0;
    state.BytesFound = 0;
    state.CurrentPath = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');

    requireSearchable(state.CurrentPath);
    const int fd = ::open(ExactName::toBytes(state.CurrentPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw folderError(errno, state.CurrentPath);
    std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
    if (!dir) {
        const int err = errno;
        ::close(fd);
        throw folderError(err, state.CurrentPath);
    }

    const Wildcard wildcard(pattern);
    FolderReading reading;
    reading.fd = fd;
    // The volume decides where the DOS attributes live; asked once per folder.
    reading.store = attributeStoreFor(state.CurrentPath);
    // Attribute reads fall back on a plain path when the folder has an absolute one.
    if (state.CurrentPath.startsWith(QLatin1Char('/')))
        reading.folderBytes = ExactName::toBytes(state.CurrentPath);
    reading.wildcard = &wildcard;

    FolderEntryQueue queue;
    const int readError = readFolder(dir.get(), queue, reading, workers);

    // The blocks in the folder's order: the first entry that could not be read is the
    // one reported, as reading them one after the other would have found it.
    std::size_t listed = 0;
    for (const auto &block : queue.blocks()) {
        if (block->failure)
            throw *block->failure;
        listed += block->items.size();
    }
    if (readError != 0)
        throw folderError(readError, state.CurrentPath);
    table.reserve(listed);
    for (const auto &block : queue.blocks()) {
        std::move(block->items.begin(), block->items.end(), std::back_inserter(table));
        ItemTable().swap(block->items); // the block's share of memory goes as the table grows
        state.FoldersFound += block->folders;
        state.FilesFound += block->files;
        state.BytesFound += block->bytes;
    }
    state.ListingStale = false;
}
