#include "output/AboutRules.h"

#include "platform/ExactName.h"
#include "platform/PrivateProfile.h"

#include <QtGlobal>

#ifndef TIDYHALL_VERSION_MAJOR
#error "the build passes the program's version"
#endif

QString AboutVersionText(int major, int minor, int patch)
{
    const auto four = [](int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); };
    return four(major) + QLatin1Char('.') + four(minor) + QLatin1Char('.') + four(patch);
}

QString ProgramVersionText()
{
    return AboutVersionText(TIDYHALL_VERSION_MAJOR, TIDYHALL_VERSION_MINOR, TIDYHALL_VERSION_PATCH);
}

std::optional<CommandLine> SysInfoCommand(const QString &specialIni,
                                          const std::function<QString(const QString &)> &findProgram,
                                          const std::function<bool(const QString &)> &isProgramFile)
{
    const QString value = PrivateProfile::readCommandLine(QString::fromLatin1(CompanionKeys::Section),
                                                          QString::fromLatin1(CompanionKeys::SystemInfo), specialIni);
    if (const auto command = CompanionCommandLine(ExactName::fromText(value), isProgramFile))
        return command;
    for (const KnownSysInfoTool &tool : KnownSysInfoTools) {
        const QString path = findProgram(QLatin1String(tool.program));
        if (path.isEmpty())
            continue;
        CommandLine command{path, {}};
        if (tool.argument)
            command.arguments.append(QLatin1String(tool.argument));
        return command;
    }
    qInfo("system-information tool: %s", "unavailable");
    return std::nullopt;
}
