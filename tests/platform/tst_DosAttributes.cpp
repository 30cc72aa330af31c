#include "ScratchMount.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/DosAttribRecord.h"
#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"

#include <QFile>
#include <QProcess>
#include <QtTest>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;
const QDateTime Feb2001(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

// What the attr package's getfattr sees: the program's records must be plain
// user.DOSATTRIB values that Samba and the shell tools read.
QByteArray getfattr(const QString &path, const char *name)
{
    QProcess p;
    p.start("getfattr", {"--absolute-names", "-n", name, "-e", "hex", path});
    p.waitForFinished();
    for (const QByteArray &line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith(QByteArray(name) + "=0x"))
            return QByteArray::fromHex(line.mid(qstrlen(name) + 3));
    return {};
}

bool keepsUserXattrs(const QString &folder)
{
    const QString probe = folder + "/.xattr-probe";
    QFile(probe).open(QIODevice::WriteOnly);
    const bool ok = ::setxattr(QFile::encodeName(probe).constData(), "user.probe", "1", 1, 0) == 0;
    QFile::remove(probe);
    return ok;
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// "RHSA": the letters of the attributes set.
DosAttributes attrs(const QString &letters)
{
    DosAttributes a;
    a.readOnly = letters.contains('R');
    a.hidden = letters.contains('H');
    a.system = letters.contains('S');
    a.archive = letters.contains('A');
    return a;
}

int errorNumberOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const RuntimeError &e) {
        return e.number;
    }
    return 0;
}

} // namespace

class DosAttributesTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;

    QString file(const QString &prefix)
    {
        return m_tree.file(prefix + QTest::currentDataTag(), "x", Feb2001);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!keepsUserXattrs(m_tree.root()))
            QSKIP("the temporary folder's file system keeps no user extended attributes");
        QCOMPARE(attributeStoreFor(m_tree.root()), AttributeStore::DosAttribXattr);
    }

    void roundTripOnLocalDisk_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("wanted");
        QTest::newRow("file R H S A") << false << "RHSA";
        QTest::newRow("file S, archive cleared") << false << "S";
        QTest::newRow("file nothing") << false << "";
        QTest::newRow("folder H A") << true << "HA";
    }
    void roundTripOnLocalDisk()
    {
        QFETCH(bool, folder);
        QFETCH(QString, wanted);
        const QString path = folder ? m_tree.folder(QString("rt-") + QTest::currentDataTag()) : file("rt-");
        DosAttributes expected = attrs(wanted);
        expected.directory = folder;
        QCOMPARE(writeAttributes(path, attrs(wanted)).bits(), expected.bits());
        QCOMPARE(readAttributes(path).bits(), expected.bits());
        QCOMPARE(bool(modeOf(path) & 0222), !expected.readOnly);

        const QByteArray blob = getfattr(path, "user.DOSATTRIB");
        QVERIFY2(blob.startsWith("0x"), blob.toHex().constData());
        const std::optional<DosAttribRecord> rec = decodeDosAttrib(blob);
        QVERIFY(rec);
        QCOMPARE(rec->version, 3);
        QCOMPARE(rec->attributes, expected.bits());
        QVERIFY(rec->hasCreateTime());
        // Changing it again keeps the creation time the record had.
        writeAttributes(path, attrs("A"));
        QCOMPARE(decodeDosAttrib(getfattr(path, "user.DOSATTRIB"))->createTime, rec->createTime);
        QVERIFY(modeOf(path) & S_IWUSR);
    }

    void archiveFollowsModification()
    {
        const QString path = m_tree.file("backed-up.txt", "old", Feb2001);
        QVERIFY(readAttributes(path).archive); // never marked
        clearArchive(path);
        QVERIFY(!readAttributes(path).archive);
        // Setting times is not a change of contents.
        writeTimes(path, std::nullopt, std::nullopt, Feb2001.addYears(4));
        QVERIFY(!readAttributes(path).archive);
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append) && f.write("new") == 3);
        f.close();
        QVERIFY(readAttributes(path).archive);
        // A folder goes by its stored bit alone.
        QVERIFY(!readAttributes(m_tree.folder("marked")).archive);
    }

    void hiddenByDotStaysHidden()
    {
        const QString path = m_tree.file(".profile", "x");
        QVERIFY(writeAttributes(path, attrs("A")).hidden);
        QVERIFY(hiddenByName(path));
        QCOMPARE(decodeDosAttrib(getfattr(path, "user.DOSATTRIB"))->attributes & DosAttribute::Hidden, 0u);
    }

    void timesRoundTrip()
    {
        const QString path = m_tree.file("times.txt", "x");
        const QDateTime accessed(QDate(2010, 1, 2), QTime(0, 0), Qt::UTC);
        const QDateTime modified(QDate(2011, 1, 2), QTime(3, 4, 5, 678), Qt::UTC);
        const FileTimes kept = writeTimes(path, Feb2001, accessed, modified);
        QCOMPARE(kept.created, Feb2001);
        QCOMPARE(kept.createdFrom, FileTimes::CreatedFrom::Stored);
        QCOMPARE(kept.accessed, accessed);
        QCOMPARE(kept.modified, modified);
        QCOMPARE(decodeDosAttrib(getfattr(path, "user.DOSATTRIB"))->createTime, 0x01c08d967db50500ULL);
        // Storing a creation time marks nothing as backed up.
        QVERIFY(readAttributes(path).archive);
        // What is not given stays as it was.
        const FileTimes again = writeTimes(path, std::nullopt, std::nullopt, Feb2001);
        QCOMPARE(again.created, Feb2001);
        QCOMPARE(again.accessed, accessed);
        QCOMPARE(again.modified, Feb2001);
        // A date no volume can hold is refused with nothing changed.
        const QDateTime before1601(QDate(1500, 1, 1), QTime(0, 0), Qt::UTC);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, QDateTime(), std::nullopt, std::nullopt); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, before1601, std::nullopt, Feb2001.addDays(1)); }), 75);
        QCOMPARE(readTimes(path).created, Feb2001);
        QCOMPARE(readTimes(path).modified, Feb2001);
    }

    void unreadableRecordsAreNeverRewritten_data()
    {
        QTest::addColumn<QByteArray>("blob");
        QTest::newRow("truncated v5") << QByteArray::fromHex("000005000500000011000000200000000005b57d968dc0");
        QTest::newRow("unknown version") << QByteArray::fromHex("000006000600000011000000200000000005b57d968dc001");
        QTest::newRow("not a record") << QByteArray("hello");
        QTest::newRow("oversized") << QByteArray("0x22") + QByteArray(400, 'z');
    }
    void unreadableRecordsAreNeverRewritten()
    {
        QFETCH(QByteArray, blob);
        const QString path = file("bad-");
        QCOMPARE(::setxattr(QFile::encodeName(path).constData(), "user.DOSATTRIB", blob.constData(), blob.size(), 0), 0);
        const DosAttributes a = readAttributes(path);
        QVERIFY(a.storedUnknown && a.archive);
        QVERIFY(!a.hidden && !a.system && !a.readOnly);
        QCOMPARE(errorNumberOf([&] { writeAttributes(path, attrs("HA")); }), 75);
        QCOMPARE(errorNumberOf([&] { clearArchive(path); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, Feb2001, std::nullopt, std::nullopt); }), 75);
        QCOMPARE(getfattr(path, "user.DOSATTRIB"), blob);
        QCOMPARE(modeOf(path) & 0200, mode_t(0200));
    }

    // The owner may change the attributes of a read-only file (write access is given
    // for the moment of writing only); others may not, and nothing stays half-done
    // where the record could be written but the permissions cannot.
    void asAnOrdinaryUser_data()
    {
        QTest::addColumn<bool>("owner");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("modeAfter");
        QTest::newRow("owner sets read-only") << true << 0444 << "RHA" << 0 << 0444;
        QTest::newRow("owner clears read-only") << true << 0444 << "HA" << 0 << 0644;
        QTest::newRow("others, 0644") << false << 0644 << "HA" << 70 << 0644;
        QTest::newRow("others, 0666, read-only") << false << 0666 << "RA" << 70 << 0666;
    }
    void asAnOrdinaryUser()
    {
        if (::getuid() != 0)
            QSKIP("needs root to act as another user");
        QFETCH(bool, owner);
        QFETCH(int, mode);
        QFETCH(QString, wanted);
        QFETCH(int, error);
        QFETCH(int, modeAfter);
        QVERIFY(::chmod(QFile::encodeName(m_tree.root()).constData(), 0755) == 0);
        const QString path = file("user-");
        const QByteArray native = QFile::encodeName(path);
        QVERIFY(!owner || ::chown(native.constData(), Nobody, Nobody) == 0);
        QVERIFY(::chmod(native.constData(), mode_t(mode)) == 0);
        QVERIFY(::seteuid(Nobody) == 0);
        const int number = errorNumberOf([&] { writeAttributes(path, attrs(wanted)); });
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(number, error);
        QCOMPARE(modeOf(path), mode_t(modeAfter));
        QCOMPARE(getfattr(path, "user.DOSATTRIB").isEmpty(), error != 0);
        if (!error)
            QCOMPARE(readAttributes(path).bits(), attrs(wanted).bits());
    }

    void symbolicLinksGetNoAttributes()
    {
        const QString target = m_tree.file("link-target.txt", "x");
        const QString link = m_tree.symlink("link", target);
        QCOMPARE(errorNumberOf([&] { writeAttributes(link, attrs("HSA")); }), 75);
        QCOMPARE(errorNumberOf([&] { clearArchive(link); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(link, std::nullopt, std::nullopt, Feb2001); }), 75);
        QVERIFY(getfattr(target, "user.DOSATTRIB").isEmpty());
        // Read, a link is what it points to, as in the listing.
        writeAttributes(target, attrs("HA"));
        QVERIFY(readAttributes(link).hidden);
    }

    void vanishedItem()
    {
        const QString gone = m_tree.path("gone.txt");
        QCOMPARE(errorNumberOf([&] { readAttributes(gone); }), 53);
        QCOMPARE(errorNumberOf([&] { writeAttributes(gone, DosAttributes()); }), 53);
        QCOMPARE(errorNumberOf([&] { readTimes(gone); }), 53);
    }

    void copyCarriesAttributesAndCreationTime()
    {
        const QString from = m_tree.file("copy-from.txt", "x");
        writeAttributes(from, attrs("HS"));
        writeTimes(from, Feb2001, std::nullopt, std::nullopt);
        const QString to = m_tree.file("copy-to.txt", "x");
        const DosCopyResult r = copyDosInformation(from, to);
        QVERIFY(r.attributesKept && r.creationTimeKept);
        QCOMPARE(readAttributes(to).bits(), attrs("HSA").bits()); // a copy is not backed up yet
        QCOMPARE(readTimes(to).created, Feb2001);
    }

    void volumeWithoutUserAttributes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("tmpfs") << "tmpfs";
        QTest::newRow("ramfs") << "ramfs";
    }
    void volumeWithoutUserAttributes()
    {
        QFETCH(QString, type);
        const ScratchMount m = ScratchMount::memory(type);
        if (!m.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount %1 here: %2").arg(type, m.error())));
        if (keepsUserXattrs(m.path()))
            QSKIP(qPrintable(QStringLiteral("%1 on this kernel keeps user attributes").arg(type)));
        const QString path = m.path() + "/plain.txt";
        QFile(path).open(QIODevice::WriteOnly);
        try {
            writeAttributes(path, attrs("SA"));
            QFAIL("System was accepted by a volume that cannot keep it");
        } catch (const RuntimeError &e) {
            QVERIFY2(e.description.contains(m.path()), qPrintable(e.description));
        }
        QCOMPARE(errorNumberOf([&] { clearArchive(path); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, Feb2001, std::nullopt, std::nullopt); }), 75);
        // Read-only lives in the permissions and works everywhere.
        QVERIFY(writeAttributes(path, attrs("RA")).readOnly);
        QCOMPARE(modeOf(path) & 0222, mode_t(0));
        QVERIFY(!writeAttributes(path, attrs("A")).readOnly);
        // A copy there keeps what it can and says what it could not.
        const QString from = m_tree.file(QString("to-") + type, "x");
        writeAttributes(from, attrs("HA"));
        QVERIFY(!copyDosInformation(from, path).attributesKept);
    }

    void fatVolume()
    {
        ScratchMount m = ScratchMount::image(16, {"mkfs.vfat"}, {"mount", "-o", "loop"});
        if (!m.ok())
            QSKIP(qPrintable("cannot loop-mount a vfat image here: " + m.error()));
        QCOMPARE(attributeStoreFor(m.path()), AttributeStore::FatIoctl);
        const QString path = m.path() + "/FILE.TXT";
        QFile(path).open(QIODevice::WriteOnly);
        writeAttributes(path, attrs("HS"));
        QProcess p;
        p.start("fatattr", {path});
        p.waitForFinished();
        const QString shown = QString::fromLocal8Bit(p.readAllStandardOutput()).section(path, 0, 0);
        QVERIFY2(shown.contains('h') && shown.contains('s') && !shown.contains('a'), qPrintable(shown));
        QCOMPARE(errorNumberOf([&] { writeTimes(path, Feb2001, std::nullopt, std::nullopt); }), 75);
    }

    void ntfsVolume()
    {
        ScratchMount m = ScratchMount::image(8, {"mkntfs", "-q", "-F", "-f"}, {"ntfs-3g"});
        if (!m.ok())
            QSKIP(qPrintable("cannot mount an NTFS image with ntfs-3g here: " + m.error()));
        QCOMPARE(attributeStoreFor(m.path()), AttributeStore::Ntfs3g);
        const QString path = m.path() + "/file.txt";
        QFile(path).open(QIODevice::WriteOnly);
        QCOMPARE(writeAttributes(path, attrs("HSA")).bits(), attrs("HSA").bits());
        QCOMPARE(getfattr(path, "system.ntfs_attrib_be").toHex(), QByteArray("00000026"));
        QVERIFY(getfattr(path, "user.DOSATTRIB").isEmpty()); // it would become a data stream
        clearArchive(path);
        QCOMPARE(getfattr(path, "system.ntfs_attrib_be").toHex(), QByteArray("00000006"));
        QCOMPARE(writeTimes(path, Feb2001, std::nullopt, std::nullopt).created, Feb2001);
        QCOMPARE(getfattr(path, "system.ntfs_crtime_be").toHex(), QByteArray("01c08d967db50500"));
        const QString folder = m.path() + "/dir";
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(writeAttributes(folder, attrs("H")).directory);
        QCOMPARE(getfattr(folder, "system.ntfs_attrib_be").toHex(), QByteArray("00000012"));
    }
};

TIDYHALL_TEST_MAIN(DosAttributesTest)
#include "tst_DosAttributes.moc"
