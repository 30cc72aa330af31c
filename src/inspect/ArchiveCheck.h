#pragma once

#include "fileops/TreeWalk.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

// The Archive-bit check: walks a folder tree and finds every folder, and every file
// matching a pattern, whose Archive attribute is set. It only reads.
struct ArchiveCheckResult
{
    QStringList found; // exact names, in walk order
    std::int64_t folders = 0;
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    std::vector<TreeWalk::Notice> notices;
    bool stopped = false;
};

struct ArchiveCheckObserver
{
    // Called as each folder is read, and as each item is found.
    std::function<void(const QString &folder)> folderEntered;
    std::function<void(const QString &item)> itemFound;
    // Asked between folders; true ends the walk, keeping what was found.
    std::function<bool()> stopRequested;
};

// Runs the check from `start` for files matching `pattern` (the listing's wildcards).
// The start itself is neither listed nor counted when it is a volume's root. Throws
// RuntimeError when the start cannot be opened.
ArchiveCheckResult RunArchiveCheck(const QString &start, const QString &pattern, const ArchiveCheckObserver &observer = {});

// True when `pattern` can match a name: it holds no "/" and no control character.
bool ArchiveCheckPatternIsValid(const QString &pattern);

// "Folders: 1. Files: 2. File size in bytes: 3." with grouped digits.
QString ArchiveSummary(std::int64_t folders, std::int64_t files, std::int64_t bytes, bool greek);

// The texts of the three starting points; `currentPath` ends with "/".
QString ArchiveDriveRootOf(const QString &currentPath);
