#include "platform/FileOperation.h"

#include "platform/FileOperationContext.h"
#include "platform/FileOperationRemoval.h"
#include "platform/FileOperationTexts.h"
#include "platform/FileOperationTransfer.h"
#include "platform/ExactName.h"
#include "platform/PathIdentity.h"


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
// A path is taken as it stands, never cleaned: "/x/.." cleaned to "/" would name an
// item nobody chose. Whoever builds the request makes its paths normal.
bool requestIsSound(FileOperationContext &ctx)
{
    const auto refuseAll = [&](const Bilingual &problem, const QString &path) {
        ctx.result.failed = int(ctx.request.sources.size());
        ctx.prompter.inform(ctx.title(), ctx.text(problem).arg(ExactName::shown(path)), PromptIcon::Critical);
        return false;
    };
    for (const QString &source : ctx.request.sources) {
        if (!source.startsWith(QLatin1Char('/')))
            return refuseAll(T::NotFullPath, source);
        if (source == QLatin1String("/"))
            return refuseAll(T::RefuseRoot, source);
        // A trailing "/" would make the kernel follow a link the user chose as a link.
        if (!PathIdentity::isNormal(source) || source.endsWith(QLatin1Char('/')))
            return refuseAll(T::NotNormalPath, source);
    }
    if (ctx.request.operation == FileOperationKind::Delete || ctx.request.sources.isEmpty())
        return true;
    const QString &target = ctx.request.target;
    if (!target.startsWith(QLatin1Char('/')))
        return refuseAll(T::TargetMissing, target);
    if (!PathIdentity::isNormal(target))
        return refuseAll(T::NotNormalPath, target);
    const auto found = PathIdentity::followedIdentity(ExactName::toBytes(target));
    if (!found)
        return refuseAll(T::TargetMissing, target);
    if (!found->isFolder())
        return refuseAll(T::TargetNotFolder, target);
    return true;
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
        ctx.prompter.inform(ctx.title(), ctx.describeError(e.err) + NewLine + FileOperationContext::display(ctx.userPath(e.path)),
                            PromptIcon::Critical);
    }
    return ctx.result;
}

FileOperationResult performFileOperation(const FileOperationRequest &request, Prompter &prompter)
{
    FileOperationProgress progress;
    return performFileOperation(request, prompter, progress);
}
