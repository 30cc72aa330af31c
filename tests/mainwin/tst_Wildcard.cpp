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
        row("*.*", "Makefile", true); // a name without a dot still matches "*.*"
        row("", "anything", true);
        row("*.txt", "NOTES.TXT", true);
        row("*.txt", "notes.txt.bak", false);
        row("*.txt", "txt", false);
        row("?.c", "ab.c", false);
        row("?.c", ".c", false);
        row("a?c", "abc", true);
        row("a*c", "ac", true);
        row("*a*b*c*", "xxaxxbxxcxx", true);
        row("*a*b*c*", "xxcxxbxxaxx", false);
        row("report.*", "report", true);
        row(".*", ".profile", true);
        row(".*", "profile", false);
        row("ΣΗΜΕΙΩΣΕΙΣ*", "σημειώσεις", false); // accents are letters of their own
        row("ΣΗΜΕΙΏΣΕΙΣ*", "σημειώσεις.txt", true);
        row("*σ", "ΛΟΓΟΣ", true); // final sigma and capital sigma are one letter
        row(" x", "x", false);
        row("[ab]", "a", false); // no character classes: brackets are letters
        row("[ab]", "[ab]", true);
        row("**", "", true);
        row("?", "😀", true); // one character, though two UTF-16 units
        row("a?b", "a😀b", true);
        row("??", "😀", false);
        row("*.", "Makefile", true); // names without an extension
        row("*.", "notes.txt", false);
        row("m*.", "Makefile", true);
        row("*.txt  ", "notes.txt", true); // blanks after the pattern are not part of it
    }
    void matching()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(Wildcard(pattern).matches(name), matches);
    }

    // Patterns taken as "everything" skip matching, so a narrower one must never be.
    void matchesEverything()
    {
        for (const QString &pattern : {QStringLiteral("*.*"), QStringLiteral("*"), QString()})
            QVERIFY2(Wildcard(pattern).matchesEverything(), qPrintable(pattern));
        for (const QString &pattern : {QStringLiteral("*.txt"), QStringLiteral(".*")})
            QVERIFY2(!Wildcard(pattern).matchesEverything(), qPrintable(pattern));
    }
};

TIDYHALL_TEST_MAIN(WildcardTest)
#include "tst_Wildcard.moc"
