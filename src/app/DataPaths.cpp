#include "app/DataPaths.h"

#include "app/AppState.h"
#include "platform/ExactName.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

QString ResolveDataFolder(const QString &executableFolder)
{
    const QString home = qEnvironmentVariable("TIDYHALL_HOME");
    if (!home.isEmpty()) {
        // Made absolute at once: the program changes its working folder as the user
        // moves about, and the settings and the lock must not move with it.
        const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(home));
        QDir().mkpath(absolute);
        return absolute;
    }
    if (!executableFolder.isEmpty()
        && ::access(ExactName::toBytes(executableFolder).constData(), W_OK) == 0)
        return executableFolder;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/tidyhall");
    QDir().mkpath(config);
    return config;
}

void BuildDataPaths(AppState &s, const QString &dataFolder)
{
    s.DataFolder = dataFolder;
    const auto in = [&](const char *name) { return dataFolder + QLatin1Char('/') + QLatin1String(name); };
    s.IniPath = in("Tidyhall.ini");
    s.HelpFileGreek = in("TidyhallGr.hlp");
    s.HelpFileEnglish = in("TidyhallUk.hlp");
    s.RecentPathsFile = in("RecentPaths.txt");
    s.MonitoredPathsFile = in("MonitoredPaths.txt");
    s.CommentsFileStem = in("Comments");
    s.PrintAnimationFile = in("aviPrint.avi");
    s.SpecialTargetFolderFile = in("SpecialTargetFolder.txt");
    s.SpecialSourceFilesFile = in("SpecialSourceFiles.txt");
    s.SpecialSourceFoldersFile = in("SpecialSourceFolders.txt");
    s.SpecialAttributesFile = in("SpecialAttributes.txt");
    s.SpecialIniFile = in("Special.ini");
    const QString marker = qEnvironmentVariable("TIDYHALL_OWNER_MARKER");
    s.OwnerMarkerFile = marker.isEmpty() ? QStringLiteral(TIDYHALL_OWNER_MARKER) : marker;
}

QString CommentsFileFor(const AppState &state, const QString &volumeKey)
{
    return state.CommentsFileStem + volumeKey + QStringLiteral(".txt");
}
