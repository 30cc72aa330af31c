#include "platform/Launcher.h"

#include "platform/RuntimeError.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>

namespace {

QString &standInSlot()
{
    static QString program;
    return program;
}

struct Command
{
    QString program;
    QStringList arguments;
};

Command withStandIn(const QString &program, const QStringList &arguments)
{
    const QString stand = Launcher::standIn();
    if (stand.isEmpty())
        return {program, arguments};
    return {stand, QStringList{program} + arguments};
}

// The system's reason, as near as we can tell it: Qt reports a failed start only as
// text, so look at the program ourselves.
RuntimeError startError(const QString &program, const QString &qtReason)
{
    const QString found = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (found.isEmpty() || !QFileInfo::exists(found))
        return RuntimeError::fromErrno(ENOENT, program);
    if (!QFileInfo(found).isExecutable() || QFileInfo(found).isDir())
        return RuntimeError::fromErrno(EACCES, program);
    return RuntimeError(ErrorNumber::PathFileAccessError, qtReason + QStringLiteral(": ") + program);
}

} // namespace

void Launcher::setStandIn(const QString &program)
{
    standInSlot() = program;
}

QString Launcher::standIn()
{
    if (!standInSlot().isEmpty())
        return standInSlot();
    return qEnvironmentVariable("TIDYHALL_LAUNCH_STANDIN");
}

void Launcher::startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    const Command c = withStandIn(program, arguments);
    QProcess p;
    p.setProgram(c.program);
    p.setArguments(c.arguments);
    if (!workingFolder.isEmpty())
        p.setWorkingDirectory(workingFolder);
    if (!p.startDetached())
        throw startError(c.program, p.errorString());
}

int Launcher::runAndWait(const QString &program, const QStringList &arguments)
{
    const Command c = withStandIn(program, arguments);
    QProcess p;
    p.setProgram(c.program);
    p.setArguments(c.arguments);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.setInputChannelMode(QProcess::ForwardedInputChannel);
    p.start();
    if (!p.waitForStarted(-1))
        throw startError(c.program, p.errorString());
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
