#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh data folder for one start of the program: $TIDYHALL_HOME points at it and
// $TIDYHALL_OWNER_MARKER at a path inside it (absent until a test creates it), so
// each window a test loads has its own settings file, lock and help files.
class StartFolder
{
public:
    StartFolder();
    // Also writes `ini` as Tidyhall.ini.
    explicit StartFolder(const QByteArray &ini);

    QString path() const { return m_dir.path(); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Tidyhall.ini")); }
    QString markerPath() const { return m_dir.filePath(QStringLiteral("owner")); }
    // Points $TIDYHALL_OWNER_MARKER elsewhere (a hidden name, say).
    void setMarkerPath(const QString &path);

    void writeFile(const QString &name, const QByteArray &contents) const;
    QByteArray iniBytes() const;
    // A key as the file holds it; "<missing>" when it is not there.
    QString value(const char *section, const char *key) const;

private:
    QTemporaryDir m_dir;
};
