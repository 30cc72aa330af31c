#include "fileops/RootBackup.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/RootBackupGuard.h"
#include "fileops/RootBackupLists.h"
#include "fileops/RootBackupTexts.h"
#include "platform/DosAttributes.h"
#include "platform/ExactName.h"
#include "platform/FileOperation.h"
#include "platform/FileOperationTexts.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"
#include "platform/SafeCopy.h"
#include "platform/Trash.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace T = RootBackupTexts;

namespace {

constexpr int FailuresListed = 20;

QString greek(const Bilingual &text)
{
    return text.in(true);
}

QString shown(const QByteArray &path)
{
    return ExactName::shown(ExactName::fromBytes(path));
}

QString reasonOf(int err)
{
    namespace F = FileOperationTexts;
    switch (err) {
    case ENOENT:
        return greek(F::NoSuchItem);
    case EACCES:
    case EPERM:
        return greek(F::NoPermission);
    case ENOSPC:
    case EDQUOT:
        return greek(F::DiskFull);
    case ENAMETOOLONG:
        return greek(F::NameTooLong);
    case EROFS:
        return greek(F::ReadOnlyDisk);
    case EIO:
        return greek(F::ReadError);
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

// The standard report of the run is Greek, the system's reason included.
RuntimeError greekError(int err, const QString &path)
{
    return RuntimeError(classicErrorNumber(err), reasonOf(err) + QStringLiteral(": ") + path);
}

QByteArray realPath(const QByteArray &path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.constData(), buffer) ? QByteArray(buffer) : path;
}

struct Id
{
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Id &o) const { return dev == o.dev && ino == o.ino; }
};

// Forwards the service's progress inside a folder to the window, once per item.
class FolderProgress : public FileOperationProgress
{
public:
    FolderProgress(RootBackupObserver &observer, int done, int total) : m_observer(observer), m_done(done), m_total(total) {}

protected:
    void advanced() override
    {
        const QString name = currentName();
        if (name == m_last)
            return;
        m_last = name;
        m_observer.copying(m_done, m_total, name);
    }

private:
    RootBackupObserver &m_observer;
    int m_done;
    int m_total;
    QString m_last;
};

class Run
{
public:
    Run(Prompter &prompter, const AppState &state, RootBackupObserver &observer)
        : m_prompter(prompter), m_state(state), m_observer(observer)
    {
    }

    void go();
    RootBackupOutcome outcome;

private:
    void inform(const QString &text, PromptIcon icon) { m_prompter.inform(greek(T::Title), text, icon); }
    bool replaceTarget(const RootBackupVerdict &verdict);
    void copyFile(const RootBackupFileCopy &copy);
    void copyFolder(const RootBackupEntry &entry);
    void copyComments(const QStringList &files);
    void clearArchiveBits();
    QStringList commentFiles() const;
    bool copyFailedFor(const QByteArray &path) const;
    void fail(const QString &item, const QString &reason) { outcome.failures.append({item, reason}); }
    void stop(const QString &item, const QString &reason);
    void report();
    void next(const QString &item) { m_observer.copying(m_done++, m_total, item); }

    Prompter &m_prompter;
    const AppState &m_state;
    RootBackupObserver &m_observer;
    RootBackupLists m_lists;
    QString m_target;
    QByteArray m_targetBytes;
    int m_done = 0;
    int m_total = 0;
    QString m_stopItem;
    QString m_stopReason;
    QList<Id> m_failedFiles;
    QList<Id> m_failedFolders;
};

void Run::go()
{
    m_lists = ReadRootBackupLists(m_state);
    RootBackupGuardInput input;
    input.target = m_lists.target;
    input.home = QDir::homePath();
    input.dataFolder = m_state.DataFolder;
    for (const RootBackupFileCopy &copy : m_lists.files)
        input.sources.append(copy.source);
    for (const RootBackupEntry &folder : m_lists.folders) {
        input.sources.append(folder.path);
        input.sourceFolders.append(folder.path);
    }
    const RootBackupVerdict verdict = JudgeRootBackupTarget(input);
    if (verdict.refusal != RootBackupRefusal::None) {
        inform(RootBackupRefusalText(m_lists.target, verdict), PromptIcon::Critical);
        return;
    }
    m_target = verdict.cleanTarget;
    m_targetBytes = ExactName::toBytes(m_target);
    if (!replaceTarget(verdict))
        return;
    if (::mkdir(m_targetBytes.constData(), 0777) != 0)
        throw greekError(errno, ExactName::shown(m_target));

    m_observer.busy(true);
    auto idle = qScopeGuard([this] { m_observer.busy(false); });
    const QStringList comments = commentFiles();
    m_total = int(m_lists.files.size() + m_lists.folders.size()) + (comments.isEmpty() ? 0 : 1);
    for (const RootBackupFileCopy &copy : m_lists.files)
        if (m_stopItem.isEmpty())
            copyFile(copy);
    for (const RootBackupEntry &folder : m_lists.folders)
        if (m_stopItem.isEmpty())
            copyFolder(folder);
    if (!comments.isEmpty() && m_stopItem.isEmpty())
        copyComments(comments);
    // A stopped run marks nothing as backed up: the sources stay as they were.
    if (m_stopItem.isEmpty())
        clearArchiveBits();
    outcome.end = m_stopItem.isEmpty() ? RootBackupEnd::Completed : RootBackupEnd::Stopped;
    idle.dismiss();
    m_observer.busy(false);
    report();
}

bool Run::replaceTarget(const RootBackupVerdict &verdict)
{
    if (!verdict.exists) {
        const QString text = greek(T::FolderHead) + ExactName::shown(m_lists.target) + greek(T::TargetMissingTail)
                             + greek(T::GoOn);
        if (m_prompter.message(greek(T::Title), text, PromptIcon::NoIcon, {PromptButton::Yes, PromptButton::No},
                               PromptButton::Yes)
            != PromptButton::Yes) {
            outcome.end = RootBackupEnd::Declined;
            return false;
        }
        return true;
    }
    TrashCan trash;
    TrashCan::Outcome trashed = TrashCan::Outcome::Trashed;
    try {
        trashed = trash.moveToTrash(m_targetBytes);
        trash.finish();
    } catch (const FileError &e) {
        inform(greek(T::TrashFailed).arg(ExactName::shown(m_target), reasonOf(e.err)), PromptIcon::Critical);
        return false;
    }
    if (trashed == TrashCan::Outcome::Trashed)
        return true;
    // Nothing is deleted for good without the user's word, and Enter keeps it.
    if (m_prompter.message(greek(T::Title), greek(T::NoTrash).arg(ExactName::shown(m_target)), PromptIcon::Warning,
                           {PromptButton::Yes, PromptButton::No}, PromptButton::No)
        != PromptButton::Yes) {
        outcome.end = RootBackupEnd::Declined;
        return false;
    }
    try {
        SafeCopy::removeTree(m_targetBytes);
    } catch (const FileError &e) {
        throw greekError(e.err, shown(e.path));
    }
    return true;
}

void Run::copyFile(const RootBackupFileCopy &copy)
{
    const QByteArray source = ExactName::toBytes(copy.source);
    const QString item = ExactName::shown(copy.source);
    next(item);
    struct stat st;
    if (::stat(source.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        inform(greek(T::FileHead) + item + greek(T::NotSavedMid) + greek(T::NotSavedTail), PromptIcon::NoIcon);
        return;
    }
    const auto failed = [&](const QString &reason) {
        fail(item, reason);
        m_failedFiles.append({st.st_dev, st.st_ino});
    };
    const QByteArray destination = ExactName::toBytes(QDir::cleanPath(copy.destination));
    struct stat dst;
    const bool replace = ::lstat(destination.constData(), &dst) == 0;
    if (replace && S_ISDIR(dst.st_mode))
        return failed(greek(T::DestinationIsFolder).arg(shown(destination)));
    struct stat parent;
    if (::stat(SafeCopy::parentOf(destination).constData(), &parent) != 0 || !S_ISDIR(parent.st_mode))
        return failed(greek(T::NoDestinationFolder).arg(shown(SafeCopy::parentOf(destination))));
    try {
        SafeCopy::copyLeaf(realPath(source), destination, st,
                           replace ? SafeCopy::WriteMode::ReplaceViaTemp : SafeCopy::WriteMode::NewViaTemp, {});
    } catch (const FileError &e) {
        failed(reasonOf(e.err));
        if (e.err == ENOSPC || e.err == EDQUOT)
            stop(shown(destination), reasonOf(e.err));
    }
}

void Run::copyFolder(const RootBackupEntry &entry)
{
    const QByteArray listed = ExactName::toBytes(QDir::cleanPath(entry.path));
    const QString item = ExactName::shown(entry.path);
    next(item);
    struct stat st;
    if (::stat(listed.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        inform(greek(T::FolderHead) + item + greek(T::NotSavedMid) + greek(T::NotSavedTail), PromptIcon::Information);
        return;
    }
    // A listed link is followed: the user named it for its contents. Its copy keeps the
    // name the user gave, where that name is free.
    const QByteArray real = realPath(listed);
    const QByteArray copyName = SafeCopy::joinPath(m_targetBytes, SafeCopy::fileName(real));
    const QByteArray wanted = SafeCopy::joinPath(m_targetBytes, SafeCopy::fileName(listed));
    const bool rename = copyName != wanted && !SafeCopy::lstatPath(copyName).exists && !SafeCopy::lstatPath(wanted).exists;

    FileOperationRequest request;
    request.operation = FileOperationKind::Copy;
    request.sources = {ExactName::fromBytes(real)};
    request.target = m_target;
    request.languageGreek = true;
    FolderProgress progress(m_observer, m_done - 1, m_total);
    const FileOperationResult result = performFileOperation(request, m_prompter, progress);
    if (result.failed + result.skipped > 0 || result.cancelled)
        m_failedFolders.append({st.st_dev, st.st_ino});
    if (result.failed + result.skipped > 0)
        fail(item, greek(T::ItemsFailed).arg(result.failed + result.skipped));
    if (result.cancelled) {
        fail(item, greek(T::Cancelled));
        stop(item, greek(T::Cancelled));
        return;
    }
    if (rename && SafeCopy::lstatPath(copyName).exists) {
        try {
            SafeCopy::renameNoReplace(copyName, wanted);
        } catch (const FileError &e) {
            fail(item, reasonOf(e.err));
        }
    }
}

QStringList Run::commentFiles() const
{
    // One comments file per volume: the stem, a volume key of one or more characters,
    // and ".txt".
    const QString stem = QDir::cleanPath(m_state.CommentsFileStem);
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(
        stem.mid(stem.lastIndexOf(QLatin1Char('/')) + 1) + QStringLiteral("*") + QStringLiteral("?.txt")));
    const QByteArray folder = ExactName::toBytes(QDir::cleanPath(m_state.DataFolder));
    QStringList files;
    for (const QByteArray &name : SafeCopy::listFolder(folder)) {
        const QByteArray path = SafeCopy::joinPath(folder, name);
        struct stat st;
        if (pattern.match(ExactName::fromBytes(name)).hasMatch() && ::stat(path.constData(), &st) == 0
            && S_ISREG(st.st_mode))
            files.append(ExactName::fromBytes(path));
    }
    files.sort();
    return files;
}

void Run::copyComments(const QStringList &files)
{
    next(QDir::cleanPath(m_state.CommentsFileStem) + QStringLiteral("*.txt"));
    FileOperationRequest request;
    request.operation = FileOperationKind::Copy;
    request.sources = files;
    request.target = m_target;
    request.languageGreek = true;
    FolderProgress progress(m_observer, m_done - 1, m_total);
    const FileOperationResult result = performFileOperation(request, m_prompter, progress);
    const QString item = ExactName::shown(m_state.CommentsFileStem) + QStringLiteral("*.txt");
    if (result.failed + result.skipped > 0)
        fail(item, greek(T::ItemsFailed).arg(result.failed + result.skipped));
    if (result.cancelled) {
        fail(item, greek(T::Cancelled));
        stop(item, greek(T::Cancelled));
    }
}

bool Run::copyFailedFor(const QByteArray &path) const
{
    struct stat st;
    if (::stat(path.constData(), &st) == 0 && m_failedFiles.contains(Id{st.st_dev, st.st_ino}))
        return true;
    if (m_failedFolders.isEmpty())
        return false;
    for (QByteArray p = SafeCopy::parentOf(realPath(path));; p = SafeCopy::parentOf(p)) {
        if (::stat(p.constData(), &st) == 0 && m_failedFolders.contains(Id{st.st_dev, st.st_ino}))
            return true;
        if (p == "/" || p.isEmpty())
            return false;
    }
}

void Run::clearArchiveBits()
{
    for (const RootBackupEntry &entry : m_lists.attributes) {
        const QByteArray path = ExactName::toBytes(QDir::cleanPath(entry.path));
        const QString item = ExactName::shown(entry.path);
        struct stat st;
        if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
            inform(greek(T::AttributeHead) + item + greek(T::AttributeMid) + greek(T::AttributeTail),
                   PromptIcon::NoIcon);
            continue;
        }
        // A file whose copy failed has not been backed up.
        if (copyFailedFor(path)) {
            fail(item, greek(T::ArchiveKept));
            continue;
        }
        try {
            clearArchive(ExactName::fromBytes(realPath(path)));
        } catch (const RuntimeError &e) {
            fail(item, greek(T::ArchiveNotCleared).arg(e.description));
        }
    }
}

void Run::stop(const QString &item, const QString &reason)
{
    m_stopItem = item;
    m_stopReason = reason;
}

void Run::report()
{
    if (outcome.failures.isEmpty() && m_stopItem.isEmpty()) {
        inform(greek(T::Done), PromptIcon::Information);
        return;
    }
    QString text = m_stopItem.isEmpty()
                       ? greek(T::DoneWithFailures)
                       : greek(T::Stopped).arg(m_stopItem, m_stopReason) + NewLine + NewLine + greek(T::StoppedTail);
    text += NewLine;
    for (qsizetype i = 0; i < outcome.failures.size() && i < FailuresListed; ++i)
        text += NewLine + greek(T::FailureLine).arg(outcome.failures[i].item, outcome.failures[i].reason);
    if (outcome.failures.size() > FailuresListed)
        text += NewLine + greek(T::MoreFailures).arg(outcome.failures.size() - FailuresListed);
    inform(text, PromptIcon::Warning);
}

} // namespace

RootBackupOutcome RunRootBackup(Prompter &prompter, const AppState &state, RootBackupObserver &observer)
{
    // The standard report in Greek, as every message of the root backup.
    AppState greekState = state;
    greekState.LanguageGreek = true;
    Run run(prompter, state, observer);
    RunTrapped(prompter, greekState, "126", [&] { run.go(); });
    return run.outcome;
}
