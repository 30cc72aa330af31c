#include "TestEnvironment.h"
#include "platform/RuntimeError.h"

#include <QtTest>
#include <cerrno>

class RuntimeErrorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void classicNumbers_data()
    {
        QTest::addColumn<int>("err");
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << ENOENT << 53;
        QTest::newRow("not a folder") << ENOTDIR << 76;
        QTest::newRow("denied") << EACCES << 70;
        QTest::newRow("read-only volume") << EROFS << 70;
        QTest::newRow("exists") << EEXIST << 58;
        QTest::newRow("disk full") << ENOSPC << 61;
        QTest::newRow("name too long") << ENAMETOOLONG << 52;
        QTest::newRow("io") << EIO << 71;
    }
    void classicNumbers()
    {
        QFETCH(int, err);
        QFETCH(int, number);
        const RuntimeError e = RuntimeError::fromErrno(err, QStringLiteral("/x/y"));
        QCOMPARE(e.number, number);
        QVERIFY(e.description.endsWith(QStringLiteral(": /x/y")));
    }

    // The description is chosen when the report is shown: our text in the window's
    // language for the common errno values, the system's own for the rest.
    void describedInTheLanguageShown_data()
    {
        QTest::addColumn<int>("err");
        QTest::addColumn<QString>("greek");
        QTest::addColumn<QString>("english");
        QTest::newRow("common") << ENOSPC << "Ο δίσκος είναι γεμάτος: /x/y"
                                << "The disk is full: /x/y";
        QTest::newRow("uncommon") << ENOTDIR << "Not a directory: /x/y" << "Not a directory: /x/y";
    }
    void describedInTheLanguageShown()
    {
        QFETCH(int, err);
        const RuntimeError e = RuntimeError::fromErrno(err, QStringLiteral("/x/y"));
        QTEST(e.describe(true), "greek");
        QTEST(e.describe(false), "english");
    }
};

TIDYHALL_TEST_MAIN(RuntimeErrorTest)
#include "tst_RuntimeError.moc"
