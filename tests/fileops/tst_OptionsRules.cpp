#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/OptionsRules.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <QTemporaryDir>
#include <QtTest>
#include <vector>

using Bools = std::vector<bool>;
Q_DECLARE_METATYPE(Bools)

class OptionsRulesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    static QString raw(const QString &ini, const char *section, const char *key)
    {
        return PrivateProfile::readString(QString::fromLatin1(section), QString::fromLatin1(key),
                                          QStringLiteral("<missing>"), 100, ini);
    }

private Q_SLOTS:
    void keepExclusive_data()
    {
        QTest::addColumn<Bools>("before");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<Bools>("after");
        QTest::newRow("checking replace clears rename") << Bools{true, true} << 0 << Bools{true, false};
        QTest::newRow("checking rename clears replace") << Bools{true, true} << 1 << Bools{false, true};
        QTest::newRow("clearing the only box leaves both clear") << Bools{false, false} << 0 << Bools{false, false};
        QTest::newRow("clearing leaves the others alone") << Bools{false, true, false} << 0 << Bools{false, true, false};
        QTest::newRow("six boxes, fifth checked") << Bools{true, false, true, false, true, false} << 4
                                                  << Bools{false, false, false, false, true, false};
        QTest::newRow("index out of range changes nothing") << Bools{true, true} << 5 << Bools{true, true};
    }
    void keepExclusive()
    {
        QFETCH(Bools, before);
        QFETCH(int, clicked);
        QFETCH(Bools, after);
        std::unique_ptr<bool[]> boxes(new bool[before.size()]);
        std::copy(before.begin(), before.end(), boxes.get());
        KeepExclusive(std::span<bool>(boxes.get(), before.size()), static_cast<std::size_t>(clicked));
        QCOMPARE(Bools(boxes.get(), boxes.get() + before.size()), after);
    }

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
        std::unique_ptr<bool[]> b(new bool[boxes.size()]);
        std::copy(boxes.begin(), boxes.end(), b.get());
        QCOMPARE(ActionFromBoxes(std::span<const bool>(b.get(), boxes.size()), nothing), action);
        // Loading the stored action checks the same box again, or none.
        const int box = BoxForAction(action, static_cast<int>(boxes.size()));
        QCOMPARE(box, action == nothing ? -1 : action - 1);
    }

    void backupPageCaption_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("caption");
        QTest::newRow("1 en") << 0 << false << QStringLiteral(" Backup: Step 1 of 3. ");
        QTest::newRow("2 en") << 1 << false << QStringLiteral(" Backup: Step 2 of 3. ");
        QTest::newRow("3 en") << 2 << false << QStringLiteral(" Backup: Step 3 of 3. ");
        QTest::newRow("1 el") << 0 << true << QStringLiteral(" Αποθήκευση: Βήμα 1 από 3. ");
        QTest::newRow("3 el") << 2 << true << QStringLiteral(" Αποθήκευση: Βήμα 3 από 3. ");
    }
    void backupPageCaption()
    {
        QFETCH(int, step);
        QFETCH(bool, greek);
        QFETCH(QString, caption);
        QCOMPARE(BackupPageCaption(step, greek), caption);
    }

    void optionsPageIsTakenOnce_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("delete") << 0 << 0;
        QTest::newRow("copy") << 1 << 1;
        QTest::newRow("find") << 4 << 4;
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

    void showOptionsFirst()
    {
        AppState s;
        int opened = 0;
        int pageSeen = -1;
        s.ShowOptions = false;
        ShowOptionsFirst(s, OptionsPageOf::Move, [&] { ++opened; });
        QCOMPARE(opened, 0);
        QCOMPARE(s.OptionsPage, 0);
        s.ShowOptions = true;
        ShowOptionsFirst(s, OptionsPageOf::Move, [&] {
            ++opened;
            pageSeen = s.OptionsPage;
        });
        QCOMPARE(opened, 1);
        QCOMPARE(pageSeen, 2);
    }

    // Start-up reads FindWindowSize; the dialog has always written it with its own
    // spelling, which files carried over from earlier installations hold.
    void findWindowSizeIsWrittenWithItsOwnSpelling()
    {
        AppState s;
        s.IniPath = m_dir.filePath(QStringLiteral("store.ini"));
        OperationOptions o;
        o.findWindowSize = 2;
        StoreOptions(s, o);
        QFile file(s.IniPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Findwindowsize=2"));
        QCOMPARE(raw(s.IniPath, "Find", "FindWindowSize"), QStringLiteral("2"));
    }

    void aKeyThatCannotBeWrittenIsReported()
    {
        AppState s;
        s.IniPath = m_dir.filePath(QStringLiteral("no such folder/Tidyhall.ini"));
        OperationOptions o;
        o.deleteOption = 4;
        try {
            StoreOptions(s, o);
            QFAIL("no error for a settings file that cannot be written");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, 76);
            QVERIFY(e.description.contains(s.IniPath));
        }
        // The value reached the state before its key failed; nothing after it ran.
        QCOMPARE(s.DeleteOption, 4);
    }
};

TIDYHALL_TEST_MAIN(OptionsRulesTest)
#include "tst_OptionsRules.moc"
