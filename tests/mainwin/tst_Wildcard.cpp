#include "TestEnvironment.h"
#include "mainwin/Wildcard.h"

#include <QtTest>

class WildcardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matching_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        const auto row = [](const char *p, const char *n, bool m) {
            QTest::addRow("%s ~ %s", p, n) << QString::fromUtf8(p) << QString::fromUtf8(n) << m;
        };
        row("*.*", "report.txt", true);
        row("*.*", "Makefile", true);
        row("*.*", ".bashrc", true);
        row("*.*", "a.b.c", true);
        row("*", "Makefile", true);
        row("", "anything", true);
        row("*.txt", "notes.txt", true);
        row("*.txt", "NOTES.TXT", true);
        row("*.TXT", "notes.txt", true);
        row("*.txt", "notes.txt.bak", false);
        row("*.txt", "txt", false);
        row("*.txt", "folder.txt", true);
        row("?.c", "a.c", true);
        row("?.c", "ab.c", false);
        row("?.c", ".c", false);
        row("a?c", "abc", true);
        row("a?c", "ac", false);
        row("a*c", "ac", true);
        row("a*c", "abbbbc", true);
        row("a*c", "abbbbd", false);
        row("*a*b*c*", "xxaxxbxxcxx", true);
        row("*a*b*c*", "xxcxxbxxaxx", false);
        row("report.*", "report", true);
        row("report.*", "report.pdf", true);
        row("report.*", "reports.pdf", false);
        row(".*", ".profile", true);
        row(".*", "profile", false);
        row("*.Μ*", "έγγραφο.μου", true);
        row("ΣΗΜΕΙΩΣΕΙΣ*", "σημειώσεις", false); // accents are letters of their own
        row("ΣΗΜΕΙΏΣΕΙΣ*", "σημειώσεις.txt", true);
        row("*σ", "ΛΟΓΟΣ", true);  // final sigma and capital sigma are one letter
        row("* *", "two words", true);
        row("* *", "oneword", false);
        row(" x", " x", true);
        row(" x", "x", false);
        row("[ab]", "a", false); // no character classes: brackets are letters
        row("[ab]", "[ab]", true);
        row("**", "", true);
    }
    void matching()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(Wildcard(pattern).matches(name), matches);
    }

    void matchesEverything_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("everything");
        QTest::newRow("*.*") << QStringLiteral("*.*") << true;
        QTest::newRow("*") << QStringLiteral("*") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("*.txt") << QStringLiteral("*.txt") << false;
        QTest::newRow(".*") << QStringLiteral(".*") << false;
    }
    void matchesEverything()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, everything);
        QCOMPARE(Wildcard(pattern).matchesEverything(), everything);
    }
};

TIDYHALL_TEST_MAIN(WildcardTest)
#include "tst_Wildcard.moc"
