// Times the file-operation service beside the system's own tools on the same trees:
// copy vs cp -a, move across volumes vs mv, delete for good vs rm -rf, trash vs gio
// trash. Ours and theirs run in turn, pair by pair; prints the median of each side, the
// ratio of the medians, and the median of the pairs' ratios with their spread.
#include "BenchFigures.h"
#include "platform/FileOperation.h"
#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

class SilentPrompter : public Prompter
{
public:
    PromptButton message(const QString &, const QString &text, PromptIcon, const QList<PromptButton> &buttons,
                         PromptButton) override
    {
        std::fprintf(stderr, "unexpected question: %s\n", qPrintable(text));
        return buttons.constLast();
    }
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
};

constexpr int Runs = 3;
// Delete is quick and the machine's other work weighs on it: more pairs steady the median.
constexpr int DeletePairs = 7;

void run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    p.waitForFinished(-1);
    if (p.exitCode() != 0)
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
}

double seconds(const std::function<void()> &f)
{
    ::sync(); // the previous run's write-back is not this run's cost
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e9;
}

FileOperationResult ours(FileOperationKind kind, const QStringList &sources, const QString &target, int flags)
{
    SilentPrompter prompter;
    FileOperationRequest r;
    r.operation = kind;
    r.sources = sources;
    r.target = target;
    r.flags = flags | FileOperationFlag::NoConfirmation;
    return performFileOperation(r, prompter);
}

// An access ACL in the kernel's xattr form: owner rw, user 1234 rw, group r, mask rw,
// others nothing.
QByteArray sampleAcl()
{
    const unsigned char e[] = {2, 0, 0, 0,                                          // version
                               1, 0, 6, 0, 0xff, 0xff, 0xff, 0xff,                  // user::rw-
                               2, 0, 6, 0, 0xd2, 0x04, 0, 0,                        // user:1234:rw-
                               4, 0, 4, 0, 0xff, 0xff, 0xff, 0xff,                  // group::r--
                               0x10, 0, 6, 0, 0xff, 0xff, 0xff, 0xff,               // mask::rw-
                               0x20, 0, 0, 0, 0xff, 0xff, 0xff, 0xff};              // other::---
    return QByteArray(reinterpret_cast<const char *>(e), sizeof e);
}

// Every tenth file carries an ACL and every tenth DOS attributes, as a copy must keep
// them; one large file is sparse.
void makeTree(const QString &root, int folders, int filesPerFolder, int bigFiles, qint64 bigSize)
{
    QByteArray small(2048, 'x');
    const QByteArray acl = sampleAcl();
    for (int d = 0; d < folders; ++d) {
        const QString folder = root + QStringLiteral("/d%1").arg(d);
        QDir().mkpath(folder);
        for (int f = 0; f < filesPerFolder; ++f) {
            const QString name = folder + QStringLiteral("/f%1.txt").arg(f);
            QFile file(name);
            file.open(QIODevice::WriteOnly);
            small[0] = char('a' + f % 26);
            file.write(small.left(512 + (f * 37) % 1536));
            file.close();
            const QByteArray path = name.toUtf8();
            if (f % 10 == 0)
                ::setxattr(path.constData(), "system.posix_acl_access", acl.constData(), acl.size(), 0);
            if (f % 10 == 5)
                ::setxattr(path.constData(), "user.DOSATTRIB", "0x22", 4, 0);
        }
    }
    QFile sparse(root + QStringLiteral("/sparse.img"));
    sparse.open(QIODevice::WriteOnly);
    sparse.write(QByteArray(4096, 's'));
    sparse.seek((1LL << 30) - 4096);
    sparse.write(QByteArray(4096, 'e'));
    sparse.close();
    QByteArray block(1 << 20, 0);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char((i * 131) ^ (i >> 7));
    for (int b = 0; b < bigFiles; ++b) {
        QFile file(root + QStringLiteral("/big%1.bin").arg(b));
        file.open(QIODevice::WriteOnly);
        for (qint64 done = 0; done < bigSize; done += block.size())
            file.write(block);
    }
    ::sync();
}

// `levels` levels of `branches` folders; the folders of the last level hold the files.
void makeDeepTree(const QString &root, int levels, int branches, int filesPerFolder)
{
    QDir().mkpath(root);
    if (levels == 0) {
        const QByteArray small(700, 'y');
        for (int f = 0; f < filesPerFolder; ++f) {
            QFile file(root + QStringLiteral("/f%1.c").arg(f));
            file.open(QIODevice::WriteOnly);
            file.write(small.left(100 + (f * 53) % 600));
        }
        return;
    }
    for (int b = 0; b < branches; ++b)
        makeDeepTree(root + QStringLiteral("/d%1").arg(b), levels - 1, branches, filesPerFolder);
}

void report(const char *what, const std::vector<double> &mine, const char *tool, const std::vector<double> &theirs,
            double goal, double scale = 1, const char *unit = "s")
{
    const double a = median(mine);
    const double b = median(theirs);
    const PairedRatio paired = pairedRatio(mine, theirs);
    std::printf("%-34s ours %8.3f %-2s  %-10s %8.3f %-2s  ratio %.3f  paired %.3f (%.3f..%.3f, %zu pairs) "
                "(goal <= %.2f)\n",
                what, a * scale, unit, tool, b * scale, unit, a / b, paired.median, paired.min, paired.max,
                std::min(mine.size(), theirs.size()), goal);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    // gio's trash needs a session bus; start one for the whole run rather than per call.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && qEnvironmentVariableIsEmpty("TIDYHALL_BENCH_NO_BUS")) {
        qputenv("TIDYHALL_BENCH_NO_BUS", "1");
        std::vector<char *> args{const_cast<char *>("dbus-run-session"), const_cast<char *>("--")};
        for (int i = 0; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        ::execvp("dbus-run-session", args.data());
    }
    QCoreApplication app(argc, argv);
    // "bench_fileops copy move" measures only those; no argument measures all four.
    const QStringList wanted = app.arguments().mid(1);
    const auto measure = [&](const char *part) { return wanted.isEmpty() || wanted.contains(QLatin1String(part)); };
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/tidyhall-bench-XXXXXX"));
    QTemporaryDir other(QStringLiteral("/dev/shm/tidyhall-bench-XXXXXX"));
    qputenv("HOME", work.path().toUtf8());
    qputenv("XDG_DATA_HOME", (work.path() + QStringLiteral("/share")).toUtf8());
    const int folders = 100;
    const int perFolder = 200;
    const QString tree = work.path() + QStringLiteral("/tree");
    std::printf("making %d small files (ACLs and DOS attributes on a fifth), 2 files of 200 MB and a sparse "
                "file of 1 GB in %s\n",
                folders * perFolder, qPrintable(tree));
    std::fflush(stdout);
    makeTree(tree, folders, perFolder, 2, 200LL << 20);

    const QString copies = work.path() + QStringLiteral("/copies");
    std::vector<double> mine, theirs;
    for (int i = 0; i < Runs && measure("copy"); ++i) {
        QDir().mkpath(copies);
        mine.push_back(seconds([&] { ours(FileOperationKind::Copy, {tree}, copies, 0); }));
        run(QStringLiteral("rm"), {QStringLiteral("-rf"), copies});
        QDir().mkpath(copies);
        theirs.push_back(seconds([&] { run(QStringLiteral("cp"), {QStringLiteral("-a"), tree, copies + QStringLiteral("/tree")}); }));
        run(QStringLiteral("rm"), {QStringLiteral("-rf"), copies});
    }
    if (measure("copy"))
        report("copy (same volume)", mine, "cp -a", theirs, 0.8);

    mine.clear();
    theirs.clear();
    const QString moving = work.path() + QStringLiteral("/moving");
    if (other.isValid() && measure("move")) {
        for (int i = 0; i < Runs; ++i) {
            run(QStringLiteral("cp"), {QStringLiteral("-a"), tree, moving});
            mine.push_back(seconds([&] { ours(FileOperationKind::Move, {moving}, other.path(), 0); }));
            run(QStringLiteral("rm"), {QStringLiteral("-rf"), other.path() + QStringLiteral("/moving")});
            run(QStringLiteral("cp"), {QStringLiteral("-a"), tree, moving});
            theirs.push_back(seconds([&] { run(QStringLiteral("mv"), {moving, other.path()}); }));
            run(QStringLiteral("rm"), {QStringLiteral("-rf"), other.path() + QStringLiteral("/moving")});
        }
        report("move to another volume (/dev/shm)", mine, "mv", theirs, 1.05);
    }

    // Each pair starts from a fresh copy; which side goes first alternates, so that a
    // drift of the machine over the pair does not always favour the same side.
    const auto deletePairs = [&](const QString &source, const char *what) {
        std::vector<double> oursTimes, rmTimes;
        for (int i = 0; i < DeletePairs; ++i) {
            for (int side = 0; side < 2; ++side) {
                run(QStringLiteral("cp"), {QStringLiteral("-a"), source, moving});
                ::sync();
                if ((side + i) % 2 == 0)
                    oursTimes.push_back(seconds([&] { ours(FileOperationKind::Delete, {moving}, {}, 0); }));
                else
                    rmTimes.push_back(seconds([&] { run(QStringLiteral("rm"), {QStringLiteral("-rf"), moving}); }));
            }
        }
        report(what, oursTimes, "rm -rf", rmTimes, 0.70);
    };
    if (measure("delete")) {
        deletePairs(tree, "delete for good");
        // Many folders a few levels down under one: sharing has to find the branches.
        const QString deep = work.path() + QStringLiteral("/deep");
        std::printf("making a deep tree: 1 folder, then 3 levels of 5 folders, 150 small files in each of the "
                    "last (18750 files) in %s\n",
                    qPrintable(deep));
        std::fflush(stdout);
        makeDeepTree(deep + QStringLiteral("/src"), 3, 5, 150);
        ::sync();
        deletePairs(deep, "delete for good (deep tree)");
    }

    mine.clear();
    theirs.clear();
    const int trashCount = 5000;
    const QString loose = work.path() + QStringLiteral("/loose");
    for (int i = 0; i < Runs && measure("trash"); ++i) {
        QStringList items;
        const auto prepare = [&] {
            items.clear();
            QDir().mkpath(loose);
            for (int f = 0; f < trashCount; ++f) {
                items << loose + QStringLiteral("/item %1.txt").arg(f);
                QFile file(items.constLast());
                file.open(QIODevice::WriteOnly);
                file.write("x");
            }
        };
        prepare();
        mine.push_back(seconds([&] { ours(FileOperationKind::Delete, items, {}, FileOperationFlag::AllowUndo); }));
        run(QStringLiteral("rm"), {QStringLiteral("-rf"), work.path() + QStringLiteral("/share/Trash")});
        prepare();
        theirs.push_back(seconds([&] { run(QStringLiteral("gio"), QStringList{QStringLiteral("trash")} + items); }));
        run(QStringLiteral("rm"), {QStringLiteral("-rf"), work.path() + QStringLiteral("/share/Trash")});
    }
    for (double &t : mine)
        t /= trashCount;
    for (double &t : theirs)
        t /= trashCount;
    if (measure("trash"))
        report("trash, per item (5000 at once)", mine, "gio trash", theirs, 1.0, 1e3, "ms");
    return 0;
}
