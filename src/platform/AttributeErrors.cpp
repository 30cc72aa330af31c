#include "platform/AttributeErrors.h"

#include "platform/DosAttributeTexts.h"
#include "platform/Volumes.h"

namespace {
RuntimeError both(const QString &greek, const QString &english)
{
    return RuntimeError(ErrorNumber::PathFileAccessError, greek + NewLine + english);
}
}

RuntimeError unreadableRecordError(const QString &path)
{
    const Bilingual &t = DosAttributeTexts::UnreadableDosRecord;
    return both(t.in(true).arg(path), t.in(false).arg(path));
}

RuntimeError dateOutOfRangeError(const QString &path)
{
    const Bilingual &t = DosAttributeTexts::DateOutOfRange;
    return both(t.in(true).arg(path), t.in(false).arg(path));
}

RuntimeError cannotKeepAttributeError(const QString &path, const Bilingual &attribute)
{
    const Volume v = volumeOf(path);
    const Bilingual &t = DosAttributeTexts::VolumeCannotKeepAttribute;
    return both(t.in(true).arg(v.mountPoint, v.fileSystemType, attribute.in(true), path),
                t.in(false).arg(v.mountPoint, v.fileSystemType, attribute.in(false), path));
}

RuntimeError cannotKeepCreationTimeError(const QString &path)
{
    const Volume v = volumeOf(path);
    const Bilingual &t = DosAttributeTexts::VolumeCannotKeepCreationTime;
    return both(t.in(true).arg(v.mountPoint, v.fileSystemType, path),
                t.in(false).arg(v.mountPoint, v.fileSystemType, path));
}

RuntimeError symlinkError(const QString &path)
{
    const Bilingual &t = DosAttributeTexts::SymlinkHasNoAttributes;
    return both(t.in(true).arg(path), t.in(false).arg(path));
}

RuntimeError notFileOrFolderError(const QString &path)
{
    const Bilingual &t = DosAttributeTexts::NotFileOrFolder;
    return both(t.in(true).arg(path), t.in(false).arg(path));
}
