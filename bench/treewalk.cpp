// The Archive-bit check over a tree of about 55,000 entries (folders five deep, each
// file with a user.DOSATTRIB record) beside `find TREE -printf '%p %s\n'` over the
// same tree, the two run in turn, pair by pair; then the check's peak memory, measured
// in a child process of its own.
#include "BenchFigures.h"
#include "inspect/ArchiveCheck.h"
#include "platform/DosAttributes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Branches = 4;       // sub-folders per folder
constexpr int Depth = 5;          // levels of folders below the root
constexpr int FilesPerFolder = 39;

int g_entries = 0;

void build(const QByteArray &folder, int level, const QByteArray &record)
{
    for (int i = 0; i < FilesPerFolder; ++i) {
        const QByteArray path = folder + "/file" + QByteArray::number(i) + ".dat";
        QFile f(QString::fromUtf8(path));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(i * 7, 'x'));
        f.close();
        ::setxattr(path.constData(), "user.DOSATTRIB", record.constData(), record.size(), 0);
        ++g_entries;
    }
    if (level == Depth)
        return;
    for (int i = 0; i < Branches; ++i) {
        const QByteArray sub = folder + "/folder" + QByteArray::number(i);
        ::mkdir(sub.constData(), 0755);
        ++g_entries;
        build(sub, level + 1, record);
    }
}

double runCheck(const QString &root, std::int64_t &found)
{
    QElapsedTimer t;
    t.start();
    found = RunArchiveCheck(root, QStringLiteral("*.*")).found.size();
    return t.nsecsElapsed() / 1e6;
}

double runFind(const QString &root)
{
    QElapsedTimer t;
    t.start();
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"), {root, QStringLiteral("-printf"), QStringLiteral("%p %s\n")});
    find.waitForFinished(-1);
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    // A second argument keeps the tree in that folder (made on the first run, reused
    // after), so that a profiler sees the check and not the building.
    QTemporaryDir temporary;
    const QString base = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const QString root = base + QStringLiteral("/tree");
    const bool reuse = argc > 2 && QFile::exists(root);
    ::mkdir(QFile::encodeName(root).constData(), 0755);

    // One real record, as the program writes it, copied onto every file: half of the
    // files read as backed up, half (changed since) as needing a backup.
    const QString sample = base + QStringLiteral("/sample");
    QFile(sample).open(QIODevice::WriteOnly);
    clearArchive(sample);
    char buffer[256];
    const ssize_t n = ::getxattr(QFile::encodeName(sample).constData(), "user.DOSATTRIB", buffer, sizeof buffer);
    if (n <= 0) {
        std::printf("this volume keeps no user.DOSATTRIB; run the benchmark on ext4, xfs or btrfs\n");
        return 1;
    }
    if (!reuse) {
        build(QFile::encodeName(root), 0, QByteArray(buffer, int(n)));
        std::printf("tree: %d entries, %d levels of folders\n", g_entries + 1, Depth);
    }

    std::int64_t found = 0;
    runCheck(root, found); // both warm
    runFind(root);
    std::vector<double> check;
    std::vector<double> find;
    for (int i = 0; i < pairs; ++i) {
        check.push_back(runCheck(root, found));
        find.push_back(runFind(root));
        std::printf("pair %d: check %.1f ms, find %.1f ms, ratio %.2f\n", i + 1, check.back(), find.back(),
                    check.back() / find.back());
    }
    std::printf("items found %lld\n", static_cast<long long>(found));
    std::printf("median: check %.1f ms, find %.1f ms, ratio %.2f (goal <= 1.30)\n", median(check), median(find),
                median(check) / median(find));

    const pid_t child = ::fork();
    if (child == 0) {
        std::int64_t ignored = 0;
        runCheck(root, ignored);
        ::_exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    std::printf("peak memory of the check (child process): %.1f MiB (goal < 100 MiB)\n", usage.ru_maxrss / 1024.0);
    return 0;
}
