#include "platform/PrivateProfile.h"

#include "platform/AtomicFile.h"
#include "platform/PrivateProfileTexts.h"
#include "platform/ProfileText.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <cerrno>

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

void writeStrings(const QList<Entry> &entries, const QString &filePath)
{
    if (filePath.isEmpty())
        throw RuntimeError::fromErrno(ENOENT, filePath);
    for (const Entry &e : entries) {
        if (e.section.trimmed().isEmpty() || e.key.trimmed().isEmpty())
            throw RuntimeError::fromErrno(EINVAL, filePath);
        // A line break in a value would end the line and start new keys or sections.
        if (e.value.contains(QLatin1Char('\n')) || e.value.contains(QLatin1Char('\r')))
            throw RuntimeError(ErrorNumber::BadFileName, PrivateProfileTexts::LineBreakInValue, filePath);
    }
    QByteArray existing;
    QFile current(filePath);
    const bool exists = current.exists();
    if (exists) {
        // A file we cannot read is never overwritten: its other settings would be lost.
        errno = 0;
        if (!current.open(QIODevice::ReadOnly))
            throw RuntimeError::fromFile(current, filePath);
        existing = current.readAll();
        current.close();
    }
    ProfileText profile = ProfileText::parse(existing);
    bool changed = false;
    for (const Entry &e : entries)
        changed = profile.setValue(e.section, e.key, e.value) || changed;
    if (!changed && exists)
        return;
    if (!profile.canSerialize())
        throw RuntimeError(ErrorNumber::PathFileAccessError, PrivateProfileTexts::CannotConvert, filePath);
    writeFileAtomically(filePath, profile.serialize());
}

bool writeString(const QString &section, const QString &key, const QString &value, const QString &filePath)
{
    try {
        writeStrings({{section, key, value}}, filePath);
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

}
