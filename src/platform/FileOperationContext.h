#pragma once

#include "platform/Bilingual.h"
#include "platform/FileOperation.h"
#include "platform/Prompter.h"
#include "platform/SafeCopy.h"

#include <functional>

// What the steps of one file operation share: the request, the questions asked
// through the Prompter, the answers that last for the operation ("Yes to all"), the
// progress and the result.
class FileOperationContext
{
public:
    FileOperationContext(const FileOperationRequest &request, Prompter &prompter, FileOperationProgress &progress);

    const FileOperationRequest &request;
    Prompter &prompter;
    FileOperationProgress &progress;
    FileOperationResult result;
    bool yesToAll = false;

    QString text(const Bilingual &b) const { return b.in(request.languageGreek); }
    QString title() const;
    bool hasFlag(int flag) const { return (request.flags & flag) != 0; }

    // Throws OperationCancelled once Cancel has been asked for.
    void checkCancel() const;
    // Adds written bytes to the progress and stops inside a large file on Cancel.
    ByteProgress byteProgress() const;

    // Runs `step` until it succeeds. On a FileError it asks Retry, Skip or Cancel about
    // `item`: Retry runs the step again, Skip counts the item as skipped and returns
    // false, Cancel throws OperationCancelled.
    bool attempt(const QByteArray &item, const std::function<void()> &step);

    // Tells the user why an item is refused and counts it as failed.
    void refuse(const QString &message);

    // The guard of delete, trash and move: true when the item may go; otherwise the
    // user is told why, naming the item, and it counts as failed.
    bool mayRemove(const QByteArray &path);

    // The user's own name for a path inside a copy still under its temporary name; a
    // temporary name never reaches a message. Empty when none can be given.
    void nameTemporary(const QByteArray &temporary, const QByteArray &final);
    QByteArray userPath(const QByteArray &path) const;

    // The system's reason for an error, in the current language where we know it.
    QString describeError(int err) const;
    static QString display(const QByteArray &path);

private:
    const Bilingual &failedText() const;
    QList<QByteArray> m_protected;
    QList<std::pair<QByteArray, QByteArray>> m_temporaries;
};
