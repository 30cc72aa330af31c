#include "platform/FileOperationRemoval.h"

#include "platform/FileOperationTexts.h"
#include "platform/Trash.h"

#include "platform/ExactName.h"

namespace T = FileOperationTexts;

namespace {
constexpr int NamesListed = 10;
}

FileOperationRemoval::FileOperationRemoval(FileOperationContext &context) : m_ctx(context)
{
}

void FileOperationRemoval::run()
{
    QList<QByteArray> paths;
    for (const QString &source : m_ctx.request.sources)
        paths.append(ExactName::toBytes(source));
    if (paths.isEmpty())
        return;
    if (!m_ctx.hasFlag(FileOperationFlag::NoConfirmation) && !confirm()) {
        m_ctx.result.skipped += int(paths.size());
        return;
    }
    // Refused items are told about before anything is touched.
    QList<QByteArray> allowed;
    for (const QByteArray &path : std::as_const(paths))
        if (m_ctx.mayRemove(path))
            allowed.append(path);
    paths = allowed;
    if (paths.isEmpty())
        return;
    m_ctx.progress.itemsTotal = paths.size();
    if (m_ctx.hasFlag(FileOperationFlag::AllowUndo))
        trashAll(paths);
    else
        deleteForGood(paths);
}

bool FileOperationRemoval::confirm() const
{
    const bool trash = m_ctx.hasFlag(FileOperationFlag::AllowUndo);
    const QList<QString> &sources = m_ctx.request.sources;
    const QString text = sources.size() == 1
                             ? m_ctx.text(trash ? T::ConfirmTrashOne : T::ConfirmDeleteOne).arg(ExactName::shown(sources.first()))
                             : m_ctx.text(trash ? T::ConfirmTrashMany : T::ConfirmDeleteMany).arg(sources.size());
    // A deletion is not something to do by pressing Enter: No is the default.
    return m_ctx.prompter.message(m_ctx.title(), text, trash ? PromptIcon::Question : PromptIcon::Warning,
                                  {PromptButton::Yes, PromptButton::No}, PromptButton::No)
           == PromptButton::Yes;
}

void FileOperationRemoval::trashAll(const QList<QByteArray> &paths)
{
    TrashCan trash;
    QList<QByteArray> untrashable;
    try {
        for (const QByteArray &path : paths) {
            m_ctx.checkCancel();
            m_ctx.progress.setCurrentName(FileOperationContext::display(path));
            TrashCan::Outcome outcome = TrashCan::Outcome::Trashed;
            if (!m_ctx.attempt(path, [&] { outcome = trash.moveToTrash(path); }))
                continue;
            if (outcome == TrashCan::Outcome::AlreadyInTrash) {
                m_ctx.refuse(m_ctx.text(T::AlreadyInTrash).arg(FileOperationContext::display(path)));
                continue;
            }
            if (outcome == TrashCan::Outcome::NoTrash) {
                untrashable.append(path);
                continue;
            }
            ++m_ctx.result.done;
            m_ctx.progress.addItems(1);
        }
    } catch (const OperationCancelled &) {
        trash.finish();
        throw;
    }
    trash.finish();
    if (untrashable.isEmpty())
        return;
    // Never deleted for good without the user's word, and asked once for all of them.
    if (askDeleteUntrashable(untrashable))
        deleteForGood(untrashable);
    else
        m_ctx.result.skipped += int(untrashable.size());
}

bool FileOperationRemoval::askDeleteUntrashable(const QList<QByteArray> &paths) const
{
    QStringList names;
    for (qsizetype i = 0; i < paths.size() && i < NamesListed; ++i)
        names.append(FileOperationContext::display(paths[i]));
    if (paths.size() > NamesListed)
        names.append(m_ctx.text(T::AndMore).arg(paths.size() - NamesListed));
    const QString text = m_ctx.text(T::NoTrashQuestion).arg(QString::number(paths.size()), names.join(NewLine));
    return m_ctx.prompter.message(m_ctx.title(), text, PromptIcon::Warning, {PromptButton::Yes, PromptButton::No},
                                  PromptButton::No)
           == PromptButton::Yes;
}

void FileOperationRemoval::deleteForGood(const QList<QByteArray> &paths)
{
    for (const QByteArray &path : paths) {
        m_ctx.checkCancel();
        m_ctx.progress.setCurrentName(FileOperationContext::display(path));
        // The removal's threads may call this at once: it only reads the atomic cancel
        // flag, and asks nothing; an error or cancel reaches `attempt` on this thread.
        const bool removed = m_ctx.attempt(path, [&] {
            SafeCopy::removeTree(path, [this] { m_ctx.checkCancel(); });
        });
        if (removed) {
            ++m_ctx.result.done;
            m_ctx.progress.addItems(1);
        }
    }
}
