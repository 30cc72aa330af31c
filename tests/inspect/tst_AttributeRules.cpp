#include "ScratchMount.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "inspect/AttributeRules.h"
#include "platform/DosAttribRecord.h"
#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"
#include "platform/NtTime.h"
#include "platform/SafeRename.h"

#include <QProcess>
#include <QtTest>
#include <ctime>
#include <sys/stat.h>

namespace {

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

struct Stat
{
    std::time_t modified = 0;
    std::time_t accessed = 0;
};

Stat statOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return {st.st_mtim.tv_sec, st.st_atim.tv_sec};
}

class ZoneGuard
{
public:
    explicit ZoneGuard(const QByteArray &zone) : m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        ::tzset();
    }
    ~ZoneGuard()
    {
        if (m_old.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_old);
        ::tzset();
    }

private:
    QByteArray m_old;
};

DateParts parts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return {y, mo, d, h, mi, s};
}

std::time_t instantOf(const DateParts &p)
{
    QDateTime t;
    return instantFromLocalParts(p, t) == DateProblem::None ? std::time_t(t.toSecsSinceEpoch()) : 0;
}

} // namespace

Q_DECLARE_METATYPE(DateParts)

class AttributeRulesTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;

private Q_SLOTS:
    void description_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("greek");
        QTest::addColumn<QString>("english");
        QTest::newRow("plain file") << false << "" << "Αρχείο" << "File";
        QTest::newRow("hidden file") << false << "H" << "Αρχείο - Κρυφό" << "File - Hidden";
        QTest::newRow("hidden folder agrees") << true << "H" << "Φάκελλος - Κρυφός" << "Folder - Hidden";
        QTest::newRow("hidden archived folder") << true << "HA" << "Φάκελλος - Κρυφός - Προς φύλαξη"
                                                << "Folder - Hidden - Archive";
        QTest::newRow("all four, fixed order") << false << "ARSH"
                                               << "Αρχείο - Κρυφό - Συστήματος - Μόνο για ανάγνωση - Προς φύλαξη"
                                               << "File - Hidden - System - Read only - Archive";
    }
    void description()
    {
        QFETCH(bool, folder);
        QFETCH(QString, letters);
        QFETCH(QString, greek);
        QFETCH(QString, english);
        DosAttributes a;
        a.directory = folder;
        a.hidden = letters.contains('H');
        a.system = letters.contains('S');
        a.readOnly = letters.contains('R');
        a.archive = letters.contains('A');
        QCOMPARE(describeAttributes(a, true), greek);
        QCOMPARE(describeAttributes(a, false), english);
    }

    // Local parts to an instant and back, checked against the C library's localtime_r.
    void localTimes_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<DateParts>("local");
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("utc");
        const int ok = int(DateProblem::None);
        QTest::newRow("half-hour zone") << QByteArray("Asia/Kolkata") << parts(2024, 6, 1, 12) << ok
                                        << "2024-06-01T06:30:00Z";
        QTest::newRow("half-hour summer time") << QByteArray("Australia/Adelaide") << parts(2024, 1, 15, 12) << ok
                                               << "2024-01-15T01:30:00Z";
        QTest::newRow("negative half hour") << QByteArray("America/St_Johns") << parts(2024, 7, 1) << ok
                                            << "2024-07-01T02:30:00Z";
        QTest::newRow("gap") << QByteArray("Europe/Athens") << parts(2024, 3, 31, 3, 30)
                             << int(DateProblem::InGap) << "";
        QTest::newRow("just after the gap") << QByteArray("Europe/Athens") << parts(2024, 3, 31, 4) << ok
                                            << "2024-03-31T01:00:00Z";
        QTest::newRow("overlap takes the earlier") << QByteArray("Europe/Athens") << parts(2024, 10, 27, 3, 30) << ok
                                                   << "2024-10-27T00:30:00Z";
        QTest::newRow("half-hour gap") << QByteArray("Australia/Lord_Howe") << parts(2024, 10, 6, 2, 15)
                                       << int(DateProblem::InGap) << "";
        QTest::newRow("29 February, common year") << QByteArray("UTC") << parts(2023, 2, 29)
                                                  << int(DateProblem::NoSuchDay) << "";
        QTest::newRow("29 February, leap year") << QByteArray("UTC") << parts(2024, 2, 29) << ok
                                                << "2024-02-29T00:00:00Z";
        QTest::newRow("31 April") << QByteArray("Europe/Athens") << parts(2024, 4, 31) << int(DateProblem::NoSuchDay)
                                  << "";
        QTest::newRow("year 100") << QByteArray("UTC") << parts(100, 1, 1) << ok << "0100-01-01T00:00:00Z";
        QTest::newRow("year 9999") << QByteArray("Asia/Kolkata") << parts(9999, 12, 31, 23, 59, 59) << ok
                                   << "9999-12-31T18:29:59Z";
        QTest::newRow("second 60") << QByteArray("UTC") << parts(2024, 1, 1, 0, 0, 60) << int(DateProblem::OutOfRange)
                                   << "";
    }
    void localTimes()
    {
        QFETCH(QByteArray, zone);
        QFETCH(DateParts, local);
        QFETCH(int, problem);
        QFETCH(QString, utc);
        const ZoneGuard guard(zone);
        QDateTime instant;
        QCOMPARE(int(instantFromLocalParts(local, instant)), problem);
        if (problem != int(DateProblem::None))
            return;
        QCOMPARE(instant.toUTC().toString(Qt::ISODate), utc);
        std::time_t seconds = std::time_t(instant.toSecsSinceEpoch());
        std::tm t{};
        ::localtime_r(&seconds, &t);
        QCOMPARE(parts(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec), local);
        QCOMPARE(localParts(instant), local);
    }

    // Each save writes what was chosen, read back with stat; a refused date writes nothing.
    void saves_data()
    {
        QTest::addColumn<bool>("withModified");
        QTest::addColumn<DateParts>("modified");
        QTest::addColumn<bool>("withAccessed");
        QTest::addColumn<DateParts>("accessed");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("problem");
        const DateParts none;
        const int m = int(DateField::Modified);
        const int a = int(DateField::Accessed);
        QTest::newRow("modified") << true << parts(2010, 5, 6, 7, 8, 9) << false << none << true << m << 0;
        QTest::newRow("accessed at midnight") << false << none << true << parts(2011, 1, 2, 13, 14, 15) << true << a
                                              << 0;
        QTest::newRow("both") << true << parts(2012, 12, 31, 23, 59, 59) << true << parts(2012, 12, 31) << true << m
                              << 0;
        QTest::newRow("no such day") << true << parts(2023, 2, 29) << true << parts(2020, 1, 1) << false << m
                                     << int(DateProblem::NoSuchDay);
        QTest::newRow("gap") << true << parts(2020, 1, 1) << true << parts(2024, 3, 31, 3, 30) << true << a << 0;
        QTest::newRow("year 100 on ext4") << true << parts(100, 1, 1) << false << none << false << m
                                          << int(DateProblem::OutOfRange);
        QTest::newRow("year 9999 on ext4") << false << none << true << parts(9999, 12, 31) << false << a
                                           << int(DateProblem::OutOfRange);
    }
    void saves()
    {
        QFETCH(bool, withModified);
        QFETCH(DateParts, modified);
        QFETCH(bool, withAccessed);
        QFETCH(DateParts, accessed);
        QFETCH(bool, saved);
        QFETCH(int, field);
        QFETCH(int, problem);
        const ZoneGuard guard("Europe/Athens");
        const QString path =
            m_tree.file(QStringLiteral("save-") + QTest::currentDataTag(), "x", QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC));
        const Stat before = statOf(path);
        DateChoice choice;
        if (withModified)
            choice.modified = modified;
        if (withAccessed)
            choice.accessed = accessed;
        const DateSaveOutcome outcome = saveDates(path, choice);
        QCOMPARE(outcome.saved, saved);
        const Stat after = statOf(path);
        if (!saved) {
            QCOMPARE(int(outcome.field), field);
            QCOMPARE(int(outcome.problem), problem);
            QCOMPARE(after.modified, before.modified);
            QCOMPARE(after.accessed, before.accessed);
            return;
        }
        QCOMPARE(after.modified, withModified ? instantOf(modified) : before.modified);
        DateParts midnight = accessed;
        midnight.hour = midnight.minute = midnight.second = 0;
        QCOMPARE(after.accessed, withAccessed ? instantOf(midnight) : before.accessed);
    }

    // The creation time goes into user.DOSATTRIB, as Samba reads it.
    void creationTimeInDosAttrib()
    {
        const ZoneGuard guard("Asia/Kolkata");
        const QString path = m_tree.file("created", "x");
        DateChoice choice;
        choice.created = parts(2001, 2, 3, 9, 35, 6); // 04:05:06 UTC
        const FileTimes times = readTimes(path);
        const DateSaveOutcome outcome = saveDates(path, choice);
        QVERIFY(outcome.saved);
        QVERIFY(!outcome.createdNotKept);
        const auto record = decodeDosAttrib(getfattr(path, "user.DOSATTRIB"));
        QVERIFY(record);
        QCOMPARE(record->createTime, 0x01c08d967db50500ULL);
        QCOMPARE(readTimes(path).modified, times.modified);
    }

    // A file that changed after it was marked as backed up still goes with the next
    // backup when its modification time is moved before the marking.
    void archiveKeptWhenModifiedMovesEarlier()
    {
        const QString path = m_tree.file("archive", "x", QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC));
        clearArchive(path);
        QVERIFY(!readAttributes(path).archive);
        writeTimes(path, std::nullopt, std::nullopt, QDateTime(QDate(2022, 1, 1), QTime(0, 0), Qt::UTC));
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        f.write("changed");
        f.close();
        QVERIFY(readAttributes(path).archive);
        DateChoice choice;
        choice.modified = parts(2001, 1, 1);
        QVERIFY(saveDates(path, choice).saved);
        QVERIFY(readAttributes(path).archive);
        const auto record = decodeDosAttrib(getfattr(path, "user.DOSATTRIB"));
        QVERIFY(record);
        QVERIFY(record->attributes & DosAttribute::Archive);
    }

    // A volume that keeps no creation time: the other times are saved, and the result says so.
    void creationTimeNotKept()
    {
        const ScratchMount m = ScratchMount::memory("ramfs");
        if (!m.ok())
            QSKIP(qPrintable("cannot mount ramfs here: " + m.error()));
        const QString path = m.path() + "/file";
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(!keepsCreationTime(path));
        DateChoice choice;
        choice.created = parts(2001, 1, 1);
        choice.modified = parts(2002, 2, 2, 2, 2, 2);
        const DateSaveOutcome outcome = saveDates(path, choice);
        QVERIFY(outcome.saved);
        QVERIFY(outcome.createdNotKept);
        QCOMPARE(statOf(path).modified, instantOf(parts(2002, 2, 2, 2, 2, 2)));
    }

    // On NTFS (ntfs-3g) the creation time is the volume's own, and a renamed file keeps
    // its attributes.
    void ntfsVolume()
    {
        ScratchMount m = ScratchMount::image(8, {"mkntfs", "-q", "-F", "-f"}, {"ntfs-3g"});
        if (!m.ok())
            QSKIP(qPrintable("cannot mount an NTFS image with ntfs-3g here: " + m.error()));
        const ZoneGuard guard("UTC");
        const QString path = m.path() + "/file.txt";
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(keepsCreationTime(path));
        DateChoice choice;
        choice.created = parts(2001, 2, 3, 4, 5, 6);
        QVERIFY(saveDates(path, choice).saved);
        QByteArray crtime = getfattr(path, "system.ntfs_crtime");
        std::reverse(crtime.begin(), crtime.end()); // little-endian on disk
        QCOMPARE(crtime.toHex(), QByteArray("01c08d967db50500"));

        DosAttributes hs;
        hs.hidden = hs.system = true;
        writeAttributes(path, hs);
        renameWithoutReplacing(m.path(), "file.txt", "renamed.txt");
        // ntfs-3g marks a renamed file for backup (Archive); Hidden and System stay.
        const QByteArray bits = getfattr(m.path() + "/renamed.txt", "system.ntfs_attrib_be");
        QCOMPARE(bits.size(), 4);
        QCOMPARE(bits.at(3) & 0x06, 0x06);
        QCOMPARE(getfattr(m.path() + "/renamed.txt", "system.ntfs_crtime_be").toHex(), QByteArray("01c08d967db50500"));
    }
};

TIDYHALL_TEST_MAIN(AttributeRulesTest)
#include "tst_AttributeRules.moc"
