#include "TempTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

TempTree::TempTree()
{
    m_dir.setAutoRemove(true);
}

QString TempTree::path(const QString &relative) const
{
    return relative.isEmpty() ? root() : root() + QLatin1Char('/') + relative;
}

QString TempTree::file(const QString &relative, const QByteArray &contents, const QDateTime &modified)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(contents);
        f.flush(); // else closing writes the data and sets the modification time to now
        if (modified.isValid()) {
            f.setFileTime(modified, QFileDevice::FileModificationTime);
            f.setFileTime(modified, QFileDevice::FileAccessTime);
        }
        f.close();
    }
    return full;
}

QString TempTree::folder(const QString &relative)
{
    const QString full = path(relative);
    QDir().mkpath(full);
    return full;
}

QString TempTree::symlink(const QString &relative, const QString &target)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(full).constData());
    return full;
}

QByteArray TempTree::read(const QString &relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempTree::exists(const QString &relative) const
{
    return QFileInfo::exists(path(relative)) || QFileInfo(path(relative)).isSymLink();
}

QStringList everyNameUnder(const QString &root)
{
    QStringList names;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(root).relativeFilePath(it.next()));
    names.sort();
    return names;
}
