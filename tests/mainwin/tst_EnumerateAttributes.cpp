#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/EnumerateFolder.h"
#include "platform/DosAttributes.h"
#include "platform/RuntimeError.h"

#include <QtTest>

// The listing shows the attributes stored for each item, read through the folder's
// path as the enumeration does it.
class EnumerateAttributesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedBitsReachTheTable_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("system");
        QTest::addColumn<bool>("archive");
        QTest::newRow("hidden and system") << true << true << false;
        QTest::newRow("system only, backed up") << false << true << false;
        QTest::newRow("nothing, not backed up") << false << false << true;
    }
    void storedBitsReachTheTable()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, system);
        QFETCH(bool, archive);
        TempTree tree;
        const QString file = tree.file(QStringLiteral("folder with spaces/ item.txt"), "x");
        DosAttributes wanted;
        wanted.hidden = hidden;
        wanted.system = system;
        wanted.archive = archive;
        try {
            writeAttributes(file, wanted);
        } catch (const RuntimeError &e) {
            QSKIP(qPrintable(QStringLiteral("this volume keeps no attributes: ") + e.description));
        }
        ItemTable table;
        AppState state;
        EnumerateFolder(table, state, tree.path(QStringLiteral("folder with spaces")), QStringLiteral("*.*"));
        QCOMPARE(table.size(), std::size_t(1));
        QCOMPARE(table[0].name, QStringLiteral(" item.txt"));
        QCOMPARE(table[0].hidden, hidden);
        QCOMPARE(table[0].system, system);
        QCOMPARE(table[0].archive, archive);
    }
};

TIDYHALL_TEST_MAIN(EnumerateAttributesTest)
#include "tst_EnumerateAttributes.moc"
