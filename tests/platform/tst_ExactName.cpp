#include "TestEnvironment.h"
#include "platform/ExactName.h"

#include <QtTest>

class ExactNameTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ascii") << QByteArray("a.txt") << QStringLiteral("a.txt");
        QTest::newRow("greek utf-8") << QByteArray("\xce\xb1\xce\xb2") << QStringLiteral("αβ");
        QTest::newRow("odd byte") << QByteArray("a\xff") << QStringLiteral("a\\xFF");
        QTest::newRow("replacement char is text") << QByteArray("a\xef\xbf\xbd") << QStringLiteral("a\uFFFD");
        QTest::newRow("windows-1253 alpha beta") << QByteArray("\xe1\xe2.txt") << QStringLiteral("\\xE1\\xE2.txt");
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb2\x80") << QStringLiteral("\\xED\\xB2\\x80");
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\\xC0\\xAF");
        QTest::newRow("emoji") << QByteArray("\xf0\x9f\x98\x80") << QString::fromUtf8("\xf0\x9f\x98\x80");
        QTest::newRow("cut emoji") << QByteArray("\xf0\x9f\x98") << QStringLiteral("\\xF0\\x9F\\x98");
        QTest::newRow("newline and dash") << QByteArray("-a\nb") << QStringLiteral("-a\nb");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString name = ExactName::fromBytes(bytes);
        QCOMPARE(ExactName::toBytes(name), bytes);
        QCOMPARE(ExactName::shown(name), shown);
        QCOMPARE(ExactName::fromText(ExactName::toText(name)), name);
    }

    void twinsStayApart()
    {
        const QString odd = ExactName::fromBytes("a\xff");
        const QString replacement = ExactName::fromBytes("a\xef\xbf\xbd");
        QVERIFY(odd != replacement);
        QVERIFY(ExactName::hasOddBytes(odd));
        QVERIFY(!ExactName::hasOddBytes(replacement));
    }

    void textFormKeepsBackslashes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain backslash") << QStringLiteral("a\\b") << QStringLiteral("a\\b");
        QTest::newRow("looks like an escape") << QStringLiteral("a\\xFF") << QStringLiteral("a\\x5CxFF");
        QTest::newRow("odd byte") << ExactName::fromBytes("a\xff") << QStringLiteral("a\\xFF");
    }
    void textFormKeepsBackslashes()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(ExactName::toText(name), text);
        QCOMPARE(ExactName::fromText(text), name);
    }
};

TIDYHALL_TEST_MAIN(ExactNameTest)
#include "tst_ExactName.moc"
