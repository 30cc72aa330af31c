// Reads every entry of a folder of N files (a third of them with a DOS record) the
// way the listing does, and prints the time beside `ls -la` over the same folder.
#include "platform/DosAttributes.h"
#include "platform/EntryInfo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 20000;
    QTemporaryDir dir;
    DosAttributes hidden;
    hidden.hidden = true;
    for (int i = 0; i < count; ++i) {
        const QString path = dir.path() + QStringLiteral("/file%1.txt").arg(i);
        QFile(path).open(QIODevice::WriteOnly);
        if (i % 3 == 0)
            writeAttributes(path, hidden);
    }
    const AttributeStore store = attributeStoreFor(dir.path());

    QElapsedTimer t;
    t.start();
    const int dirFd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *d = ::fdopendir(::dup(dirFd));
    int seen = 0, hiddenSeen = 0;
    while (dirent *e = ::readdir(d)) {
        if (e->d_name[0] == '.' && (!e->d_name[1] || (e->d_name[1] == '.' && !e->d_name[2])))
            continue;
        hiddenSeen += readEntryInfo(dirFd, e->d_name, store).hidden;
        ++seen;
    }
    ::closedir(d);
    ::close(dirFd);
    const qint64 ours = t.nsecsElapsed();

    t.restart();
    QProcess ls;
    ls.setStandardOutputFile(QProcess::nullDevice());
    ls.start(QStringLiteral("ls"), {QStringLiteral("-la"), dir.path()});
    ls.waitForFinished(-1);
    const qint64 reference = t.nsecsElapsed();

    std::printf("entries %d (hidden %d)\nreadEntryInfo: %.1f ms, %.2f us/entry\nls -la:        %.1f ms\nratio %.2f\n",
                seen, hiddenSeen, ours / 1e6, ours / 1e3 / seen, reference / 1e6, double(ours) / double(reference));
    return 0;
}
