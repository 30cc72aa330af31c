#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// One item at the top of a volume, as the comments dialog shows it.
struct CommentRow
{
    QString name; // the exact name
    bool folder = false;
    QString comment;
};

// The top folder of a volume: its items sorted by name (case-sensitive), and the
// counts of the counts line.
struct VolumeTopListing
{
    QList<CommentRow> rows;
    std::int64_t folders = 0;
    std::int64_t files = 0;
    std::int64_t bytes = 0;
};

// Lists every entry of `folder` (an exact path) but "." and "..", hidden ones
// included; a link counts as what it points to. Throws RuntimeError when the folder
// cannot be read.
VolumeTopListing ListVolumeTop(const QString &folder);

// One line of a comments file: the name field and the comment, each trimmed.
struct CommentEntry
{
    QString name; // the exact name (the file's text form read back)
    QString comment;
};

// The lines of a comments file: 300 characters of name, then the comment. Lines of
// any length, CR LF, LF or CR ends, UTF-8 (with or without a BOM) or Windows-1253.
QList<CommentEntry> ParseCommentsFile(const QByteArray &bytes);

// Gives each row the comment of the first line naming it exactly, or, when no line
// does, of the first line naming it without regard to case.
void ApplyComments(QList<CommentRow> &rows, const QList<CommentEntry> &entries);

// The file's contents: one 400-character line per row in order, CR LF, UTF-8. Rows
// whose names hold a line break cannot be written and go to `leftOut`.
QByteArray CommentsFileBytes(const QList<CommentRow> &rows, QStringList *leftOut = nullptr);

// The file's bytes, or nothing when it does not exist. Throws RuntimeError when it
// exists but cannot be read.
std::optional<QByteArray> ReadCommentsFile(const QString &path);

// "Folders: 3. Files: 10. File size in bytes: 1,234." in the language asked for.
QString CommentsCountLine(std::int64_t folders, std::int64_t files, std::int64_t bytes, bool greek);
