#include "platform/FileOperationContext.h"

#include "platform/FileOperationTexts.h"

#include <QFile>
#include <cerrno>
#include <cstring>

namespace T = FileOperationTexts;

FileOperationContext::FileOperationContext(const FileOperationRequest &r, Prompter &p, FileOperationProgress &pr)
    : request(r), prompter(p), progress(pr)
{
}

QString FileOperationContext::title() const
{
    switch (request.operation) {
    case FileOperationKind::Copy:
        return text(T::CopyTitle);
    case FileOperationKind::Move:
        return text(T::MoveTitle);
    case FileOperationKind::Delete:
        break;
    }
    return text(hasFlag(FileOperationFlag::AllowUndo) ? T::TrashTitle : T::DeleteTitle);
}

void FileOperationContext::checkCancel() const
{
    if (progress.cancelRequested())
        throw OperationCancelled{};
}

ByteProgress FileOperationContext::byteProgress() const
{
    return [this](std::int64_t bytes) {
        progress.addBytes(bytes);
        checkCancel();
    };
}

const Bilingual &FileOperationContext::failedText() const
{
    switch (request.operation) {
    case FileOperationKind::Copy:
        return T::CopyFailed;
    case FileOperationKind::Move:
        return T::MoveFailed;
    case FileOperationKind::Delete:
        break;
    }
    return hasFlag(FileOperationFlag::AllowUndo) ? T::TrashFailed : T::DeleteFailed;
}

bool FileOperationContext::attempt(const QByteArray &item, const std::function<void()> &step)
{
    for (;;) {
        checkCancel();
        try {
            step();
            return true;
        } catch (const FileError &e) {
            QString message = text(failedText()).arg(display(item));
            message += NewLine + NewLine + text(T::ErrorCause).arg(describeError(e.err));
            if (!e.path.isEmpty() && e.path != item)
                message += NewLine + display(e.path);
            message += NewLine + NewLine + text(T::RetrySkipCancel);
            const PromptButton answer
                = prompter.message(title(), message, PromptIcon::Warning,
                                   {PromptButton::Retry, PromptButton::Skip, PromptButton::Cancel}, PromptButton::Retry);
            if (answer == PromptButton::Retry)
                continue;
            if (answer == PromptButton::Skip) {
                ++result.skipped;
                return false;
            }
            throw OperationCancelled{};
        }
    }
}

void FileOperationContext::refuse(const QString &message)
{
    ++result.failed;
    prompter.inform(title(), message, PromptIcon::Critical);
}

QString FileOperationContext::describeError(int err) const
{
    switch (err) {
    case ENOENT:
        return text(T::NoSuchItem);
    case EACCES:
    case EPERM:
        return text(T::NoPermission);
    case ENOSPC:
    case EDQUOT:
        return text(T::DiskFull);
    case ENAMETOOLONG:
        return text(T::NameTooLong);
    case EROFS:
        return text(T::ReadOnlyDisk);
    case EEXIST:
    case ENOTEMPTY:
        return text(T::NameInUse);
    case EBUSY:
        return text(T::IsMountPoint);
    case EIO:
        return text(T::ReadError);
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

QString FileOperationContext::display(const QByteArray &path)
{
    return QFile::decodeName(path);
}
