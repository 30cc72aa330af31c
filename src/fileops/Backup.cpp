#include "fileops/Backup.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/BackupTexts.h"
#include "fileops/OperationFlags.h"
#include "fileops/OptionsRules.h"
#include "fileops/TreeWalk.h"
#include "platform/DosAttributes.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"
#include "platform/SafeCopy.h"
#include "platform/SafeRename.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace T = BackupTexts;

namespace {

// The kernel stamps times from a clock that may lag the one we read by a tick; a
// file changed just after the copy began must still count as changed.
constexpr long ClockTickNs = 20'000'000;

bool laterThan(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

struct timespec withMargin(struct timespec t)
{
    t.tv_nsec -= ClockTickNs;
    if (t.tv_nsec < 0) {
        t.tv_nsec += 1'000'000'000;
        --t.tv_sec;
    }
    return t;
}

SafeCopy::Stat statOf(const QString &path)
{
    try {
        return SafeCopy::lstatPath(ExactName::toBytes(path));
    } catch (const FileError &e) {
        throw RuntimeError::fromErrno(e.err, ExactName::shown(path));
    }
}

QString tailOf(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderOf(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p.left(p.lastIndexOf(QLatin1Char('/')) + 1);
}

// True when `folder` (resolved) is the item `st` or lies inside it, judged by device
// and inode so that neither a link nor a second mount can hide it.
bool isInside(const QString &folder, const struct stat &st)
{
    char real[PATH_MAX];
    if (!::realpath(ExactName::toBytes(folder).constData(), real))
        return false;
    for (QByteArray p(real);; p = SafeCopy::parentOf(p)) {
        struct stat s {};
        if (::stat(p.constData(), &s) == 0 && s.st_dev == st.st_dev && s.st_ino == st.st_ino)
            return true;
        if (p == "/" || p.isEmpty() || p == ".")
            return false;
    }
}

struct timespec now()
{
    struct timespec t {};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return t;
}

// A whole tree is unchanged since `since` when nothing in it changed, was added or
// renamed in it afterwards (the change time moves with all of these).
bool unchangedSince(const QString &path, const struct stat &top, const struct timespec &since)
{
    if (laterThan(top.st_ctim, since))
        return false;
    if (!S_ISDIR(top.st_mode))
        return true;
    TreeWalk walk;
    if (!walk.start(path))
        return false;
    QString folder;
    do {
        if (laterThan(walk.folderStat().st_ctim, since))
            return false;
        for (const TreeWalk::Entry &e : walk.entries())
            if (laterThan(e.st.st_ctim, since))
                return false;
    } while (walk.nextFolder(folder));
    return walk.notices().empty();
}

class BackupRun
{
public:
    BackupRun(AppState &state, Prompter &prompter, const FileCommandHooks &hooks, const QString &target,
              bool &handedOver)
        : handedOver(handedOver), m_state(state), m_prompter(prompter), m_hooks(hooks), m_target(target),
          m_greek(state.LanguageGreek)
    {
    }

    // False when the user cancelled the service's work: the run ends there.
    bool item(const QString &entry);
    bool &handedOver; // set once the service has been called

private:
    QString ask(const Bilingual &title, const Bilingual &prompt, const QString &shown, const QString &folder,
                QString &name);
    FileOperationOutcome run(FileOperationKind kind, const QStringList &sources, const QString &target,
                             std::uint32_t flags);
    void inform(const QString &title, const QString &text, PromptIcon icon = PromptIcon::Information)
    {
        m_prompter.inform(title, text, icon);
    }
    QString title() const { return T::VerifyTitle.in(m_greek); }
    FileItemReport copyItem(const QString &source, const SafeCopy::Stat &st, const QString &targetItem);
    void sourceAfterwards(const QString &source, const SafeCopy::Stat &st, const QString &copy,
                          const struct timespec &copyBegan);

    AppState &m_state;
    Prompter &m_prompter;
    const FileCommandHooks &m_hooks;
    const QString m_target;
    const bool m_greek;
};

FileOperationOutcome BackupRun::run(FileOperationKind kind, const QStringList &sources, const QString &target,
                                    std::uint32_t flags)
{
    handedOver = true;
    return m_hooks.run(FileOperationCall{kind, sources, target, flags, &m_prompter});
}

// The rename loop of the steps before and after the copy: asks until the answer is
// empty (the old name stays) or the item has been renamed without replacing anything.
// Returns the new path, or "" when the name stays.
QString BackupRun::ask(const Bilingual &title, const Bilingual &prompt, const QString &shown, const QString &folder,
                       QString &name)
{
    for (;;) {
        const QString answer = m_prompter
                                   .askText(title.in(m_greek),
                                            ExactName::shown(shown) + NewLine + NewLine + prompt.in(m_greek), QString())
                                   .trimmed();
        if (answer.isEmpty() || answer == name)
            return {};
        if (checkTypedName(answer) != TypedNameProblem::None) {
            inform(title.in(m_greek), T::BadName.in(m_greek).arg(ExactName::shown(answer)), PromptIcon::Critical);
            continue;
        }
        try {
            renameWithoutReplacing(folder, name, answer);
        } catch (const RuntimeError &e) {
            if (e.number != classicErrorNumber(EEXIST))
                throw;
            inform(title.in(m_greek),
                   T::NameInUseLead.in(m_greek) + ExactName::shown(answer) + T::NameInUseTail.in(m_greek),
                   PromptIcon::Critical);
            continue;
        }
        name = answer;
        return folder + answer;
    }
}

FileItemReport BackupRun::copyItem(const QString &source, const SafeCopy::Stat &st, const QString &targetItem)
{
    const int action = m_state.BackupTargetFolderAction;
    const SafeCopy::Stat namesake = statOf(targetItem);
    // The namesake is never the source, nor a folder holding it: then it stays and
    // the copy arrives beside it under a new name.
    const bool namesakeHoldsSource =
        namesake.exists && (namesake.sameItem(st) || (namesake.isDir() && isInside(folderOf(source), namesake.st)));
    const auto single = [&](const FileOperationOutcome &o) {
        return o.items.empty() ? FileItemReport{source, QString(), FileItemOutcome::Failed} : o.items.front();
    };
    if (namesakeHoldsSource) {
        return single(run(FileOperationKind::Copy, {source}, m_target, CopyFlagsFor(true, true)));
    }
    if (!(action >= 1 && action <= 4 && namesake.exists)) {
        const std::uint32_t flags = CopyFlagsFor(action != 5, action == 6);
        const FileItemReport report = single(run(FileOperationKind::Copy, {source}, m_target, flags));
        // A copy that is not whole is not a backup; one that did not merge into a
        // namesake is ours alone and goes again.
        const bool fresh = !namesake.exists || report.target != targetItem;
        if (report.outcome != FileItemOutcome::Complete && !report.target.isEmpty() && fresh) {
            run(FileOperationKind::Delete, {report.target}, QString(), FileOperationFlag::NoConfirmation);
            return FileItemReport{source, QString(), report.outcome};
        }
        return report;
    }

    // The namesake goes only once the copy is complete: the copy is made in a folder
    // of its own beside it, then the namesake is removed, then the copy moved in.
    const QByteArray staging = SafeCopy::temporaryPath(ExactName::toBytes(m_target));
    if (::mkdir(staging.constData(), 0700) != 0)
        throw RuntimeError::fromErrno(errno, ExactName::shown(m_target));
    const QString stagingPath = ExactName::fromBytes(staging) + QLatin1Char('/');
    const auto cleanUp = [&] {
        try {
            SafeCopy::removeTree(staging);
        } catch (...) {
        }
    };
    FileItemReport report;
    try {
        report = single(run(FileOperationKind::Copy, {source}, stagingPath, CopyFlagsFor(true, false)));
        if (report.outcome == FileItemOutcome::Complete) {
            run(FileOperationKind::Delete, {targetItem}, QString(), DeleteFlagsFor(action));
            // Declined or failed: the service asks about replacing, as a copy would.
            const FileItemReport placed =
                single(run(FileOperationKind::Move, {report.target}, m_target, CopyFlagsFor(true, false)));
            report.target = placed.target;
            report.outcome = placed.outcome;
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    return report;
}

void BackupRun::sourceAfterwards(const QString &source, const SafeCopy::Stat &st, const QString &copy,
                                 const struct timespec &copyBegan)
{
    const int action = m_state.BackupSourceFolderAction;
    if (action < 1 || action > 5)
        return;
    // The copy must be on the target's disk before the source is touched.
    try {
        SafeCopy::flushVolumeOf(ExactName::toBytes(copy));
    } catch (const FileError &e) {
        throw RuntimeError::fromErrno(e.err, ExactName::shown(copy));
    }
    const SafeCopy::Stat now = statOf(source);
    if (!now.sameItem(st))
        return; // gone, or something else stands there now: not what was copied
    if (action == 5) {
        const QStringList missed = MarkAsBackedUp(source, copyBegan, m_greek);
        if (!missed.isEmpty())
            inform(title(), T::NotMarked.in(m_greek).arg(ExactName::shown(source)) + NewLine + missed.join(NewLine),
                   PromptIcon::Warning);
        return;
    }
    const bool forGood = action == 3 || action == 4;
    if (forGood && !unchangedSince(source, now.st, withMargin(copyBegan))) {
        inform(title(), T::SourceChanged.in(m_greek).arg(ExactName::shown(source)), PromptIcon::Warning);
        return;
    }
    m_state.DeleteFlags = int(DeleteFlagsFor(action));
    run(FileOperationKind::Delete, {source}, QString(), DeleteFlagsFor(action));
}

bool BackupRun::item(const QString &entry)
{
    QString source = entry;
    QString name = tailOf(source);
    const QString sourceFolder = folderOf(source);
    if (m_state.BackupQueryBefore) {
        const QString renamed = ask(T::RenameSourceTitle, T::RenameSourcePrompt, name, sourceFolder, name);
        if (!renamed.isEmpty())
            source = renamed;
    }
    const SafeCopy::Stat st = statOf(source);
    if (!st.exists) {
        inform(title(), T::SourceMissing.in(m_greek).arg(ExactName::shown(source)), PromptIcon::Warning);
        return true;
    }
    if (st.isDir() && isInside(m_target, st.st)) {
        inform(title(), T::TargetInsideSource.in(m_greek).arg(ExactName::shown(source), ExactName::shown(m_target)),
               PromptIcon::Critical);
        return true;
    }
    const QString targetItem = m_target + name;
    if (m_state.BackupQueryIfNotFound && !statOf(targetItem).exists
        && !m_prompter.askYesNo(T::NotFoundTitle.in(m_greek),
                                ExactName::shown(name) + NewLine + NewLine + T::NotFoundLead.in(m_greek) + m_target
                                    + T::TargetClose.in(m_greek) + NewLine + NewLine
                                    + T::ProceedQuestion.in(m_greek)))
        return true;

    const struct timespec copyBegan = now();
    const FileItemReport report = copyItem(source, st, targetItem);
    if (report.outcome == FileItemOutcome::Cancelled)
        return false;
    if (report.outcome != FileItemOutcome::Complete || report.target.isEmpty()) {
        if (report.outcome == FileItemOutcome::Skipped)
            inform(title(), T::NotComplete.in(m_greek).arg(ExactName::shown(source)), PromptIcon::Warning);
        return true;
    }

    QString copy = report.target;
    if (m_state.BackupQueryAfter) {
        QString copyName = tailOf(copy);
        const QString renamed = ask(T::RenameTargetTitle, T::RenameTargetPrompt, copyName, folderOf(copy), copyName);
        if (!renamed.isEmpty())
            copy = renamed;
    }
    sourceAfterwards(source, st, copy, copyBegan);
    return true;
}

QString existingTarget(const QString &chosen, bool greek, Prompter &prompter)
{
    const QString target = FolderWithSeparator(chosen);
    struct stat st {};
    if (!target.startsWith(QLatin1Char('/')) || ::stat(ExactName::toBytes(target).constData(), &st) != 0
        || !S_ISDIR(st.st_mode)) {
        prompter.inform(T::VerifyTitle.in(greek), T::TargetMissing.in(greek).arg(ExactName::shown(chosen)),
                        PromptIcon::Critical);
        return {};
    }
    return target;
}

} // namespace

QString BackupVerificationText(const QString &target, bool greek)
{
    return T::VerifyLead.in(greek) + target + T::TargetClose.in(greek) + NewLine + NewLine
           + T::ProceedQuestion.in(greek);
}

QStringList MarkAsBackedUp(const QString &path, const struct timespec &copyBegan, bool greek)
{
    const struct timespec since = withMargin(copyBegan);
    const SafeCopy::Stat top = statOf(path);
    if (!top.exists)
        return {};
    if (S_ISREG(top.st.st_mode)) {
        if (!laterThan(top.st.st_mtim, since))
            clearArchive(path);
        return {};
    }
    if (!top.isDir())
        return {}; // a link, pipe, socket or device carries no attribute of its own
    TreeWalk walk;
    if (!walk.start(path))
        throw RuntimeError::fromErrno(walk.error(), ExactName::shown(path));
    QString folder = walk.folderPath();
    do {
        clearArchive(folder);
        for (const TreeWalk::Entry &e : walk.entries())
            if (S_ISREG(e.st.st_mode) && !laterThan(e.st.st_mtim, since))
                clearArchive(folder + ExactName::fromBytes(e.name));
    } while (walk.nextFolder(folder));
    QStringList missed;
    for (const TreeWalk::Notice &n : walk.notices())
        missed.append(describeWalkNotice(n, greek));
    return missed;
}

void BackupSelection(const QStringList &selectedNames, AppState &state, Prompter &prompter,
                     const FileCommandHooks &hooks)
{
    bool handedOver = false;
    RunTrapped(prompter, state, "084", [&] {
        const QStringList sources = SelectedItemPaths(state.CurrentPath, selectedNames);
        ShowOptionsFirst(state, OptionsPageOf::Backup, hooks.openOptions);
        const QString chosen = ChooseTarget(TargetOperation::Backup, state, hooks.target);
        if (chosen.isEmpty())
            return;
        if (state.BackupVerify
            && !prompter.askYesNo(T::VerifyTitle.in(state.LanguageGreek),
                                  BackupVerificationText(chosen, state.LanguageGreek)))
            return;
        const QString target = existingTarget(chosen, state.LanguageGreek, prompter);
        if (target.isEmpty())
            return;
        BackupRun run(state, prompter, hooks, target, handedOver);
        for (const QString &entry : sources)
            if (!run.item(entry))
                break;
        handedOver = true;
    });
    // Once anything was copied the file system has changed, even when the run ended
    // with an error part-way.
    if (handedOver)
        hooks.refreshFiles();
    else
        hooks.bringToFront();
}
