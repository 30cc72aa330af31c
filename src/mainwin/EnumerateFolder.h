#pragma once

#include "mainwin/ItemTable.h"

struct AppState;

// Reads the folder `folder` into `table`: every entry whose name matches `pattern`
// (see Wildcard), hidden ones included, "." and ".." skipped; a symbolic link as what
// it points to, a dangling one as a file of size 0. Sets CurrentPath (with a final
// "/"), FoldersFound, FilesFound and BytesFound, and clears ListingStale.
// A folder that cannot be read throws RuntimeError (76 not found or not a folder,
// 70 permission denied, ...) and leaves the table empty, the counters zero and
// ListingStale set.
// A large folder is read on every processor the program may use; the table comes out
// exactly as one thread would make it, in the folder's order.
void EnumerateFolder(ItemTable &table, AppState &state, const QString &folder, const QString &pattern);
// The same with at most `workers` threads (1: the calling thread alone).
void EnumerateFolder(ItemTable &table, AppState &state, const QString &folder, const QString &pattern, int workers);
