#pragma once

#include <QString>

// What is wrong with a name the user typed for an item in the current folder. A
// name with "/" or NUL, or "." and "..", would reach outside that folder.
enum class TypedNameProblem { None, Empty, HasSlash, HasNul, DotOrDotDot };

TypedNameProblem checkTypedName(const QString &name);

// Renames oldName to newName inside folderPath (ExactName strings; no "/" in the names),
// never replacing an item (renameat2 RENAME_NOREPLACE relative to the folder's descriptor).
// A change of letter case only renames the same item even on a case-insensitive volume.
// Throws RuntimeError (RuntimeError::fromErrno) on failure; EEXIST when the name is in use.
void renameWithoutReplacing(const QString &folderPath, const QString &oldName, const QString &newName);
