#include "platform/FileOperationContext.h"

#include "platform/ExactName.h"
#include "platform/FileOperationTexts.h"
#include "platform/PathIdentity.h"
#include "platform/SystemErrorTexts.h"

#include <cerrno>
#include <cstring>

namespace T = FileOperationTexts;

FileOperationContext::FileOperationContext(const FileOperationRequest &r, Prompter &p, FileOperationProgress &pr)
    : request(r), prompter(p), progress(pr)
{
    for (const QString &path : r.protectedPaths)
        m_protected.append(ExactName::toBytes(path));
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
            const QByteArray detail = userPath(e.path);
            if (!detail.isEmpty() && detail != item)
                message += NewLine + display(detail);
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

bool FileOperationContext::mayRemove(const QByteArray &path)
{
    const Bilingual *reason = nullptr;
    switch (PathIdentity::judgeRemoval(path, m_protected)) {
    case PathIdentity::Protection::None:
        return true;
    case PathIdentity::Protection::NotNormal:
        reason = &T::NotNormalPath;
        break;
    case PathIdentity::Protection::Root:
        reason = &T::RefuseRoot;
        break;
    case PathIdentity::Protection::Protected:
        reason = &T::RefuseProtected;
        break;
    case PathIdentity::Protection::MountPoint:
        reason = &T::RefuseMountPoint;
        break;
    }
    refuse(text(*reason).arg(display(path)));
    return false;
}

void FileOperationContext::nameTemporary(const QByteArray &temporary, const QByteArray &final)
{
    m_temporaries.append({temporary, final});
}

QByteArray FileOperationContext::userPath(const QByteArray &path) const
{
    QByteArray p = path;
    for (auto it = m_temporaries.crbegin(); it != m_temporaries.crend(); ++it) {
        if (p == it->first || p.startsWith(it->first + '/')) {
            p = it->second + p.mid(it->first.size());
            break;
        }
    }
    for (const QByteArray &part : p.split('/'))
        if (SafeCopy::isTemporaryName(part))
            return {};
    return p;
}

QString FileOperationContext::describeError(int err) const
{
    switch (err) {
    case ChangedWhileCopied:
        return text(T::ChangedWhileCopied);
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
        break;
    }
    // Never the system's own words, which come in one language only.
    const Bilingual known = systemErrorText(err);
    if (known.english)
        return text(known);
    return text(T::OtherSystemError).arg(err);
}

QString FileOperationContext::display(const QByteArray &path)
{
    return ExactName::shown(ExactName::fromBytes(path));
}
