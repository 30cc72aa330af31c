#include "output/CompanionRules.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "app/Settings.h"
#include "output/CompanionTexts.h"
#include "platform/ExactName.h"
#include "platform/Launcher.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <QProcess>
#include <sys/stat.h>
#include <unistd.h>

std::optional<CommandLine> CompanionCommandLine(const QString &value,
                                                const std::function<bool(const QString &)> &isProgramFile)
{
    QString line = value;
    if (const qsizetype nul = line.indexOf(QChar(0)); nul >= 0)
        line.truncate(nul);
    line = line.trimmed();
    if (line.isEmpty())
        return std::nullopt;
    if (isProgramFile(line))
        return CommandLine{line, {}};
    QStringList parts = QProcess::splitCommand(line);
    if (parts.isEmpty())
        return std::nullopt;
    const QString program = parts.takeFirst();
    return CommandLine{program, parts};
}

bool IsProgramFile(const QString &path)
{
    const QByteArray bytes = ExactName::toBytes(path);
    struct stat st {};
    return ::stat(bytes.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::access(bytes.constData(), X_OK) == 0;
}

bool StartCompanion(Prompter &prompter, const AppState &state, const QString &key, const char *locationCode)
{
    return RunTrapped(prompter, state, locationCode, [&] {
        using namespace CompanionTexts;
        const bool greek = state.LanguageGreek;
        const QString where = KeyPlace.in(greek).arg(key, QString::fromLatin1(CompanionKeys::Section));
        if (::access(ExactName::toBytes(state.SpecialIniFile).constData(), F_OK) != 0)
            throw RuntimeError(ErrorNumber::FileNotFound, NoSpecialIni.in(greek) + NewLine + state.SpecialIniFile);
        const QString value = PrivateProfile::readCommandLine(QString::fromLatin1(CompanionKeys::Section), key,
                                                              state.SpecialIniFile);
        const auto command = CompanionCommandLine(ExactName::fromText(value), IsProgramFile);
        if (!command)
            throw RuntimeError(ErrorNumber::FileNotFound, where + NoCommand.in(greek));
        try {
            Launcher::startDetached(command->program, command->arguments);
        } catch (const RuntimeError &e) {
            throw RuntimeError(e.number, where + CannotStart.in(greek) + NewLine + e.description);
        }
    });
}
