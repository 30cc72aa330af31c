#pragma once

#include "platform/Bilingual.h"
#include "platform/RuntimeError.h"

#include <QString>

// The errors of the attribute and time services, in both languages.
RuntimeError unreadableRecordError(const QString &path);
RuntimeError dateOutOfRangeError(const QString &path);
// Names the volume that holds `path`.
RuntimeError cannotKeepAttributeError(const QString &path, const Bilingual &attribute);
RuntimeError cannotKeepCreationTimeError(const QString &path);
RuntimeError symlinkError(const QString &path);
RuntimeError notFileOrFolderError(const QString &path);
