#include "mainwin/EnumerateFolder.h"

#include "app/AppState.h"
#include "mainwin/FolderPaths.h"
#include "mainwin/LocalClock.h"
#include "mainwin/Wildcard.h"
#include "platform/EntryInfo.h"
#include "platform/ExactName.h"
#include "platform/Volumes.h"
#include "platform/RuntimeError.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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

} // namespace

void EnumerateFolder(ItemTable &table, AppState &state, const QString &folder, const QString &pattern)
{
    table.clear();
    state.FoldersFound = 0;
    state.FilesFound = 0;
    state.BytesFound = 0;
    state.CurrentPath = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');

    requireSearchable(state.CurrentPath);
    // The volume decides where the DOS attributes live; asked once per folder.
    const AttributeStore store = attributeStoreFor(state.CurrentPath);

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
    LocalClock clock;
    // Attribute reads resolve a plain path when the folder has an absolute one.
    const QByteArray folderBytes =
        state.CurrentPath.startsWith(QLatin1Char('/')) ? ExactName::toBytes(state.CurrentPath) : QByteArray();
    try {
        for (;;) {
            errno = 0;
            const dirent *entry = ::readdir(dir.get());
            if (!entry) {
                if (errno != 0)
                    throw folderError(errno, state.CurrentPath);
                break;
            }
            const char *raw = entry->d_name;
            if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
                continue;
            // The exact name, odd bytes and all: the pattern and the sort see it as it is.
            QString name = ExactName::fromBytes(QByteArrayView(raw));
            if (!wildcard.matches(name))
                continue;
            EntryInfo info;
            try {
                info = readEntryInfo(fd, folderBytes, raw, store);
            } catch (const RuntimeError &error) {
                // Removed between reading the folder and reading the entry: it is
                // simply no longer there to list.
                if (error.number == ErrorNumber::FileNotFound)
                    continue;
                throw;
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
                ++state.FoldersFound;
            } else {
                ++state.FilesFound;
                state.BytesFound += item.size;
            }
            table.push_back(std::move(item));
        }
    } catch (...) {
        table.clear();
        state.FoldersFound = 0;
        state.FilesFound = 0;
        state.BytesFound = 0;
        throw;
    }
    state.ListingStale = false;
}
