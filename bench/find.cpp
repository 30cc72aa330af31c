// Speed of Find on a tree of about 100,000 entries, beside the reference tools on the
// same tree, run in turn so that both meet the same page cache:
//   by name pattern   against  find TREE -xdev -iname PATTERN
//   by contained text against  grep -rl TEXT TREE
// and the time from starting a search to its first result when one lies in the start
// folder (the Find window collects results every 30 ms on top of this).
//
//   bench_find [--dir PARENT] [--runs N]   build the tree (or reuse it) and measure
#include "BenchFigures.h"
#include "inspect/FindSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int FolderCount = 1000;
constexpr int FilesPerFolder = 99; // with the folders: 100,000 entries
const QString Pattern = QStringLiteral("*42*.txt");
const QByteArray Token = "tidyhall-needle-7f3";

// Folders ten to a level, files of a few hundred bytes; one file in a hundred holds the token.
void buildTree(const QString &root)
{
    QByteArray filler;
    for (int i = 0; i < 40; ++i)
        filler += "the quick brown fox jumps over the lazy dog " + QByteArray::number(i) + '\n';
    for (int f = 0; f < FolderCount; ++f) {
        const QString folder = root + QStringLiteral("/d%1/d%2/d%3").arg(f / 100).arg(f / 10 % 10).arg(f % 10);
        QDir().mkpath(folder);
        for (int i = 0; i < FilesPerFolder; ++i) {
            const int n = f * FilesPerFolder + i;
            const QString name = (n % 3 ? QStringLiteral("file%1.txt") : QStringLiteral("Έγγραφο%1.TXT")).arg(n);
            QFile file(folder + QLatin1Char('/') + name);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(file.fileName()));
            file.write(filler.left(200 + n % 1500));
            if (n % 100 == 7)
                file.write(Token + '\n');
        }
    }
}

int countEntries(const QString &root)
{
    QProcess p;
    p.start(QStringLiteral("find"), {root, QStringLiteral("-mindepth"), QStringLiteral("1")});
    p.waitForFinished(-1);
    return int(p.readAllStandardOutput().count('\n'));
}

// Runs the tool with its output read (as ours is collected); returns milliseconds and lines.
double runTool(const QString &program, const QStringList &args, int *lines)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    *lines = int(p.readAllStandardOutput().count('\n'));
    return ms;
}

double runOurs(const FindCriteria &c, int *found)
{
    QElapsedTimer t;
    t.start();
    FindSearch s(c);
    s.run();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    *found = int(s.takeFound().size());
    return ms;
}

double firstResultMs(const QString &root)
{
    FindSearch s(FindCriteria{root, QStringLiteral("first*"), true, {}, {}, {}, FindKinds::Both});
    QElapsedTimer t;
    t.start();
    s.start();
    while (!s.finished() && s.foundCount() == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const double ms = double(t.nsecsElapsed()) / 1e6;
    s.stop();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString parent;
    int runs = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir"))
            parent = args[++i];
        else if (args[i] == QLatin1String("--runs"))
            runs = args[++i].toInt();
    }
    QTemporaryDir scratch(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/bench_find-XXXXXX")
                                           : parent + QStringLiteral("/bench_find-XXXXXX"));
    const QString root = scratch.path() + QStringLiteral("/tree");
    QElapsedTimer build;
    build.start();
    buildTree(root);
    QFile first(root + QStringLiteral("/first-result.txt"));
    first.open(QIODevice::WriteOnly);
    first.close();
    std::printf("tree: %d entries, built in %.1f s\n", countEntries(root), double(build.elapsed()) / 1000);

    FindCriteria byName{root, Pattern, true, {}, {}, {}, FindKinds::Both};
    FindCriteria byText{root, QString(), true, QString::fromLatin1(Token), {}, {}, FindKinds::Both};

    std::vector<double> oursName, findName, oursText, grepText;
    int ours = 0, theirs = 0;
    // One warm-up of each fills the page cache.
    runOurs(byText, &ours);
    runTool(QStringLiteral("grep"), {QStringLiteral("-rl"), QString::fromLatin1(Token), root}, &theirs);
    for (int r = 0; r < runs; ++r) {
        oursName.push_back(runOurs(byName, &ours));
        findName.push_back(runTool(QStringLiteral("find"), {root, QStringLiteral("-xdev"), QStringLiteral("-iname"), Pattern}, &theirs));
    }
    std::printf("name %-12s ours %8.1f ms (%d found)   find -iname %8.1f ms (%d found)   ratio %.2f (goal <= 1.2)\n",
                qPrintable(Pattern), median(oursName), ours, median(findName), theirs, median(oursName) / median(findName));
    for (int r = 0; r < runs; ++r) {
        oursText.push_back(runOurs(byText, &ours));
        grepText.push_back(runTool(QStringLiteral("grep"), {QStringLiteral("-rl"), QString::fromLatin1(Token), root}, &theirs));
    }
    std::printf("text %-12s ours %8.1f ms (%d found)   grep -rl    %8.1f ms (%d found)   ratio %.2f (goal <= 1.5)\n",
                Token.constData(), median(oursText), ours, median(grepText), theirs, median(oursText) / median(grepText));
    std::vector<double> firsts;
    for (int r = 0; r < runs; ++r)
        firsts.push_back(firstResultMs(root));
    std::printf("first result in the start folder: %.2f ms after starting (goal: on screen within 100 ms)\n",
                median(firsts));
    std::printf("medians of %d runs each, taken in turn\n", runs);
    return 0;
}
