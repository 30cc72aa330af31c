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
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        // Ranges around offset changes, stepped by 7 min 13 s so every minute of an
        // hour is met.
        QTest::newRow("UTC, before 1970") << QStringLiteral("UTC") << qint64(-100000) << qint64(100000);
        QTest::newRow("Athens, summer 2024") << QStringLiteral("Europe/Athens") << qint64(1711846800 - 86400)
                                             << qint64(1711846800 + 86400);
        QTest::newRow("Athens, winter 2024") << QStringLiteral("Europe/Athens") << qint64(1729987200 - 86400)
                                             << qint64(1729987200 + 86400);
        QTest::newRow("St John's, 00:01 changes of 2009") << QStringLiteral("America/St_Johns")
                                                          << qint64(1236482000 - 86400) << qint64(1236482000 + 86400);
        QTest::newRow("St John's, 2023") << QStringLiteral("America/St_Johns") << qint64(1678599000 - 86400)
                                         << qint64(1678599000 + 86400);
        QTest::newRow("Lord Howe, half-hour step") << QStringLiteral("Australia/Lord_Howe")
                                                   << qint64(1712415600 - 86400) << qint64(1712415600 + 86400);
        QTest::newRow("Kathmandu") << QStringLiteral("Asia/Kathmandu") << qint64(504900000) << qint64(505000000);
        QTest::newRow("Chatham, 2024") << QStringLiteral("Pacific/Chatham") << qint64(1712412000 - 86400)
                                       << qint64(1712412000 + 86400);
    }
    void agreesWithLocaltime()
    {
        QFETCH(QString, zone);
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        if (zone != QLatin1String("UTC") && !QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + zone))
            QSKIP("time zone data not installed");
        ::setenv("TZ", zone.toUtf8().constData(), 1);
        ::tzset();
        LocalClock clock;
        for (qint64 s = from; s <= to; s += 433) {
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
