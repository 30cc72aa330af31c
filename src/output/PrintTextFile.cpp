#include "output/PrintTextFile.h"

#include "output/PrintTexts.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype BufferSize = 1 << 16;

// Which file failed, why, and that nothing was lost.
RuntimeError writeFailure(int err, const QString &shownTarget, bool greek)
{
    const RuntimeError system = RuntimeError::fromErrno(err);
    return RuntimeError(system.number, PrintTexts::TargetWriteFailed.in(greek).arg(shownTarget, system.description + QLatin1Char('.')));
}

} // namespace

PrintTextFile::PrintTextFile(const QString &target, bool greek)
    : m_target(ExactName::toBytes(target)), m_shownTarget(ExactName::shown(target)), m_greek(greek)
{
    struct stat st {};
    if (::stat(m_target.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        throw RuntimeError(ErrorNumber::PathFileAccessError, PrintTexts::TargetIsFolder.in(greek).arg(m_shownTarget));
    const qsizetype slash = m_target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : m_target.left(slash == 0 ? 1 : slash);
    m_temporary = folder + (folder.endsWith('/') ? "" : "/") + ".tidyhall-print-XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        const int err = errno;
        m_temporary.clear();
        throw writeFailure(err, m_shownTarget, m_greek);
    }
    // A new file gets the permissions any new file of the user gets; a replaced one
    // keeps its own.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = ::stat(m_target.constData(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask);
    ::fchmod(m_fd, mode);
    m_buffer.reserve(BufferSize + 1024);
}

PrintTextFile::~PrintTextFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

void PrintTextFile::writeLine(const QString &line, bool)
{
    m_buffer += line.toUtf8();
    m_buffer += "\r\n";
    if (m_buffer.size() >= BufferSize)
        flushBuffer();
}

void PrintTextFile::flushBuffer()
{
    const char *data = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw writeFailure(errno, m_shownTarget, m_greek);
        }
        data += n;
        left -= n;
    }
    m_buffer.clear();
}

void PrintTextFile::commit()
{
    flushBuffer();
    if (::fsync(m_fd) != 0 || ::close(m_fd) != 0) {
        const int err = errno;
        m_fd = -1;
        throw writeFailure(err, m_shownTarget, m_greek);
    }
    m_fd = -1;
    if (::rename(m_temporary.constData(), m_target.constData()) != 0)
        throw writeFailure(errno, m_shownTarget, m_greek);
    m_temporary.clear();
}
