#include "StartFolder.h"

#include "platform/PrivateProfile.h"

#include <QFile>

StartFolder::StartFolder()
{
    qputenv("TIDYHALL_HOME", m_dir.path().toUtf8());
    qputenv("TIDYHALL_OWNER_MARKER", markerPath().toUtf8());
}

StartFolder::StartFolder(const QByteArray &ini) : StartFolder()
{
    writeFile(QStringLiteral("Tidyhall.ini"), ini);
}

void StartFolder::setMarkerPath(const QString &path)
{
    qputenv("TIDYHALL_OWNER_MARKER", path.toUtf8());
}

void StartFolder::writeFile(const QString &name, const QByteArray &contents) const
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
}

QByteArray StartFolder::iniBytes() const
{
    QFile f(iniPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString StartFolder::value(const char *section, const char *key) const
{
    return PrivateProfile::readString(QString::fromLatin1(section), QString::fromLatin1(key),
                                      QStringLiteral("<missing>"), 1024, iniPath());
}
