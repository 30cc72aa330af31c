#pragma once

#include "platform/Bilingual.h"

#include <QString>

// The start-up messages show both languages at once, Greek first: the language
// setting may not have been read yet, or may be the one the user cannot read.
namespace StartupTexts {
inline const QString DuplicateInstanceTitle = QStringLiteral("...duplicate instance.");
QString duplicateInstance();
QString noInitialPath(const QString &fallback);
QString initialPathNotFound(const QString &initialPath, const QString &fallback);
QString fatal(int number, const QString &description);
// The lock of the data folder names a copy on another computer, which this one cannot
// check on: the question whether to take the lock over.
QString foreignLock(const QString &host, const QString &lockFile);
}
