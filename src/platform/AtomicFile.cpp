#include "platform/AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QSaveFile>
#include <cerrno>

namespace {

RuntimeError failure(const QFileDevice &file, const QString &path)
{
    const int err = errno;
    const int number = err != 0 ? classicErrorNumber(err) : ErrorNumber::PathFileAccessError;
    return RuntimeError(number, file.errorString() + QStringLiteral(": ") + path);
}

} // namespace

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so a short write shows here: a buffered QSaveFile commits a file cut
    // short by a full disk or a size limit as if it were whole.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failure(file, path);
    for (qsizetype done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            throw failure(file, path);
        done += n;
    }
    errno = 0;
    if (!file.commit())
        throw failure(file, path);
}
