#include "ScratchMount.h"
#include "TestEnvironment.h"
#include "platform/Volumes.h"

#include <QDir>
#include <QtTest>

class VolumesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parsesMountInfo()
    {
        const QByteArray table =
            "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
            "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
            "40 22 8:17 / /media/My\\040Disk rw master:3 unbindable - vfat /dev/sdb1 rw,fmask=0022\n"
            "41 22 0:40 / /srv/share rw - cifs //server/A\\134B rw\n"
            "garbage line\n"
            "42 22 0:41 / relative rw - tmpfs tmpfs rw\n";
        const QList<Volume> v = parseMountInfo(table);
        QCOMPARE(v.size(), 4);
        QCOMPARE(v[0].mountPoint, QStringLiteral("/"));
        QCOMPARE(v[0].device, QStringLiteral("/dev/sda1"));
        QCOMPARE(v[0].fileSystemType, QStringLiteral("ext4"));
        // Optional fields before the "-" vary in number.
        QCOMPARE(v[2].mountPoint, QStringLiteral("/media/My Disk"));
        QCOMPARE(v[2].fileSystemType, QStringLiteral("vfat"));
        QCOMPARE(v[3].device, QStringLiteral("//server/A\\B"));
    }

    void userVolumes_data()
    {
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("shown");
        QTest::newRow("root") << "/" << "ext4" << true;
        QTest::newRow("usb stick") << "/media/usb" << "vfat" << true;
        QTest::newRow("desktop's media") << "/run/media/anna/USB" << "vfat" << true;
        QTest::newRow("tmp on tmpfs") << "/tmp" << "tmpfs" << true;
        QTest::newRow("container root") << "/" << "overlay" << true;
        QTest::newRow("proc") << "/proc" << "proc" << false;
        QTest::newRow("run") << "/run" << "tmpfs" << false;
        QTest::newRow("binfmt in proc") << "/proc/sys/fs/binfmt_misc" << "autofs" << false;
    }
    void userVolumes()
    {
        QFETCH(QString, mountPoint);
        QFETCH(QString, type);
        QFETCH(bool, shown);
        Volume v;
        v.mountPoint = mountPoint;
        v.fileSystemType = type;
        QCOMPARE(isUserVolume(v), shown);
    }

    void storeByType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<AttributeStore>("store");
        QTest::newRow("ext4") << "ext4" << AttributeStore::DosAttribXattr;
        QTest::newRow("vfat") << "vfat" << AttributeStore::FatIoctl;
        QTest::newRow("ntfs3") << "ntfs3" << AttributeStore::Ntfs3;
        QTest::newRow("ntfs-3g") << "fuseblk" << AttributeStore::Ntfs3g;
        QTest::newRow("cifs") << "cifs" << AttributeStore::Cifs;
        QTest::newRow("exfat") << "exfat" << AttributeStore::None;
    }
    void storeByType()
    {
        QFETCH(QString, type);
        QFETCH(AttributeStore, store);
        QCOMPARE(attributeStoreForType(type), store);
    }

    void volumeOfMountedPath()
    {
        const ScratchMount m = ScratchMount::memory("ramfs");
        if (!m.ok())
            QSKIP(qPrintable("cannot mount ramfs here: " + m.error()));
        QVERIFY(QDir().mkpath(m.path() + "/a/b"));
        QCOMPARE(volumeOf(m.path() + "/a/b").mountPoint, m.path());
        // A name not yet created belongs to the volume it would be created on.
        QCOMPARE(volumeOf(m.path() + "/a/new/deeper").mountPoint, m.path());
        QCOMPARE(volumeOf(m.path()).fileSystemType, QStringLiteral("ramfs"));
        QCOMPARE(attributeStoreFor(m.path()), AttributeStore::None);
        // The folder holding the mount point is on another volume.
        QVERIFY(volumeOf(m.path() + "/..").mountPoint != m.path());
    }

    void listsRealVolumesOnly()
    {
        const QList<Volume> volumes = listVolumes();
        QVERIFY(std::any_of(volumes.begin(), volumes.end(), [](const Volume &v) { return v.mountPoint == "/"; }));
        for (const Volume &v : volumes)
            QVERIFY2(!v.mountPoint.startsWith("/proc") && !v.mountPoint.startsWith("/sys"), qPrintable(v.mountPoint));
        QCOMPARE(volumeOf("/").mountPoint, QStringLiteral("/"));
    }

    void volumeKeys()
    {
        Volume v;
        v.mountPoint = "/";
        QCOMPARE(volumeKey(v), QStringLiteral("_"));
        v.mountPoint = "/media/usb";
        QCOMPARE(volumeKey(v), QStringLiteral("_media_usb"));
    }
};

TIDYHALL_TEST_MAIN(VolumesTest)
#include "tst_Volumes.moc"
