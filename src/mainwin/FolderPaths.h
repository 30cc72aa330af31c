#pragma once

#include <QString>
#include <QStringList>

// The text after the last "/" of a path; empty when there is none ("/data/Old" gives
// "Old", "/data/" gives "").
QString PathTail(const QString &path);

// A folder path as the folder tree shows it: no trailing "/" except for "/" itself.
QString withoutTrailingSlash(const QString &path);

// The folder one level up from `currentPath` (which ends with "/"), ending with "/";
// and the folder that was left. Empty parent for "/".
struct ParentStep
{
    QString parent;
    QString left;
};
ParentStep parentOf(const QString &currentPath);

// "/", "/home", "/home/ann" for "/home/ann".
QStringList ancestorChain(const QString &folder);

// The names of the sub-folders of `folder` (symbolic links to folders included),
// hidden ones too, in the order people expect (locale-aware, ignoring case).
// Throws RuntimeError when the folder cannot be read or searched.
QStringList subfolderNames(const QString &folder);

// Throws RuntimeError (permission denied, saying why) for a folder whose names may be
// read but whose items cannot be reached, so that every place reports it alike.
void requireSearchable(const QString &folder);

// Makes `folder` the working folder by its exact bytes (QDir would re-encode them).
void setCurrentFolder(const QString &folder);
