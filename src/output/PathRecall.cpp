#include "output/PathRecall.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "app/Settings.h"
#include "output/PathListTexts.h"
#include "platform/PrivateProfile.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include "platform/ExactName.h"
#include "platform/PathIdentity.h"
#include "platform/Volumes.h"
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

PathDestination ResolveRecalledPath(const QString &path, const QString &currentVolume)
{
    // A saved line is taken whole: " /data" is not "/data" (while "/data " may well be
    // a folder), and a relative or empty line names no folder at all.
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
        RuntimeError e = RuntimeError::fromErrno(ENOENT, ExactName::shown(path));
        e.number = ErrorNumber::PathNotFound;
        throw e;
    }
    // A recalled path enters the program here and is made normal as the kernel sees it.
    const QString folder = PathIdentity::normalised(path);
    const QByteArray native = ExactName::toBytes(folder);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        const int err = errno;
        RuntimeError e = RuntimeError::fromErrno(err, ExactName::shown(path));
        if (err == ENOENT || err == ENOTDIR)
            e.number = ErrorNumber::PathNotFound;
        throw e;
    }
    if (!S_ISDIR(st.st_mode)) {
        RuntimeError e = RuntimeError::fromErrno(ENOTDIR, path);
        e.number = ErrorNumber::PathNotFound;
        throw e;
    }
    if (::access(native.constData(), R_OK | X_OK) != 0)
        throw RuntimeError::fromErrno(errno, ExactName::shown(path));

    PathDestination d;
    d.folder = folder;
    d.volume = volumeOf(folder).mountPoint;
    d.changesVolume = d.volume != currentVolume;
    return d;
}

QString SetInitialQuestion(const QString &path, bool greek)
{
    using namespace PathListTexts;
    return SetInitialBefore.in(greek) + path + SetInitialAfter.in(greek);
}

bool SaveInitialPath(Prompter &prompter, AppState &state, const QString &path)
{
    bool saved = false;
    RunTrapped(prompter, state, "125", [&] {
        const bool greek = state.LanguageGreek;
        if (!prompter.askYesNo(PathListTexts::SetInitialTitle.in(greek), SetInitialQuestion(path, greek)))
            return;
        PrivateProfile::writeStrings({{QString::fromLatin1(Keys::StartingPoint.section),
                                       QString::fromLatin1(Keys::StartingPoint.key), ExactName::toText(path)}},
                                     state.IniPath);
        state.InitialPath = path;
        saved = true;
    });
    return saved;
}

std::optional<PathDestination> RecallInitialPath(Prompter &prompter, const AppState &state,
                                                 const QString &currentVolume)
{
    std::optional<PathDestination> d;
    RunTrapped(prompter, state, "124", [&] { d = ResolveRecalledPath(state.InitialPath, currentVolume); });
    return d;
}

std::optional<PathDestination> DestinationOfRecalledPath(Prompter &prompter, const AppState &state,
                                                         PathListKind kind, const QString &recalledPath,
                                                         const QString &currentVolume)
{
    std::optional<PathDestination> d;
    if (recalledPath.isEmpty())
        return d;
    RunTrapped(prompter, state, kind == PathListKind::Recent ? "055" : "088",
               [&] { d = ResolveRecalledPath(recalledPath, currentVolume); });
    return d;
}

bool RecallPathEnabledAfter(SaveOutcome outcome, bool enabledBefore)
{
    return outcome == SaveOutcome::Saved || enabledBefore;
}
