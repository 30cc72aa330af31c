#include "platform/RuntimeError.h"

#include <QFileDevice>
#include <cerrno>
#include <cstring>

RuntimeError::RuntimeError(int errorNumber, QString text)
    : number(errorNumber), description(std::move(text)), m_what(description.toUtf8())
{
}

const char *RuntimeError::what() const noexcept
{
    return m_what.constData();
}

int classicErrorNumber(int err)
{
    switch (err) {
    case ENOENT:
        return ErrorNumber::FileNotFound;
    case ENOTDIR:
        return ErrorNumber::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return ErrorNumber::PermissionDenied;
    case EEXIST:
    case ENOTEMPTY:
        return ErrorNumber::FileAlreadyExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorNumber::DiskFull;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return ErrorNumber::DiskNotReady;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return ErrorNumber::BadFileName;
    case EOVERFLOW:
        return ErrorNumber::Overflow;
    default:
        return ErrorNumber::PathFileAccessError;
    }
}

RuntimeError RuntimeError::fromErrno(int err, const QString &path)
{
    QString text = QString::fromLocal8Bit(std::strerror(err));
    if (!path.isEmpty())
        text += QStringLiteral(": ") + path;
    return RuntimeError(classicErrorNumber(err), text);
}

RuntimeError RuntimeError::fromFile(const QFileDevice &file, const QString &path)
{
    const int err = errno;
    const int number = err != 0 ? classicErrorNumber(err) : ErrorNumber::PathFileAccessError;
    return RuntimeError(number, file.errorString() + QStringLiteral(": ") + path);
}
