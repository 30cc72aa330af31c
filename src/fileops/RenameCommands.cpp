#include "fileops/RenameCommands.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/RenameTexts.h"
#include "platform/DosAttributes.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString entryPath(const QString &entry)
{
    return entry.endsWith(QChar(u'\0')) ? entry.chopped(1) : entry;
}

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// A typed name that would reach outside the folder: told, and asked again.
bool refuseTypedName(Prompter &prompter, bool greek, const QString &title, const QString &name)
{
    const QString text = typedNameProblemText(checkTypedName(name), greek);
    if (text.isEmpty())
        return false;
    prompter.inform(title, text, PromptIcon::Critical);
    return true;
}

void tellNameInUse(Prompter &prompter, bool greek, const QString &title, const QString &name)
{
    prompter.inform(title, nameInUseText(ExactName::shown(name), greek), PromptIcon::Critical);
}

enum class Created { Yes, NameInUse };

// Creates the item exclusively: an existing item of that name, of whatever kind,
// is never touched.
Created createExclusively(const QString &folder, const QString &name, bool asFolder)
{
    const QByteArray path = ExactName::toBytes(folder + name);
    int result;
    if (asFolder) {
        result = ::mkdir(path.constData(), 0777);
    } else {
        result = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (result >= 0)
            result = ::close(result);
    }
    if (result == 0)
        return Created::Yes;
    if (errno == EEXIST)
        return Created::NameInUse;
    throw RuntimeError::fromErrno(errno, ExactName::shown(folder + name));
}

void createLoop(const AppState &state, Prompter &prompter, const std::function<void()> &refreshFiles, bool asFolder)
{
    const bool greek = state.LanguageGreek;
    const QString title = (asFolder ? RenameTexts::NewFolderTitle : RenameTexts::NewTextFileTitle).in(greek);
    const QString prompt = asFolder ? RenameTexts::NewFolderPrompt.in(greek)
                                    : RenameTexts::NewTextFilePrompt.in(greek) + NewLine + NewLine
                                          + RenameTexts::NewTextFileExtensionNote.in(greek);
    for (;;) {
        const QString answer = prompter.askText(title, prompt, QString());
        if (answer.isEmpty())
            return;
        const QString name = asFolder ? answer : newTextFileName(answer);
        if (refuseTypedName(prompter, greek, title, name))
            continue;
        if (createExclusively(state.CurrentPath, name, asFolder) == Created::Yes) {
            refreshFiles();
            return;
        }
        tellNameInUse(prompter, greek, title, name);
    }
}

} // namespace

QString newTextFileName(const QString &typed)
{
    if (typed.right(4).toUpper() == QLatin1String(".TXT"))
        return typed;
    return typed + QLatin1String(".txt");
}

QString renamePromptText(const QString &shownName, bool greek)
{
    return shownName + NewLine + NewLine + RenameTexts::RenamePrompt.in(greek);
}

QString readOnlyWarningText(const QString &shownPath, bool greek)
{
    return RenameTexts::ReadOnlyHead.in(greek) + shownPath + RenameTexts::ReadOnlyTail.in(greek);
}

QString nameInUseText(const QString &shownName, bool greek)
{
    return RenameTexts::NameInUseHead.in(greek) + shownName + RenameTexts::NameInUseTail.in(greek);
}

QString typedNameProblemText(TypedNameProblem problem, bool greek)
{
    switch (problem) {
    case TypedNameProblem::HasSlash:
        return RenameTexts::NameHasSlash.in(greek);
    case TypedNameProblem::HasNul:
        return RenameTexts::NameHasNul.in(greek);
    case TypedNameProblem::DotOrDotDot:
        return RenameTexts::NameIsDot.in(greek);
    case TypedNameProblem::None:
    case TypedNameProblem::Empty:
        break;
    }
    return {};
}

bool confirmRenameOfReadOnly(Prompter &prompter, bool greek, const QString &path)
{
    if (!readAttributes(path).readOnly)
        return true;
    return prompter.askYesNo(RenameTexts::RenameTitle.in(greek), readOnlyWarningText(ExactName::shown(path), greek));
}

RenameAttempt renameTyped(Prompter &prompter, bool greek, const QString &folder, const QString &oldName,
                          const QString &newName)
{
    const QString title = RenameTexts::RenameTitle.in(greek);
    if (refuseTypedName(prompter, greek, title, newName))
        return RenameAttempt::Refused;
    if (newName == oldName)
        return RenameAttempt::Unchanged;
    try {
        renameWithoutReplacing(folder, oldName, newName);
    } catch (const RuntimeError &e) {
        if (e.number != ErrorNumber::FileAlreadyExists)
            throw;
        tellNameInUse(prompter, greek, title, newName);
        return RenameAttempt::Refused;
    }
    return RenameAttempt::Renamed;
}

void RenameSelection(const QStringList &entries, const AppState &state, Prompter &prompter, const RenameHooks &hooks)
{
    const bool greek = state.LanguageGreek;
    bool declined = false;
    const bool completed = RunTrapped(prompter, state, "070", [&] {
        if (entries.isEmpty())
            return;
        if (entries.size() > 1) {
            hooks.openRenameDialog(entries);
            return;
        }
        const QString path = entryPath(entries.first());
        const QString name = nameOf(path);
        if (!confirmRenameOfReadOnly(prompter, greek, path)) {
            declined = true;
            return;
        }
        const QString shownName = ExactName::shown(name);
        for (;;) {
            const QString answer = prompter.askText(RenameTexts::RenameTitle.in(greek), renamePromptText(shownName, greek),
                                                    shownName);
            // The name offered back unchanged is the item's own exact name, even where
            // it holds blanks at either end or bytes that are shown escaped.
            if (answer == shownName || answer.trimmed().isEmpty())
                return;
            if (renameTyped(prompter, greek, folderOf(path), name, answer.trimmed()) != RenameAttempt::Refused)
                return;
        }
    });
    if (completed && !declined && !entries.isEmpty())
        hooks.refreshFiles();
}

void CreateNewFolder(const AppState &state, Prompter &prompter, const std::function<void()> &refreshFiles)
{
    RunTrapped(prompter, state, "079", [&] { createLoop(state, prompter, refreshFiles, true); });
}

void CreateNewTextFile(const AppState &state, Prompter &prompter, const std::function<void()> &refreshFiles)
{
    RunTrapped(prompter, state, "080", [&] { createLoop(state, prompter, refreshFiles, false); });
}
