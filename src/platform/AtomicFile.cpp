#include "platform/AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QSaveFile>
#include <cerrno>

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so a short write shows here: a buffered QSaveFile commits a file cut
    // short by a full disk or a size limit as if it were whole.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw RuntimeError::fromFile(file, path);
    for (qsizetype done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            throw RuntimeError::fromFile(file, path);
        done += n;
    }
    errno = 0;
    if (!file.commit())
        throw RuntimeError::fromFile(file, path);
}
