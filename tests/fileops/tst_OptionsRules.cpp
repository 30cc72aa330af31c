#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/OptionsRules.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <QTemporaryDir>
#include <QtTest>

using Bools = QList<bool>;

class OptionsRulesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void keepExclusive_data()
    {
        QTest::addColumn<Bools>("before");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<Bools>("after");
        QTest::newRow("checking one clears the others") << Bools{true, false, true, false, true, false} << 4
                                                        << Bools{false, false, false, false, true, false};
        QTest::newRow("clearing leaves the others alone") << Bools{false, true, false} << 0 << Bools{false, true, false};
        QTest::newRow("index out of range changes nothing") << Bools{true, true} << 5 << Bools{true, true};
    }
    void keepExclusive()
    {
        QFETCH(Bools, before);
        QFETCH(int, clicked);
        QFETCH(Bools, after);
        KeepExclusive(std::span<bool>(before.data(), before.size()), std::size_t(clicked));
        QCOMPARE(before, after);
    }

    // A stored action checks its box again when loaded; none checked stores a value of
    // its own, which loads as no box.
    void actionFromBoxes_data()
    {
        QTest::addColumn<Bools>("boxes");
        QTest::addColumn<int>("nothing");
        QTest::addColumn<int>("action");
        QTest::newRow("target, none checked") << Bools(6, false) << 7 << 7;
        QTest::newRow("source, none checked") << Bools(5, false) << 6 << 6;
        QTest::newRow("target, first") << Bools{true, false, false, false, false, false} << 7 << 1;
        QTest::newRow("target, rename") << Bools{false, false, false, false, false, true} << 7 << 6;
        QTest::newRow("source, mark as backed up") << Bools{false, false, false, false, true} << 6 << 5;
    }
    void actionFromBoxes()
    {
        QFETCH(Bools, boxes);
        QFETCH(int, nothing);
        QFETCH(int, action);
        QCOMPARE(ActionFromBoxes(std::span<const bool>(boxes.data(), boxes.size()), nothing), action);
        QCOMPARE(BoxForAction(action, int(boxes.size())), action == nothing ? -1 : action - 1);
    }

    void optionsPageIsTakenOnce_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("copy") << 1 << 1;
        QTest::newRow("find, the last") << 4 << 4;
        QTest::newRow("out of range") << 9 << 0;
        QTest::newRow("negative") << -1 << 0;
    }
    void optionsPageIsTakenOnce()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        AppState s;
        s.OptionsPage = stored;
        QCOMPARE(TakeOptionsPage(s), shown);
        QCOMPARE(s.OptionsPage, 0);
    }

    // Start-up reads FindWindowSize; the dialog has always written it with its own
    // spelling, which files carried over from earlier installations hold.
    void findWindowSizeIsWrittenWithItsOwnSpelling()
    {
        AppState s;
        s.IniPath = m_dir.filePath("store.ini");
        OperationOptions o;
        o.findWindowSize = 2;
        StoreOptions(s, o);
        QFile file(s.IniPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Findwindowsize=2"));
        QCOMPARE(PrivateProfile::readString("Find", "FindWindowSize", "", 100, s.IniPath), QStringLiteral("2"));
    }

    void aKeyThatCannotBeWrittenIsReported()
    {
        AppState s;
        s.IniPath = m_dir.filePath("no such folder/Tidyhall.ini");
        OperationOptions o;
        o.deleteOption = 4;
        try {
            StoreOptions(s, o);
            QFAIL("no error for a settings file that cannot be written");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, 76);
            QVERIFY(e.description.contains(s.IniPath));
        }
        // Nothing reached the file, so nothing changes in the program either.
        QCOMPARE(s.DeleteOption, 1);
    }
};

TIDYHALL_TEST_MAIN(OptionsRulesTest)
#include "tst_OptionsRules.moc"
