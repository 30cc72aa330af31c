#include "TestMount.h"

#include <QDir>
#include <QProcess>

namespace {
bool run(const QString &program, const QStringList &args, QString *error)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ")
                     + QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}
} // namespace

TestMount::TestMount(const QString &tmpfsOptions)
{
    QDir().mkpath(path());
    m_mounted = run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                              tmpfsOptions, QStringLiteral("tidyhall-test"), path()},
                    &m_why);
}

TestMount::TestMount(int ext4Megabytes)
{
    QDir().mkpath(path());
    const QString image = m_dir.path() + QStringLiteral("/volume.img");
    m_mounted = run(QStringLiteral("truncate"), {QStringLiteral("-s"), QString::number(ext4Megabytes) + QLatin1Char('M'), image}, &m_why)
                && run(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q"), QStringLiteral("-F"), image}, &m_why)
                && run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, path()}, &m_why);
}

TestMount::~TestMount()
{
    if (m_mounted)
        run(QStringLiteral("umount"), {QStringLiteral("-l"), path()}, nullptr);
}

bool TestMount::setReadOnly(bool readOnly)
{
    return run(QStringLiteral("mount"), {QStringLiteral("-o"), readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"), path()}, nullptr);
}
