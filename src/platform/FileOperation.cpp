#include "platform/FileOperation.h"

#include "platform/FileOperationContext.h"
#include "platform/FileOperationRemoval.h"
#include "platform/FileOperationTexts.h"
#include "platform/FileOperationTransfer.h"

#include <QFileInfo>

namespace T = FileOperationTexts;

QStringList pathsFromItemListText(const QString &itemListText)
{
    QStringList paths;
    qsizetype start = 0;
    while (start < itemListText.size()) {
        const qsizetype nul = itemListText.indexOf(QChar(0), start);
        const qsizetype end = nul < 0 ? itemListText.size() : nul;
        if (end == start)
            break; // the second NUL of the terminating pair
        paths.append(itemListText.mid(start, end - start));
        start = end + 1;
    }
    return paths;
}

namespace {

// Bad input is told about once, before anything is touched.
bool requestIsSound(FileOperationContext &ctx)
{
    for (const QString &source : ctx.request.sources) {
        if (!source.startsWith(QLatin1Char('/')) || source == QLatin1String("/")) {
            ctx.result.failed = int(ctx.request.sources.size());
            ctx.prompter.inform(ctx.title(), ctx.text(T::NotFullPath).arg(source), PromptIcon::Critical);
            return false;
        }
    }
    if (ctx.request.operation == FileOperationKind::Delete || ctx.request.sources.isEmpty())
        return true;
    const QFileInfo target(ctx.request.target);
    const Bilingual *problem = nullptr;
    if (!ctx.request.target.startsWith(QLatin1Char('/')) || !target.exists())
        problem = &T::TargetMissing;
    else if (!target.isDir())
        problem = &T::TargetNotFolder;
    if (!problem)
        return true;
    ctx.result.failed = int(ctx.request.sources.size());
    ctx.prompter.inform(ctx.title(), ctx.text(*problem).arg(ctx.request.target), PromptIcon::Critical);
    return false;
}

} // namespace

FileOperationResult performFileOperation(const FileOperationRequest &request, Prompter &prompter,
                                         FileOperationProgress &progress)
{
    FileOperationContext ctx(request, prompter, progress);
    if (!requestIsSound(ctx))
        return ctx.result;
    try {
        if (request.operation == FileOperationKind::Delete)
            FileOperationRemoval(ctx).run();
        else
            FileOperationTransfer(ctx).run();
    } catch (const OperationCancelled &) {
        ctx.result.cancelled = true;
    } catch (const FileError &e) {
        // Every step asks about its own errors; this is the last guard, so that a fault
        // never ends the program's command silently.
        ++ctx.result.failed;
        ctx.prompter.inform(ctx.title(), ctx.describeError(e.err) + NewLine + FileOperationContext::display(e.path),
                            PromptIcon::Critical);
    }
    return ctx.result;
}

FileOperationResult performFileOperation(const FileOperationRequest &request, Prompter &prompter)
{
    FileOperationProgress progress;
    return performFileOperation(request, prompter, progress);
}
