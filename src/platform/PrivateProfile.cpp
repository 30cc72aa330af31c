#include "platform/PrivateProfile.h"

#include "platform/AtomicFile.h"
#include "platform/ProfileText.h"
#include "platform/RuntimeError.h"

#include <QFile>

namespace PrivateProfile {

QString readString(const QString &section, const QString &key, const QString &defaultText, int bufferSize,
                   const QString &filePath)
{
    if (bufferSize <= 0)
        return QString();
    QString value;
    QFile file(filePath);
    if (file.open(QIODevice::ReadOnly))
        value = ProfileText::parse(file.readAll()).value(section, key);
    if (value.isNull()) {
        value = defaultText;
        while (value.endsWith(QLatin1Char(' ')))
            value.chop(1);
    }
    // A value read into an n-character buffer keeps n - 1 characters and stops at a NUL.
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    if (nul >= 0)
        value.truncate(nul);
    if (value.size() > bufferSize - 1) {
        qsizetype keep = bufferSize - 1;
        if (keep > 0 && value.at(keep - 1).isHighSurrogate())
            --keep;
        value.truncate(keep);
    }
    return value;
}

QString readCommandLine(const QString &section, const QString &key, const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString value = ProfileText::parse(file.readAll()).rawValue(section, key);
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    if (nul >= 0)
        value.truncate(nul);
    return value;
}

bool writeString(const QString &section, const QString &key, const QString &value, const QString &filePath)
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty() || filePath.isEmpty())
        return false;
    QByteArray existing;
    QFile current(filePath);
    if (current.exists()) {
        // A file we cannot read is never overwritten: its other settings would be lost.
        if (!current.open(QIODevice::ReadOnly))
            return false;
        existing = current.readAll();
        current.close();
    }
    // A line break in a value would end the line and start new keys or sections.
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return false;
    ProfileText profile = ProfileText::parse(existing);
    if (!profile.setValue(section, key, value) && current.exists())
        return true;
    try {
        writeFileAtomically(filePath, profile.serialize());
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

}
