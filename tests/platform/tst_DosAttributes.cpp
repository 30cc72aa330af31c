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
    p.start(QStringLiteral("getfattr"), {QStringLiteral("--absolute-names"), QStringLiteral("-n"),
                                        QString::fromLatin1(name), QStringLiteral("-e"), QStringLiteral("hex"), path});
    p.waitForFinished();
    for (const QByteArray &line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith(QByteArray(name) + "=0x"))
            return QByteArray::fromHex(line.mid(qstrlen(name) + 3));
    return {};
}

void setRaw(const QString &path, const QByteArray &value)
{
    QCOMPARE(::setxattr(QFile::encodeName(path).constData(), "user.DOSATTRIB", value.constData(),
                        size_t(value.size()), 0),
             0);
}

bool keepsUserXattrs(const QString &folder)
{
    const QString probe = folder + QStringLiteral("/.xattr-probe");
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

DosAttributes make(bool hidden, bool system, bool readOnly, bool archive)
{
    DosAttributes a;
    a.hidden = hidden;
    a.system = system;
    a.readOnly = readOnly;
    a.archive = archive;
    return a;
}

// Runs `action` with the effective user `uid`, as an ordinary user would.
template <typename F> void asUser(uid_t uid, F action)
{
    QVERIFY(::seteuid(uid) == 0);
    try {
        action();
    } catch (...) {
        QVERIFY(::seteuid(0) == 0);
        throw;
    }
    QVERIFY(::seteuid(0) == 0);
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
        QTest::addColumn<DosAttributes>("wanted");
        QTest::newRow("file H") << false << make(true, false, false, true);
        QTest::newRow("file S, archive cleared") << false << make(false, true, false, false);
        QTest::newRow("file R H S A") << false << make(true, true, true, true);
        QTest::newRow("file nothing") << false << make(false, false, false, false);
        QTest::newRow("folder H A") << true << make(true, false, false, true);
        QTest::newRow("folder S") << true << make(false, true, false, false);
    }
    void roundTripOnLocalDisk()
    {
        QFETCH(bool, folder);
        QFETCH(DosAttributes, wanted);
        const QString path = folder ? m_tree.folder(QStringLiteral("rt-%1").arg(QTest::currentDataTag()))
                                    : m_tree.file(QStringLiteral("rt-%1").arg(QTest::currentDataTag()), "x");
        const DosAttributes back = writeAttributes(path, wanted);
        wanted.directory = folder;
        QCOMPARE(back.bits(), wanted.bits());
        QCOMPARE(readAttributes(path).bits(), wanted.bits());

        const QByteArray blob = getfattr(path, "user.DOSATTRIB");
        QVERIFY2(blob.startsWith("0x"), blob.toHex().constData());
        const std::optional<DosAttribRecord> rec = decodeDosAttrib(blob);
        QVERIFY(rec);
        QCOMPARE(rec->version, 3);
        QCOMPARE(rec->attributes, wanted.bits());
        QVERIFY(rec->hasCreateTime());
        QCOMPARE(bool(modeOf(path) & 0222), !wanted.readOnly);

        // Changing it again keeps the creation time the record had.
        writeAttributes(path, make(false, false, false, true));
        QCOMPARE(decodeDosAttrib(getfattr(path, "user.DOSATTRIB"))->createTime, rec->createTime);
        QVERIFY(modeOf(path) & S_IWUSR);
    }

    void archiveFollowsModification()
    {
        const QString path = m_tree.file(QStringLiteral("backed-up.txt"), "old", Feb2001);
        QVERIFY(readAttributes(path).archive); // never marked
        clearArchive(path);
        QVERIFY(!readAttributes(path).archive);
        // Setting times is not a change of contents.
        writeTimes(path, std::nullopt, std::nullopt, Feb2001.addYears(4));
        QVERIFY(!readAttributes(path).archive);
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        f.write("new");
        f.close();
        QVERIFY(readAttributes(path).archive);
        // A folder goes by its stored bit alone.
        const QString folder = m_tree.folder(QStringLiteral("marked"));
        QVERIFY(!readAttributes(folder).archive);
    }

    void hiddenByDotStaysHidden()
    {
        const QString path = m_tree.file(QStringLiteral(".profile"), "x");
        const DosAttributes back = writeAttributes(path, make(false, false, false, true));
        QVERIFY(back.hidden);
        QVERIFY(hiddenByName(path));
        QCOMPARE(decodeDosAttrib(getfattr(path, "user.DOSATTRIB"))->attributes & DosAttribute::Hidden, 0u);
    }

    void timesRoundTrip()
    {
        const QString path = m_tree.file(QStringLiteral("times.txt"), "x");
        const QDateTime accessed(QDate(2010, 1, 2), QTime(0, 0), Qt::UTC);
        const QDateTime modified(QDate(2011, 1, 2), QTime(3, 4, 5, 678), Qt::UTC);
        const FileTimes kept = writeTimes(path, Feb2001, accessed, modified);
        QCOMPARE(kept.created, Feb2001);
        QCOMPARE(kept.createdFrom, FileTimes::CreatedFrom::Stored);
        QCOMPARE(kept.accessed, accessed);
        QCOMPARE(kept.modified, modified);
        const std::optional<DosAttribRecord> rec = decodeDosAttrib(getfattr(path, "user.DOSATTRIB"));
        QVERIFY(rec);
        QCOMPARE(rec->createTime, 0x01c08d967db50500ULL);
        // Storing a creation time marks nothing as backed up.
        QVERIFY(readAttributes(path).archive);

        const FileTimes again = writeTimes(path, std::nullopt, std::nullopt, Feb2001);
        QCOMPARE(again.created, Feb2001);
        QCOMPARE(again.accessed, accessed);
        QCOMPARE(again.modified, Feb2001);
        QCOMPARE(readTimes(path).created, Feb2001);
    }

    void invalidDatesChangeNothing()
    {
        const QString path = m_tree.file(QStringLiteral("dates.txt"), "x");
        writeTimes(path, std::nullopt, std::nullopt, Feb2001);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, QDateTime(), std::nullopt, std::nullopt); }), 75);
        QCOMPARE(errorNumberOf([&] {
                     writeTimes(path, QDateTime(QDate(1500, 1, 1), QTime(0, 0), Qt::UTC), std::nullopt, Feb2001.addDays(1));
                 }),
                 75);
        QCOMPARE(readTimes(path).modified, Feb2001);
        QVERIFY(getfattr(path, "user.DOSATTRIB").isEmpty());
    }

    void unreadableRecordsAreNeverRewritten_data()
    {
        QTest::addColumn<QByteArray>("blob");
        QTest::newRow("truncated v5") << QByteArray::fromHex("000005000500000011000000200000000005b57d968dc0");
        QTest::newRow("unknown version")
            << QByteArray::fromHex("000006000600000011000000200000000005b57d968dc001");
        QTest::newRow("not a record") << QByteArray("hello");
        QTest::newRow("oversized") << QByteArray("0x22") + QByteArray(400, 'z');
    }
    void unreadableRecordsAreNeverRewritten()
    {
        QFETCH(QByteArray, blob);
        const QString path = m_tree.file(QStringLiteral("bad-%1").arg(QTest::currentDataTag()), "x", Feb2001);
        setRaw(path, blob);
        const DosAttributes a = readAttributes(path);
        QVERIFY(a.storedUnknown);
        QVERIFY(a.archive);
        QVERIFY(!a.hidden && !a.system && !a.readOnly);
        QCOMPARE(errorNumberOf([&] { writeAttributes(path, make(true, false, false, true)); }), 75);
        QCOMPARE(errorNumberOf([&] { clearArchive(path); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, Feb2001, std::nullopt, std::nullopt); }), 75);
        QCOMPARE(getfattr(path, "user.DOSATTRIB"), blob);
        QCOMPARE(modeOf(path) & 0200, mode_t(0200));
    }

    void ownerChangesReadOnlyFile()
    {
        if (::getuid() != 0)
            QSKIP("needs root to act as another user");
        QVERIFY(::chmod(QFile::encodeName(m_tree.root()).constData(), 0755) == 0);
        const QString path = m_tree.file(QStringLiteral("owned-ro.txt"), "x");
        QVERIFY(::chown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        DosAttributes back;
        asUser(Nobody, [&] { back = writeAttributes(path, make(true, false, true, true)); });
        QVERIFY(back.readOnly && back.hidden);
        QCOMPARE(modeOf(path), mode_t(0444)); // write access only for the moment of writing
        asUser(Nobody, [&] { back = writeAttributes(path, make(true, false, false, true)); });
        QVERIFY(!back.readOnly);
        QCOMPARE(modeOf(path), mode_t(0644));
    }

    void othersMayNotChangeAttributes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<DosAttributes>("wanted");
        QTest::newRow("0644, hidden") << 0644 << make(true, false, false, true);
        // The record could be written (world-writable) but the permissions cannot:
        // nothing may stay half-done.
        QTest::newRow("0666, read-only") << 0666 << make(false, false, true, true);
    }
    void othersMayNotChangeAttributes()
    {
        if (::getuid() != 0)
            QSKIP("needs root to act as another user");
        QFETCH(int, mode);
        QFETCH(DosAttributes, wanted);
        QVERIFY(::chmod(QFile::encodeName(m_tree.root()).constData(), 0755) == 0);
        const QString path = m_tree.file(QStringLiteral("theirs-%1").arg(mode, 0, 8), "x");
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
        int number = 0;
        asUser(Nobody, [&] { number = errorNumberOf([&] { writeAttributes(path, wanted); }); });
        QCOMPARE(number, 70);
        QVERIFY(getfattr(path, "user.DOSATTRIB").isEmpty());
        QCOMPARE(modeOf(path), mode_t(mode));
    }

    void symbolicLinksGetNoAttributes()
    {
        const QString target = m_tree.file(QStringLiteral("link-target.txt"), "x");
        const QString link = m_tree.symlink(QStringLiteral("link"), target);
        QCOMPARE(errorNumberOf([&] { writeAttributes(link, make(true, true, false, true)); }), 75);
        QCOMPARE(errorNumberOf([&] { clearArchive(link); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(link, std::nullopt, std::nullopt, Feb2001); }), 75);
        QVERIFY(getfattr(target, "user.DOSATTRIB").isEmpty());
        // Read, a link is what it points to, as in the listing.
        writeAttributes(target, make(true, false, false, true));
        QVERIFY(readAttributes(link).hidden);
    }

    void vanishedItem()
    {
        const QString gone = m_tree.path(QStringLiteral("gone.txt"));
        QCOMPARE(errorNumberOf([&] { readAttributes(gone); }), 53);
        QCOMPARE(errorNumberOf([&] { writeAttributes(gone, DosAttributes()); }), 53);
        QCOMPARE(errorNumberOf([&] { readTimes(gone); }), 53);
    }

    void copyCarriesAttributesAndCreationTime()
    {
        const QString from = m_tree.file(QStringLiteral("copy-from.txt"), "x");
        writeAttributes(from, make(true, true, false, false));
        writeTimes(from, Feb2001, std::nullopt, std::nullopt);
        const QString to = m_tree.file(QStringLiteral("copy-to.txt"), "x");
        const DosCopyResult r = copyDosInformation(from, to);
        QVERIFY(r.attributesKept && r.creationTimeKept);
        const DosAttributes a = readAttributes(to);
        QVERIFY(a.hidden && a.system && a.archive); // a copy is not backed up yet
        QCOMPARE(readTimes(to).created, Feb2001);
    }

    void volumeWithoutUserAttributes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("tmpfs") << QStringLiteral("tmpfs");
        QTest::newRow("ramfs") << QStringLiteral("ramfs");
    }
    void volumeWithoutUserAttributes()
    {
        QFETCH(QString, type);
        const ScratchMount m = ScratchMount::memory(type);
        if (!m.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount %1 here: %2").arg(type, m.error())));
        if (keepsUserXattrs(m.path()))
            QSKIP(qPrintable(QStringLiteral("%1 on this kernel keeps user attributes").arg(type)));
        const QString path = m.path() + QStringLiteral("/plain.txt");
        QFile(path).open(QIODevice::WriteOnly);
        try {
            writeAttributes(path, make(false, true, false, true));
            QFAIL("System was accepted by a volume that cannot keep it");
        } catch (const RuntimeError &e) {
            QVERIFY2(e.description.contains(m.path()), qPrintable(e.description));
        }
        QCOMPARE(errorNumberOf([&] { clearArchive(path); }), 75);
        QCOMPARE(errorNumberOf([&] { writeTimes(path, Feb2001, std::nullopt, std::nullopt); }), 75);
        // Read-only lives in the permissions and works everywhere.
        QVERIFY(writeAttributes(path, make(false, false, true, true)).readOnly);
        QCOMPARE(modeOf(path) & 0222, mode_t(0));
        QVERIFY(!writeAttributes(path, make(false, false, false, true)).readOnly);
        // A copy there keeps what it can and says what it could not.
        const QString from = m_tree.file(QStringLiteral("to-ramfs.txt"), "x");
        writeAttributes(from, make(true, false, false, true));
        QVERIFY(!copyDosInformation(from, path).attributesKept);
    }

    void fatVolume()
    {
        ScratchMount m = ScratchMount::image(16, {QStringLiteral("mkfs.vfat")},
                                             {QStringLiteral("mount"), QStringLiteral("-o"), QStringLiteral("loop")});
        if (!m.ok())
            QSKIP(qPrintable(QStringLiteral("cannot loop-mount a vfat image here: ") + m.error()));
        QCOMPARE(attributeStoreFor(m.path()), AttributeStore::FatIoctl);
        const QString path = m.path() + QStringLiteral("/FILE.TXT");
        QFile(path).open(QIODevice::WriteOnly);
        writeAttributes(path, make(true, true, false, false));
        QProcess p;
        p.start(QStringLiteral("fatattr"), {path});
        p.waitForFinished();
        const QString shown = QString::fromLocal8Bit(p.readAllStandardOutput()).section(path, 0, 0);
        QVERIFY2(shown.contains(QLatin1Char('h')) && shown.contains(QLatin1Char('s')) && !shown.contains(QLatin1Char('a')),
                 qPrintable(shown));
        QCOMPARE(errorNumberOf([&] { writeTimes(path, Feb2001, std::nullopt, std::nullopt); }), 75);
    }

    void ntfsVolume()
    {
        ScratchMount m = ScratchMount::image(8, {QStringLiteral("mkntfs"), QStringLiteral("-q"), QStringLiteral("-F"),
                                                 QStringLiteral("-f")},
                                             {QStringLiteral("ntfs-3g")});
        if (!m.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount an NTFS image with ntfs-3g here: ") + m.error()));
        QCOMPARE(attributeStoreFor(m.path()), AttributeStore::Ntfs3g);
        const QString path = m.path() + QStringLiteral("/file.txt");
        QFile(path).open(QIODevice::WriteOnly);
        const DosAttributes back = writeAttributes(path, make(true, true, false, true));
        QVERIFY(back.hidden && back.system && back.archive && !back.readOnly);
        QCOMPARE(getfattr(path, "system.ntfs_attrib_be").toHex(), QByteArray("00000026"));
        QVERIFY(getfattr(path, "user.DOSATTRIB").isEmpty()); // it would become a data stream
        clearArchive(path);
        QCOMPARE(getfattr(path, "system.ntfs_attrib_be").toHex(), QByteArray("00000006"));
        const FileTimes t = writeTimes(path, Feb2001, std::nullopt, std::nullopt);
        QCOMPARE(t.created, Feb2001);
        QCOMPARE(getfattr(path, "system.ntfs_crtime_be").toHex(), QByteArray("01c08d967db50500"));
        const QString folder = m.path() + QStringLiteral("/dir");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(writeAttributes(folder, make(true, false, false, false)).directory);
        QCOMPARE(getfattr(folder, "system.ntfs_attrib_be").toHex(), QByteArray("00000012"));
    }

private:
    TempTree m_tree;
};

Q_DECLARE_METATYPE(DosAttributes)

TIDYHALL_TEST_MAIN(DosAttributesTest)
#include "tst_DosAttributes.moc"
