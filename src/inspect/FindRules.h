#pragma once

#include "platform/Bilingual.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Which items a search reports.
enum class FindKinds { Folders = 0, Files = 1, Both = 2 };

// What the user asked of one search. Paths and names are exact (ExactName).
struct FindCriteria
{
    QString startFolder;       // without a trailing "/" ("/" for the root)
    QString pattern;           // the listing's wildcard rules; empty finds every name
    bool subFolders = true;
    QString text;              // empty: no condition on the contents
    std::optional<QDate> modifiedFrom; // local dates, both ends included
    std::optional<QDate> modifiedTo;
    FindKinds kinds = FindKinds::Both;
};

// The first thing wrong with the input that the window can see before starting,
// or nullopt. The start folder's existence is checked when the search opens it.
std::optional<Bilingual> FindInputProblem(const FindCriteria &criteria);

// The byte strings a file must contain for `text`: its UTF-8 form, and its
// Windows-1253 form when the text has one that differs (Greek text saved by old
// programs). Empty for an empty text.
QList<QByteArray> TextNeedles(const QString &text);

// True when `modified` lies within the range; an open end does not limit.
bool ModifiedInRange(const QDate &modified, const std::optional<QDate> &from, const std::optional<QDate> &to);

bool KindWanted(FindKinds kinds, bool isFolder);

// The attribute letters of a result in the order of the listing's columns: "HSRA"
// with the letters of the attributes that are not set left out.
QString AttributeLetters(bool hidden, bool system, bool readOnly, bool archive);

// Where the search starts for the FindStartPoint setting: 1 the top folder of the
// volume holding `dir1Path`, 2 `dir1Path` itself, 3 (or anything else) "" meaning
// the user chooses each time.
QString FindStartFolder(int findStartPoint, const QString &dir1Path);

// The start folder of the Find command: FindStartFolder(), or for start point 3 what
// `browse` gives (the folder browser; "" on Cancel, and then nothing starts).
QString ChooseFindStart(int findStartPoint, const QString &dir1Path, const std::function<QString()> &browse);

// True when both paths name the same folder (device and inode, links resolved).
bool SameFolder(const QString &a, const QString &b);
