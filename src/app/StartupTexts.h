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
}
