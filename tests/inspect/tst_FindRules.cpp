#include "TempTree.h"
#include "TestEnvironment.h"
#include "inspect/FindRules.h"
#include "inspect/FindTexts.h"
#include "platform/LegacyText.h"
#include "platform/Volumes.h"

#include <QtTest>

class FindRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inputProblems_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("problem"); // English text, "" for none
        const QString blank = QString::fromUtf8(FindTexts::BlankPattern.english);
        const QString reversed = QString::fromUtf8(FindTexts::DateRangeReversed.english);
        QTest::newRow("empty pattern finds every name") << "" << QDate() << QDate() << "";
        QTest::newRow("blanks only") << "   " << QDate() << QDate() << blank;
        QTest::newRow("a tab only") << "\t" << QDate() << QDate() << blank;
        QTest::newRow("blanks around a name") << " a* " << QDate() << QDate() << "";
        QTest::newRow("one day") << "*" << QDate(2024, 2, 29) << QDate(2024, 2, 29) << "";
        QTest::newRow("end before start") << "*" << QDate(2024, 3, 1) << QDate(2024, 2, 29) << reversed;
        QTest::newRow("open start") << "*" << QDate() << QDate(2000, 1, 1) << "";
    }
    void inputProblems()
    {
        QFETCH(QString, pattern);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, problem);
        FindCriteria c;
        c.pattern = pattern;
        if (from.isValid())
            c.modifiedFrom = from;
        if (to.isValid())
            c.modifiedTo = to;
        const auto found = FindInputProblem(c);
        QCOMPARE(found ? QString::fromUtf8(found->english) : QString(), problem);
    }

    void needles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QByteArray>>("needles");
        QTest::newRow("none") << QString() << QList<QByteArray>{};
        QTest::newRow("plain ASCII has one form") << "hello" << QList<QByteArray>{"hello"};
        QTest::newRow("Greek has both forms") << QStringLiteral("Καλή")
                                              << QList<QByteArray>{QStringLiteral("Καλή").toUtf8(), "\xCA\xE1\xEB\xDE"};
        QTest::newRow("a character the code page lacks") << QStringLiteral("Καλή 中")
                                                         << QList<QByteArray>{QStringLiteral("Καλή 中").toUtf8()};
    }
    void needles()
    {
        QFETCH(QString, text);
        QFETCH(QList<QByteArray>, needles);
        QCOMPARE(TextNeedles(text), needles);
    }

    void dateRange_data()
    {
        QTest::addColumn<QDate>("modified");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<bool>("inside");
        const QDate d(2023, 6, 15);
        QTest::newRow("no range") << d << QDate() << QDate() << true;
        QTest::newRow("on the first day") << d << d << QDate() << true;
        QTest::newRow("on the last day") << d << QDate() << d << true;
        QTest::newRow("a day before") << d << d.addDays(1) << QDate() << false;
        QTest::newRow("a day after") << d << QDate() << d.addDays(-1) << false;
        QTest::newRow("within") << d << QDate(2023, 1, 1) << QDate(2023, 12, 31) << true;
        QTest::newRow("new year's eve") << QDate(2022, 12, 31) << QDate(2023, 1, 1) << QDate(2023, 12, 31) << false;
    }
    void dateRange()
    {
        QFETCH(QDate, modified);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(bool, inside);
        const auto opt = [](const QDate &d) { return d.isValid() ? std::optional<QDate>(d) : std::nullopt; };
        QCOMPARE(ModifiedInRange(modified, opt(from), opt(to)), inside);
    }

    void startPoint_data()
    {
        QTest::addColumn<int>("startPoint");
        QTest::addColumn<QString>("browsed"); // what the folder browser answers
        QTest::addColumn<QString>("expected"); // DEEP for the folder shown, ROOT for its volume's top
        QTest::addColumn<int>("browses");
        QTest::newRow("volume root of a deep folder") << 1 << "" << "ROOT" << 0;
        QTest::newRow("the folder shown") << 2 << "" << "DEEP" << 0;
        QTest::newRow("chosen each time") << 3 << "/chosen" << "/chosen" << 1;
        QTest::newRow("chosen, cancelled: nothing starts") << 3 << "" << "" << 1;
    }
    void startPoint()
    {
        QFETCH(int, startPoint);
        QFETCH(QString, browsed);
        QFETCH(QString, expected);
        QFETCH(int, browses);
        TempTree tree;
        const QString deep = tree.folder(QStringLiteral("a/b/c/d"));
        expected.replace(QStringLiteral("ROOT"), volumeOf(deep).mountPoint).replace(QStringLiteral("DEEP"), deep);
        int asked = 0;
        QCOMPARE(ChooseFindStart(startPoint, deep, [&] { ++asked; return browsed; }), expected);
        QCOMPARE(asked, browses);
    }
};

TIDYHALL_TEST_MAIN(FindRulesTest)
#include "tst_FindRules.moc"
