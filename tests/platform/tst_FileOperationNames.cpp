#include "TestEnvironment.h"
#include "platform/SafeCopy.h"

#include <QtTest>

// The new name an incoming item gets beside its namesake.
class FileOperationNamesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numberedName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("file") << QByteArray("report.txt") << false << 2 << QByteArray("report (2).txt");
        QTest::newRow("last dot only") << QByteArray("backup.tar.gz") << false << 3 << QByteArray("backup.tar (3).gz");
        QTest::newRow("hidden file") << QByteArray(".profile") << false << 2 << QByteArray(".profile (2)");
        QTest::newRow("folder with dot") << QByteArray("v1.2") << true << 2 << QByteArray("v1.2 (2)");
        QTest::newRow("Greek") << QByteArray("Έγγραφο.odt") << false << 10 << QByteArray("Έγγραφο (10).odt");
    }
    void numberedName()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, folder);
        QFETCH(int, number);
        QFETCH(QByteArray, expected);
        QCOMPARE(SafeCopy::numberedName(name, number, folder), expected);
    }

    // A name at the limit is shortened, never by half a character, and keeps its extension.
    void longNamesStayWithinTheLimit_data()
    {
        QTest::addColumn<QByteArray>("unit");
        QTest::newRow("two-byte Greek") << QByteArray("α");
        QTest::newRow("three-byte") << QByteArray("€");
    }
    void longNamesStayWithinTheLimit()
    {
        QFETCH(QByteArray, unit);
        const QByteArray result = SafeCopy::numberedName(unit.repeated(251 / unit.size()) + ".txt", 123, false);
        QVERIFY(result.size() <= 255);
        QVERIFY(result.endsWith(" (123).txt"));
        QCOMPARE(QString::fromUtf8(result).toUtf8(), result); // still valid UTF-8
    }
};

TIDYHALL_TEST_MAIN(FileOperationNamesTest)
#include "tst_FileOperationNames.moc"
