#include "ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>

ScratchMount::ScratchMount()
{
    QDir().mkpath(path());
}

ScratchMount::ScratchMount(ScratchMount &&other) noexcept
    : m_dir(std::move(other.m_dir)), m_mounted(other.m_mounted), m_error(other.m_error)
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

ScratchMount ScratchMount::memory(const QString &type)
{
    ScratchMount m;
    m.m_mounted = m.run({QStringLiteral("mount"), QStringLiteral("-t"), type, QStringLiteral("-o"),
                         QStringLiteral("size=4m"), type, m.path()});
    return m;
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
    if (!m.run(mkfsCommand + QStringList{image}))
        return m;
    m.m_mounted = m.run(mountCommand + QStringList{image, m.path()});
    return m;
}
