#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder tree for tests: files with given contents and times, folders,
// and symbolic links, all removed when the fixture goes.
class TempTree
{
public:
    TempTree();
    QString root() const { return m_dir.path(); }
    // The full path of `relative`.
    QString path(const QString &relative) const;

    QString file(const QString &relative, const QByteArray &contents = {}, const QDateTime &modified = {});
    QString folder(const QString &relative);
    QString symlink(const QString &relative, const QString &target);
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

// Every name under `root`, relative and sorted, hidden ones included, so that a
// temporary left behind by an operation shows.
QStringList everyNameUnder(const QString &root);
