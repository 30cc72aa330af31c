#include "ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

namespace {

// True once the process is in a mount namespace of its own, where nothing it mounts
// can reach the machine's own table.
bool privateNamespace(QString &why)
{
    static int state = 0; // 0 not yet asked, 1 private, -1 refused
    static QString reason;
    if (state == 0) {
        if (qEnvironmentVariableIsSet("TIDYHALL_PRIVATE_MOUNTS")) {
            state = 1;
        } else if (::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
            qputenv("TIDYHALL_PRIVATE_MOUNTS", "1");
            state = 1;
        } else {
            reason = QStringLiteral("no private mount namespace (run under unshare -m): ")
                     + QString::fromLocal8Bit(std::strerror(errno));
            state = -1;
        }
    }
    why = reason;
    return state == 1;
}

} // namespace

ScratchMount::ScratchMount()
{
    QDir().mkpath(path());
}

ScratchMount::ScratchMount(ScratchMount &&other) noexcept
    : m_dir(std::move(other.m_dir)), m_at(other.m_at), m_mounted(other.m_mounted), m_error(other.m_error)
{
    other.m_mounted = false;
}

ScratchMount::~ScratchMount()
{
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), path()});
}

bool ScratchMount::run(const QStringList &command)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(command.first(), command.mid(1));
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_error = command.join(QLatin1Char(' ')) + QStringLiteral(": ")
                  + (p.error() == QProcess::FailedToStart ? QStringLiteral("not installed")
                                                          : QString::fromLocal8Bit(p.readAll()).trimmed());
        return false;
    }
    return true;
}

bool ScratchMount::mount(const QStringList &command)
{
    if (!privateNamespace(m_error))
        return false;
    m_mounted = run(command);
    return m_mounted;
}

bool ScratchMount::setReadOnly(bool readOnly)
{
    return run({QStringLiteral("mount"), QStringLiteral("-o"),
                readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"), path()});
}

ScratchMount ScratchMount::tmpfs(const QString &options)
{
    ScratchMount m;
    m.mount({QStringLiteral("mount"), QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
             QStringLiteral("tidyhall-test"), m.path()});
    return m;
}

ScratchMount ScratchMount::memory(const QString &type)
{
    ScratchMount m;
    m.mount({QStringLiteral("mount"), QStringLiteral("-t"), type, QStringLiteral("-o"), QStringLiteral("size=4m"),
             type, m.path()});
    return m;
}

ScratchMount ScratchMount::ext4(int megabytes)
{
    return image(megabytes, {QStringLiteral("mkfs.ext4"), QStringLiteral("-q"), QStringLiteral("-F")},
                 {QStringLiteral("mount"), QStringLiteral("-o"), QStringLiteral("loop")});
}

ScratchMount ScratchMount::image(int megabytes, const QStringList &mkfsCommand, const QStringList &mountCommand)
{
    ScratchMount m;
    const QString image = m.m_dir.path() + QStringLiteral("/volume.img");
    QFile f(image);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(qint64(megabytes) * 1024 * 1024)) {
        m.m_error = QStringLiteral("cannot make the image file");
        return m;
    }
    f.close();
    if (!privateNamespace(m.m_error) || !m.run(mkfsCommand + QStringList{image}))
        return m;
    m.mount(mountCommand + QStringList{image, m.path()});
    return m;
}

ScratchMount ScratchMount::bind(const QString &source, const QString &at)
{
    ScratchMount m;
    m.m_at = at;
    m.mount({QStringLiteral("mount"), QStringLiteral("--bind"), source, at});
    return m;
}
