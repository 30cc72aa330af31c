#include "TestEnvironment.h"
#include "inspect/SelectionStepper.h"

#include <QtTest>

namespace {

using Step = SelectionStepper::Step;

QStringList entries(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list.append(QStringLiteral("/data/item%1").arg(i) + QChar(u'\0'));
    return list;
}

// "FPNL" for the four step buttons, "-" where one is disabled.
QString enabledPattern(const SelectionStepper &s)
{
    QString pattern;
    const char letters[] = "FPNL";
    for (int i = 0; i < 4; ++i)
        pattern += s.isEnabled(Step(i)) ? QLatin1Char(letters[i]) : QLatin1Char('-');
    return pattern;
}

} // namespace

class SelectionStepperTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Steps from item 1 (where every dialog opens): the position reached and the
    // buttons usable there.
    void steps_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("steps"); // one digit per cmdStep index pressed
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("enabled");

        QTest::newRow("two, opened") << 2 << "" << 1 << "F-NL";
        QTest::newRow("two, Next") << 2 << "2" << 2 << "FP-L";
        QTest::newRow("two, Next, Previous") << 2 << "21" << 1 << "F-NL";
        QTest::newRow("two, First on item 1") << 2 << "0" << 1 << "F-NL";
        QTest::newRow("three, Next") << 3 << "2" << 2 << "FPNL";
        QTest::newRow("three, Last") << 3 << "3" << 3 << "FP-L";
        QTest::newRow("three, Last, Previous") << 3 << "31" << 2 << "FPNL";
        QTest::newRow("five, Next twice") << 5 << "22" << 3 << "FPNL";
        // A step a disabled button would take (from code) never leaves the list.
        QTest::newRow("three, Next beyond the end") << 3 << "2222" << 3 << "FP-L";
        QTest::newRow("three, Previous before item 1") << 3 << "11" << 1 << "F-NL";
        QTest::newRow("one item") << 1 << "" << 1 << "----";
        QTest::newRow("one item, Next") << 1 << "2" << 1 << "----";
        QTest::newRow("no item") << 0 << "0" << 0 << "----";
    }
    void steps()
    {
        QFETCH(int, count);
        QFETCH(QString, steps);
        QFETCH(int, position);
        QFETCH(QString, enabled);

        SelectionStepper stepper(entries(count));
        for (QChar c : steps)
            stepper.step(Step(c.digitValue()));
        QCOMPARE(stepper.position(), position);
        QCOMPARE(enabledPattern(stepper), enabled);
        const QString expectedName = position ? QStringLiteral("item%1").arg(position) : QString();
        QCOMPARE(stepper.currentName(), expectedName);
    }

    void positionLine_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("line");

        QTest::newRow("English, blank at the end") << 2 << 1 << false << "Selected item 1 of 2. Title: ";
        QTest::newRow("Greek, no blank at the end") << 2 << 2 << true << "Επιλεγμένο στοιχείο 2 από 2. Τίτλος:";
        QTest::newRow("numbers without padding") << 120 << 120 << false << "Selected item 120 of 120. Title: ";
    }
    void positionLine()
    {
        QFETCH(int, count);
        QFETCH(int, position);
        QFETCH(bool, greek);
        QFETCH(QString, line);

        SelectionStepper stepper(entries(count));
        stepper.moveTo(position);
        QCOMPARE(stepper.positionLine(greek), line);
    }

    // The name is everything after the last "/": exact bytes, blanks and all; an entry
    // without "/" shows no name but still counts.
    void names_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");

        const QChar nul(u'\0');
        QTest::newRow("plain") << QStringLiteral("/a/b.txt") + nul << "/a/b.txt" << "b.txt";
        QTest::newRow("blanks kept") << QStringLiteral("/a/ x ") + nul << "/a/ x " << " x ";
        QTest::newRow("odd byte kept") << QStringLiteral("/a/\xDCFF") << QStringLiteral("/a/\xDCFF")
                                       << QStringLiteral("\xDCFF");
        QTest::newRow("no slash") << QStringLiteral("loose") + nul << "loose" << "";
        QTest::newRow("folder entry") << QStringLiteral("/a/dir/") + nul << "/a/dir/" << "";
    }
    void names()
    {
        QFETCH(QString, entry);
        QFETCH(QString, path);
        QFETCH(QString, name);

        SelectionStepper stepper({QStringLiteral("/first"), entry});
        stepper.step(SelectionStepper::Last);
        QCOMPARE(stepper.currentPath(), path);
        QCOMPARE(stepper.currentName(), name);
        QCOMPARE(stepper.positionLine(false), QStringLiteral("Selected item 2 of 2. Title: "));
    }

    void replacingTheCurrentEntryKeepsThePosition()
    {
        SelectionStepper stepper(entries(3));
        stepper.step(SelectionStepper::Next);
        stepper.replaceCurrent(QStringLiteral("/data/renamed"));
        QCOMPARE(stepper.position(), 2);
        QCOMPARE(stepper.currentName(), QStringLiteral("renamed"));
        QCOMPARE(stepper.entries().at(0), entries(1).at(0));
    }
};

TIDYHALL_TEST_MAIN(SelectionStepperTest)
#include "tst_SelectionStepper.moc"
