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

    void buttonForValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("button");
        QTest::newRow("first") << 1 << 4 << 0;
        QTest::newRow("last") << 4 << 4 << 3;
        QTest::newRow("zero") << 0 << 4 << 0;
        QTest::newRow("above") << 5 << 4 << 0;
    }
    void buttonForValue()
    {
        QFETCH(int, value);
        QFETCH(int, count);
        QFETCH(int, button);
        QCOMPARE(ButtonForValue(value, count), button);
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

    void storeWritesEveryKeyInItsEncoding()
    {
        AppState s;
        s.IniPath = m_dir.filePath(QStringLiteral("store.ini"));
        OperationOptions o;
        o.deleteOption = 3;
        o.copyVerify = false;
        o.copyConfirm = true;
        o.copyRename = true;
        o.moveVerify = true;
        o.moveConfirm = false;
        o.moveRename = false;
        o.showOptions = false;
        o.selectTarget = true;
        o.backupVerify = false;
        o.backupQueryBefore = true;
        o.backupQueryAfter = false;
        o.backupQueryIfNotFound = true;
        o.backupTargetFolderAction = 7;
        o.backupSourceFolderAction = 6;
        o.findStartPoint = 3;
        o.findWindowSize = 2;
        StoreOptions(s, o);

        const QString &ini = s.IniPath;
        QCOMPARE(raw(ini, "General", "Delete"), QStringLiteral("3"));
        QCOMPARE(raw(ini, "Copy", "Verify"), QStringLiteral("2"));
        QCOMPARE(raw(ini, "Copy", "Confirm"), QStringLiteral("1"));
        QCOMPARE(raw(ini, "Copy", "Rename"), QStringLiteral("1"));
        QCOMPARE(raw(ini, "Move", "Verify"), QStringLiteral("1"));
        QCOMPARE(raw(ini, "Move", "Confirm"), QStringLiteral("2"));
        QCOMPARE(raw(ini, "Move", "Rename"), QStringLiteral("2"));
        QCOMPARE(raw(ini, "General", "ShowOptions"), QStringLiteral("2"));
        QCOMPARE(raw(ini, "General", "SelectTarget"), QStringLiteral("1"));
        QCOMPARE(raw(ini, "Backup", "Verify"), QStringLiteral("2"));
        QCOMPARE(raw(ini, "Backup", "QueryForNewNameBefore"), QStringLiteral("1"));
        QCOMPARE(raw(ini, "Backup", "QueryForNewNameAfter"), QStringLiteral("2"));
        QCOMPARE(raw(ini, "Backup", "QueryIfNotFound"), QStringLiteral("1"));
        QCOMPARE(raw(ini, "Backup", "TargetFolderAction"), QStringLiteral("7"));
        QCOMPARE(raw(ini, "Backup", "SourceFolderAction"), QStringLiteral("6"));
        QCOMPARE(raw(ini, "Find", "FindStartPoint"), QStringLiteral("3"));
        QCOMPARE(raw(ini, "Find", "FindWindowSize"), QStringLiteral("2"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Findwindowsize=2"));

        QCOMPARE(s.DeleteOption, 3);
        QVERIFY(!s.CopyVerify && s.CopyConfirm && s.CopyRename);
        QVERIFY(s.MoveVerify && !s.MoveConfirm && !s.MoveRename);
        QVERIFY(!s.ShowOptions && s.SelectTarget);
        QVERIFY(!s.BackupVerify && s.BackupQueryBefore && !s.BackupQueryAfter && s.BackupQueryIfNotFound);
        QCOMPARE(s.BackupTargetFolderAction, 7);
        QCOMPARE(s.BackupSourceFolderAction, 6);
        QCOMPARE(s.FindStartPoint, 3);
        QCOMPARE(s.FindWindowSize, 2);
    }

    void storeKeepsTheOtherKeysOfTheFile()
    {
        AppState s;
        s.IniPath = m_dir.filePath(QStringLiteral("keep.ini"));
        QVERIFY(PrivateProfile::writeString(QStringLiteral("Printer"), QStringLiteral("FontSize"), QStringLiteral("9"), s.IniPath));
        StoreOptions(s, OperationOptions{});
        QCOMPARE(raw(s.IniPath, "Printer", "FontSize"), QStringLiteral("9"));
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
