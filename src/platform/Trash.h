#pragma once

#include <QByteArray>
#include <QHash>
#include <ctime>
#include <sys/types.h>

// The freedesktop.org trash that GNOME, KDE, gio and trash-cli share: the home trash
// for items on the home volume, the volume's own trash for items elsewhere. One
// TrashCan serves one operation and remembers the trash of each volume it has met.
class TrashCan
{
public:
    enum class Outcome {
        Trashed,
        NoTrash,       // the item's volume has no trash we may use; nothing was changed
        AlreadyInTrash // the item lies in the trash already; nothing was changed
    };

    // Moves one item (an absolute path) to the trash. Throws FileError when the item
    // itself cannot be moved (vanished, no permission, a mount point).
    Outcome moveToTrash(const QByteArray &path);

    // Writes the size records of the folders trashed so far (the directorysizes cache).
    void finish();

    // "Path=" text: every byte but the unreserved ones and "/" as %XX.
    static QByteArray percentEncode(const QByteArray &path);
    // Local time, exactly YYYY-MM-DDThh:mm:ss.
    static QByteArray deletionDate(std::time_t when);
    // $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
    static QByteArray homeTrashPath();

private:
    struct Place
    {
        QByteArray trash;  // holds files/ and info/; empty when the volume has none
        QByteArray topdir; // the volume's top, empty for the home trash
    };
    struct FolderSize
    {
        QByteArray trash;
        QByteArray line;
    };

    Place placeFor(dev_t device, const QByteArray &realPath);
    Place homePlace();
    Place volumePlace(const QByteArray &topdir, dev_t device);

    QHash<dev_t, Place> m_places;
    QList<FolderSize> m_folderSizes;
};
