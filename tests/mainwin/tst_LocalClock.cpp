#include "TestEnvironment.h"
#include "mainwin/LocalClock.h"

#include <QFile>
#include <QtTest>
#include <cstdlib>
#include <ctime>

// The cached conversion must give what the C library gives, in zones whose offsets
// change at odd times (half and quarter hours, 00:01 local, half-hour steps).
class LocalClockTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanupTestCase()
    {
        ::unsetenv("TZ");
        ::tzset();
    }
    void agreesWithLocaltime_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("around"); // checked a day either side, every 7 min 13 s
        QTest::newRow("UTC, before 1970") << QStringLiteral("UTC") << qint64(0);
        QTest::newRow("Athens, clocks forward") << QStringLiteral("Europe/Athens") << qint64(1711846800);
        QTest::newRow("St John's, 00:01 change") << QStringLiteral("America/St_Johns") << qint64(1236482000);
        QTest::newRow("Lord Howe, half-hour step back") << QStringLiteral("Australia/Lord_Howe") << qint64(1712415600);
        QTest::newRow("Kathmandu, to a quarter hour") << QStringLiteral("Asia/Kathmandu") << qint64(504901800);
    }
    void agreesWithLocaltime()
    {
        QFETCH(QString, zone);
        QFETCH(qint64, around);
        if (zone != QLatin1String("UTC") && !QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + zone))
            QSKIP("time zone data not installed");
        ::setenv("TZ", zone.toUtf8().constData(), 1);
        ::tzset();
        LocalClock clock;
        for (qint64 s = around - 86400; s <= around + 86400; s += 433) {
            const std::time_t t = std::time_t(s);
            std::tm local {};
            ::localtime_r(&t, &local);
            const std::uint32_t wantDate = std::uint32_t((local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday);
            const std::uint32_t wantTime = std::uint32_t(local.tm_hour * 10000 + local.tm_min * 100 + local.tm_sec);
            std::uint32_t date = 0;
            std::uint32_t time = 0;
            clock.split(t, date, time);
            if (date != wantDate || time != wantTime)
                QFAIL(qPrintable(QStringLiteral("%1 at %2: %3 %4, expected %5 %6")
                                     .arg(zone).arg(s).arg(date).arg(time).arg(wantDate).arg(wantTime)));
        }
    }
};

TIDYHALL_TEST_MAIN(LocalClockTest)
#include "tst_LocalClock.moc"
