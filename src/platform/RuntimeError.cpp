#include "platform/RuntimeError.h"

#include "platform/SystemErrorTexts.h"

#include <QFileDevice>
#include <cerrno>
#include <cstring>

RuntimeError::RuntimeError(int errorNumber, QString text)
    : number(errorNumber), description(std::move(text)), m_what(description.toUtf8())
{
}

RuntimeError::RuntimeError(int errorNumber, const Bilingual &ours, const QString &item)
    : number(errorNumber), text(ours), subject(item)
{
    description = describe(false);
    m_what = description.toUtf8();
}

QString systemErrorDescription(int err, bool greek)
{
    const Bilingual ours = systemErrorText(err);
    if (!ours.greek)
        return QString::fromLocal8Bit(std::strerror(err));
    // The table's texts are written to follow a colon; a report begins with one.
    QString text = ours.in(greek);
    text[0] = text[0].toUpper();
    return text;
}

QString RuntimeError::describe(bool greek) const
{
    QString head;
    if (text.greek)
        head = text.in(greek);
    else if (err != 0)
        head = systemErrorDescription(err, greek);
    else
        return description;
    return subject.isEmpty() ? head : head + QStringLiteral(": ") + subject;
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
    RuntimeError e(classicErrorNumber(err), text);
    e.err = err;
    e.subject = path;
    return e;
}

RuntimeError RuntimeError::fromFile(const QFileDevice &file, const QString &path)
{
    const int err = errno;
    const int number = err != 0 ? classicErrorNumber(err) : ErrorNumber::PathFileAccessError;
    RuntimeError e(number, file.errorString() + QStringLiteral(": ") + path);
    e.err = err;
    e.subject = path;
    return e;
}
