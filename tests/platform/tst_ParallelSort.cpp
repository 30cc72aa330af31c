#include "TestEnvironment.h"
#include "platform/ParallelSort.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

// Runs sorted apart and merged give exactly the order one sort gives, whatever the
// number of runs, odd ones included.
class ParallelSortTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sameOrderAsOneSort_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("workers");
        QTest::newRow("empty") << 0 << 4;
        QTest::newRow("too short to share") << 16384 * 2 - 1 << 8;
        QTest::newRow("two runs") << 16384 * 2 << 2;
        QTest::newRow("three runs, uneven lengths") << 16384 * 3 + 7 << 3;
        QTest::newRow("five runs") << 16384 * 5 + 1 << 5;
        QTest::newRow("eight runs") << 16384 * 8 + 3 << 8;
        QTest::newRow("the processors at hand") << 100003 << 0;
    }
    void sameOrderAsOneSort()
    {
        QFETCH(int, count);
        QFETCH(int, workers);
        // Many equal keys, told apart by their position, so the order is total.
        QRandomGenerator random(static_cast<quint32>(count));
        std::vector<std::pair<int, int>> values;
        for (int i = 0; i < count; ++i)
            values.emplace_back(int(random.bounded(1000)), i);
        std::vector<std::pair<int, int>> expected = values;
        std::sort(expected.begin(), expected.end());
        const auto less = [](const std::pair<int, int> &a, const std::pair<int, int> &b) { return a < b; };
        if (workers == 0)
            parallelSort(values.begin(), values.end(), less);
        else
            parallelSort(values.begin(), values.end(), less, workers);
        QVERIFY(values == expected);
    }
};

TIDYHALL_TEST_MAIN(ParallelSortTest)
#include "tst_ParallelSort.moc"
