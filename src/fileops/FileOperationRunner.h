#pragma once

#include "platform/FileOperation.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class Prompter;

// One call of the file-operation service: full paths of the sources in listing order,
// the target folder (ending with "/", empty for a delete), the flags of
// OperationFlags.h and the Prompter through which the service asks its questions.
struct FileOperationCall
{
    FileOperationKind operation = FileOperationKind::Copy;
    QStringList sources;
    QString target;
    std::uint32_t flags = 0;
    Prompter *prompter = nullptr;
};

// What the service reports back. The commands do not act on it; it is there for the
// service's own reporting and for tests.
struct FileOperationOutcome
{
    bool cancelled = false;
    int itemsFailed = 0;
    // Copy and move: what became of each source, and where it arrived.
    std::vector<FileItemReport> items;
};

// The file-operation service as the commands see it; a failure it cannot ask about
// is thrown as RuntimeError.
using FileOperationRunner = std::function<FileOperationOutcome(const FileOperationCall &)>;
