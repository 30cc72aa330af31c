#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "fileops/OperationFlags.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SettingsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    AppState readFrom(const QByteArray &contents)
    {
        AppState s;
        s.IniPath = m_dir.filePath(QStringLiteral("Tidyhall.ini"));
        QFile::remove(s.IniPath);
        if (!contents.isNull()) {
            QFile f(s.IniPath);
            if (f.open(QIODevice::WriteOnly))
                f.write(contents);
        }
        ReadSettings(s);
        return s;
    }

private Q_SLOTS:
    void emptyOrMissingFileGivesTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("no sections") << QByteArray("Language=1\nDelete=3\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\x13\x88[\x01", 6);
    }
    void emptyOrMissingFileGivesTheDefaults()
    {
        QFETCH(QByteArray, contents);
        const AppState s = readFrom(contents);
        QVERIFY(s.LanguageGreek);
        QCOMPARE(s.DeleteOption, 1);
        QCOMPARE(s.DeleteFlags, int(OperationFlag::AllowUndo));
        QVERIFY(s.ShowOptions);
        QVERIFY(s.SelectTarget);
        QCOMPARE(s.ArchiveStartPoint, 1);
        QVERIFY(s.QuickViewPath.isEmpty());
        QVERIFY(s.InitialPath.isEmpty());
        QVERIFY(!s.PrintToFile);
        QVERIFY(s.CopyVerify && s.CopyConfirm && !s.CopyRename);
        QVERIFY(s.MoveVerify && s.MoveConfirm && !s.MoveRename);
        QCOMPARE(s.CopyFlags, 0);
        QCOMPARE(s.MoveFlags, 0);
        QVERIFY(s.BackupVerify && s.BackupQueryBefore && s.BackupQueryAfter && s.BackupQueryIfNotFound);
        QCOMPARE(s.BackupTargetFolderAction, 1);
        QCOMPARE(s.BackupSourceFolderAction, 5);
        QCOMPARE(s.FindStartPoint, 2);
        QCOMPARE(s.FindWindowSize, 1);
        QCOMPARE(s.PrintTopMargin, 0);
        QCOMPARE(s.PrintLeftMargin, 0);
        QVERIFY(s.PrintFontName.isEmpty());
        QCOMPARE(s.PrintFontSize, 8);
        QCOMPARE(s.PrintLinesPerPage, 40);
        QCOMPARE(s.PropertyRestrictions, 1);
        QVERIFY(s.RestrictHidden && s.RestrictSystem && s.RestrictReadOnly && s.RestrictArchive);
        QVERIFY(s.ShowFolders && s.ShowFiles);
        QCOMPARE(s.OrderOfAppearance, 1);
        QCOMPARE(s.SortColumn, 3);
        QCOMPARE(s.SortOrder, 1);
    }

    void integerKeys_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<int>("sortOrder");
        QTest::addColumn<int>("order");
        QTest::newRow("in range") << QByteArray("[InternalSorting]\nSortColumn=7\nSortOrder=2\n[Appearance]\nOrderOfAppearance=3\n") << 7 << 2 << 3;
        QTest::newRow("out of range") << QByteArray("[InternalSorting]\nSortColumn=11\nSortOrder=0\n[Appearance]\nOrderOfAppearance=9\n") << 3 << 1 << 2;
        QTest::newRow("cut to four characters") << QByteArray("[InternalSorting]\nSortColumn=10000\n") << 3 << 1 << 1;
        QTest::newRow("leading blanks") << QByteArray("[InternalSorting]\nSortColumn=  7\n") << 7 << 1 << 1;
        QTest::newRow("minus zero") << QByteArray("[InternalSorting]\nSortOrder=-0\n") << 3 << 1 << 1;
        QTest::newRow("exponent") << QByteArray("[InternalSorting]\nSortColumn=1e9\n") << 3 << 1 << 1;
        QTest::newRow("hex is not a number") << QByteArray("[InternalSorting]\nSortColumn=0x10\n") << 3 << 1 << 1;
        QTest::newRow("rounded half to even") << QByteArray("[InternalSorting]\nSortColumn=4.5\nSortOrder=1.6\n") << 4 << 2 << 1;
        QTest::newRow("words") << QByteArray("[InternalSorting]\nSortColumn=five\n") << 3 << 1 << 1;
    }
    void integerKeys()
    {
        QFETCH(QByteArray, contents);
        const AppState s = readFrom(contents);
        QTEST(s.SortColumn, "sortColumn");
        QTEST(s.SortOrder, "sortOrder");
        QTEST(s.OrderOfAppearance, "order");
    }

    void printerKeysRoundThenCheckRange_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("top");
        QTest::newRow("10.4 is in range") << QByteArray("10.4") << 10;
        QTest::newRow("10.6 is not") << QByteArray("10.6") << 0;
        QTest::newRow("-0.4 is not") << QByteArray("-0.4") << 0;
        QTest::newRow("3") << QByteArray("3") << 3;
    }
    void printerKeysRoundThenCheckRange()
    {
        QFETCH(QByteArray, value);
        const AppState s = readFrom("[Printer]\nTopMargin=" + value + "\nLinesPerPage=70\nFontSize=9\n");
        QTEST(s.PrintTopMargin, "top");
        QCOMPARE(s.PrintLinesPerPage, 70);
        QCOMPARE(s.PrintFontSize, 9);
    }

    void flagsAndWords_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<bool>("showOptions");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("printToFile");
        QTest::addColumn<QString>("font");
        QTest::newRow("english") << QByteArray("[General]\nLanguage=1\n") << false << true << true << false << "";
        QTest::newRow("any other number is english") << QByteArray("[General]\nLanguage=7\n") << false << true << true << false << "";
        QTest::newRow("kind 1 false only for 2") << QByteArray("[General]\nShowOptions=2\n") << true << false << true << false << "";
        QTest::newRow("kind 1 true for 0") << QByteArray("[General]\nShowOptions=0\n") << true << true << true << false << "";
        QTest::newRow("kind 3 true only for 1") << QByteArray("[Properties]\nHidden=2\n") << true << true << false << false << "";
        QTest::newRow("truth word") << QByteArray("[General]\nPrintToFile=True\n") << true << true << true << true << "";
        QTest::newRow("truth number") << QByteArray("[General]\nPrintToFile=-1\n") << true << true << true << true << "";
        QTest::newRow("font exact") << QByteArray("[Printer]\nFontName=Courier New Greek\n") << true << true << true << false << "Courier New Greek";
        QTest::newRow("font other case") << QByteArray("[Printer]\nFontName=courier new\n") << true << true << true << false << "";
        QTest::newRow("font other") << QByteArray("[Printer]\nFontName=Arial\n") << true << true << true << false << "";
    }
    void flagsAndWords()
    {
        QFETCH(QByteArray, contents);
        const AppState s = readFrom(contents);
        QTEST(s.LanguageGreek, "greek");
        QTEST(s.ShowOptions, "showOptions");
        QTEST(s.RestrictHidden, "hidden");
        QTEST(s.PrintToFile, "printToFile");
        QTEST(s.PrintFontName, "font");
    }

    void confirmAndRenameRule()
    {
        const AppState s = readFrom("[Copy]\nConfirm=2\nRename=1\n[Move]\nConfirm=2\nRename=2\n");
        QVERIFY(s.CopyConfirm);
        QVERIFY(!s.CopyRename);
        QCOMPARE(s.CopyFlags, 0);
        QVERIFY(!s.MoveConfirm);
        QCOMPARE(s.MoveFlags, int(OperationFlag::NoConfirmation));
    }

    void neitherFoldersNorFilesShowsBoth()
    {
        const AppState s = readFrom("[Appearance]\nFolders=0\nFiles=0\n");
        QVERIFY(s.ShowFolders && s.ShowFiles);
    }

    void writersAreReadBack()
    {
        AppState s;
        s.IniPath = m_dir.filePath(QStringLiteral("rt.ini"));
        writeSetting(s.IniPath, Keys::Language, false);
        writeSetting(s.IniPath, Keys::Delete, 3);
        writeSetting(s.IniPath, Keys::ShowOptions, false);
        writeSetting(s.IniPath, Keys::CopyRename, true);
        writeSetting(s.IniPath, Keys::Hidden, false);
        writeSetting(s.IniPath, Keys::FindWindowSizeAsWritten, 2);
        writeSetting(s.IniPath, Keys::PrintToFile, true);
        writeSetting(s.IniPath, Keys::StartingPoint, QStringLiteral("/home/Φάκελλος με κενά/"));
        ReadSettings(s);
        QVERIFY(!s.LanguageGreek);
        QCOMPARE(s.DeleteOption, 3);
        QCOMPARE(s.DeleteFlags, 0);
        QVERIFY(!s.ShowOptions);
        QVERIFY(s.CopyRename);
        QVERIFY(!s.RestrictHidden);
        QCOMPARE(s.FindWindowSize, 2);
        QVERIFY(s.PrintToFile);
        QCOMPARE(s.InitialPath, QStringLiteral("/home/Φάκελλος με κενά/"));
        QFile f(s.IniPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.contains("Language=1\r\n"));
        QVERIFY(text.contains("ShowOptions=2\r\n"));
        QVERIFY(text.contains("Hidden=0\r\n"));
        QVERIFY(text.contains("PrintToFile=True\r\n"));
    }

    void flagMappings_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("flags");
        QTest::newRow("1 trash, ask") << 1 << 0x40;
        QTest::newRow("2 trash, silent") << 2 << 0x50;
        QTest::newRow("3 permanent, ask") << 3 << 0x0;
        QTest::newRow("4 permanent, silent") << 4 << 0x10;
        QTest::newRow("other") << 9 << 0x40;
    }
    void flagMappings()
    {
        QFETCH(int, option);
        QTEST(int(DeleteFlagsFor(option)), "flags");
        QCOMPARE(CopyFlagsFor(true, false), 0u);
        QCOMPARE(CopyFlagsFor(false, false), 0x10u);
        QCOMPARE(CopyFlagsFor(true, true), 0x8u);
        QCOMPARE(CopyFlagsFor(false, true), 0x18u);
    }
};

TIDYHALL_TEST_MAIN(SettingsTest)
#include "tst_Settings.moc"
