#include "TestEnvironment.h"
#include "platform/DosAttribRecord.h"
#include "platform/NtTime.h"

#include <QtTest>

// The records below are the exact bytes Samba's own encoder and smbd wrote for the
// same attributes and times; a fault in alignment or field order shows as a
// mismatch here rather than as attributes that Windows clients silently lose.
namespace {
constexpr std::uint64_t Feb2001 = 0x01c08d967db50500ULL; // 2001-02-03 04:05:06 UTC
constexpr std::uint64_t Upload = 0x01dd854bc37aa824ULL;

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

const char *V1Hidden = "30783200 0100 0100 02000000 00000000 0000000000000000 0000000000000000 "
                       "0005b57d968dc001 0000000000000000";
const char *V2Hidden = "30783200 0200 0200 00000000 02000000 00000000 0000000000000000 0000000000000000 "
                       "0005b57d968dc001 0000000000000000 0000000000000000 00";
const char *V3Archive = "3078323000 00 0300 0300 0000 11000000 20000000 00000000 "
                        "0000000000000000 0000000000000000 0005b57d968dc001 0000000000000000";
const char *V3Hidden = "30783200 0300 0300 11000000 02000000 00000000 "
                       "0000000000000000 0000000000000000 0005b57d968dc001 0000000000000000";
const char *V4Archive = "0000 0400 0400 0000 11000000 20000000 0000000000000000 0005b57d968dc001";
const char *V5Archive = "0000 0500 0500 0000 11000000 20000000 0005b57d968dc001";
const char *SmbdUpload = "0000050005000000110000002000000024a87ac34b85dd01";
}

class DosAttribRecordTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesEveryWrittenForm_data()
    {
        QTest::addColumn<QByteArray>("blob");
        QTest::addColumn<int>("version");
        QTest::addColumn<uint>("attributes");
        QTest::addColumn<quint64>("createTime");
        QTest::newRow("v1 hidden") << hex(V1Hidden) << 1 << 0x2u << quint64(Feb2001);
        // Samba ignores the creation time of version 2, and so do we.
        QTest::newRow("v2 hidden, time ignored") << hex(V2Hidden) << 2 << 0x2u << quint64(0);
        QTest::newRow("v3 archive, 5-byte hex") << hex(V3Archive) << 3 << 0x20u << quint64(Feb2001);
        QTest::newRow("v3 hidden, 4-byte hex") << hex(V3Hidden) << 3 << 0x2u << quint64(Feb2001);
        QTest::newRow("v4 archive") << hex(V4Archive) << 4 << 0x20u << quint64(Feb2001);
        QTest::newRow("smbd upload") << hex(SmbdUpload) << 5 << 0x20u << quint64(Upload);
        QTest::newRow("Wine hex without NUL") << QByteArray("0x23") << 0 << 0x23u << quint64(0);
        QTest::newRow("hex with NUL") << QByteArray("0x23", 5) << 0 << 0x23u << quint64(0);
        QTest::newRow("v5 without ATTRIB flag")
            << hex("0000 0500 0500 0000 10000000 27000000 0005b57d968dc001") << 5 << 0x0u << quint64(Feb2001);
        QTest::newRow("v5 without CREATE_TIME flag")
            << hex("0000 0500 0500 0000 01000000 06000000 0005b57d968dc001") << 5 << 0x6u << quint64(0);
    }
    void decodesEveryWrittenForm()
    {
        QFETCH(QByteArray, blob);
        QFETCH(int, version);
        QFETCH(uint, attributes);
        QFETCH(quint64, createTime);
        const std::optional<DosAttribRecord> rec = decodeDosAttrib(blob);
        QVERIFY(rec);
        QCOMPARE(rec->version, version);
        QCOMPARE(uint(rec->attributes), attributes);
        QCOMPARE(quint64(rec->hasCreateTime() ? rec->createTime : 0), createTime);
        QVERIFY(!rec->hasChangeTime());
    }

    void encodesVersion3AsSambaDoes_data()
    {
        QTest::addColumn<uint>("attributes");
        QTest::addColumn<quint64>("createTime");
        QTest::addColumn<quint64>("changeTime");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("archive: odd hex length pads") << 0x20u << quint64(Feb2001) << quint64(0) << hex(V3Archive);
        QTest::newRow("hidden: even hex length") << 0x2u << quint64(Feb2001) << quint64(0) << hex(V3Hidden);
        QTest::newRow("with change time")
            << 0x20u << quint64(Feb2001) << quint64(0x01d0000000000001ULL)
            << hex("3078323000 00 0300 0300 0000 31000000 20000000 00000000 0000000000000000 0000000000000000 "
                   "0005b57d968dc001 01000000 0000d001");
        QTest::newRow("folder, nothing else")
            << 0x10u << quint64(0) << quint64(0)
            << hex("3078313000 00 0300 0300 0000 01000000 10000000 00000000 0000000000000000 0000000000000000 "
                   "0000000000000000 0000000000000000");
    }
    void encodesVersion3AsSambaDoes()
    {
        QFETCH(uint, attributes);
        QFETCH(quint64, createTime);
        QFETCH(quint64, changeTime);
        QFETCH(QByteArray, expected);
        const QByteArray blob = encodeDosAttribV3(attributes, createTime, changeTime);
        QCOMPARE(blob.toHex(' '), expected.toHex(' '));
        // Wine and dosemu2 read the prefix alone and must see the same attributes.
        QCOMPARE(blob.left(blob.indexOf('\0')), "0x" + QByteArray::number(attributes, 16));
        const std::optional<DosAttribRecord> back = decodeDosAttrib(blob);
        QVERIFY(back);
        QCOMPARE(uint(back->attributes), attributes);
        QCOMPARE(quint64(back->hasChangeTime() ? back->changeTime : 0), changeTime);
    }

    void rejectsWhatIsNotARecord_data()
    {
        QTest::addColumn<QByteArray>("blob");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not hex") << QByteArray("0xZZ");
        QTest::newRow("hex too long") << QByteArray("0x123456789");
        QTest::newRow("hex then junk") << QByteArray("0x2 ");
        QTest::newRow("v5 truncated by one") << hex(V5Archive).chopped(1);
        QTest::newRow("v2 without its name") << hex(V2Hidden).chopped(1);
        QTest::newRow("header only") << hex("0000 0500");
        QTest::newRow("v5 with a trailing byte") << hex(V5Archive) + '\0';
        QTest::newRow("unknown version 6") << hex("0000 0600 0600 0000 11000000 20000000 0005b57d968dc001");
        QTest::newRow("level differs from version") << hex("0000 0500 0400 0000 11000000 20000000 0005b57d968dc001");
        QTest::newRow("v5 behind a hex prefix") << hex("30783230 00 00 0500 0500 0000 11000000 20000000 0005b57d968dc001");
        QTest::newRow("oversized") << QByteArray("0x20") + QByteArray(DosAttribMaxSize, 'x');
    }
    void rejectsWhatIsNotARecord()
    {
        QFETCH(QByteArray, blob);
        QVERIFY(!decodeDosAttrib(blob));
    }

    void ntTimesConvert_data()
    {
        QTest::addColumn<quint64>("nt");
        QTest::addColumn<QDateTime>("utc");
        QTest::newRow("2001") << quint64(Feb2001) << QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        QTest::newRow("unix epoch") << quint64(NtTimeUnixEpoch) << QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
        QTest::newRow("before 1970") << quint64(NtTimeUnixEpoch - 10000000ULL * 86400)
                                     << QDateTime(QDate(1969, 12, 31), QTime(0, 0), Qt::UTC);
    }
    void ntTimesConvert()
    {
        QFETCH(quint64, nt);
        QFETCH(QDateTime, utc);
        QCOMPARE(dateTimeFromNtTime(nt), utc);
        QCOMPARE(quint64(ntTimeFromDateTime(utc)), nt);
    }

    // Zero stands for "no time" both ways.
    void timesWithoutNtTime()
    {
        QCOMPARE(quint64(ntTimeFromDateTime(QDateTime(QDate(1600, 12, 31), QTime(23, 59), Qt::UTC))), quint64(0));
        QCOMPARE(quint64(ntTimeFromDateTime(QDateTime())), quint64(0));
        QVERIFY(!dateTimeFromNtTime(0).isValid());
    }
};

TIDYHALL_TEST_MAIN(DosAttribRecordTest)
#include "tst_DosAttribRecord.moc"
