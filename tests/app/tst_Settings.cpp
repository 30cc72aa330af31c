#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every field the settings file sets, by its name in AppState, with what a missing or
// empty file gives.
#define SETTINGS_FIELDS(X)                                                                                             \
    X(LanguageGreek, true) X(DeleteOption, 1) X(ShowOptions, true)      \
    X(SelectTarget, true) X(ArchiveStartPoint, 1) X(QuickViewPath, QString()) X(InitialPath, QString())               \
    X(PrintToFile, false) X(CopyVerify, true) X(CopyConfirm, true) X(CopyRename, false)               \
    X(MoveVerify, true) X(MoveConfirm, true) X(MoveRename, false) X(BackupVerify, true)               \
    X(BackupQueryBefore, true) X(BackupQueryAfter, true) X(BackupQueryIfNotFound, true)                               \
    X(BackupTargetFolderAction, 1) X(BackupSourceFolderAction, 5) X(FindStartPoint, 2) X(FindWindowSize, 1)           \
    X(PrintTopMargin, 0) X(PrintLeftMargin, 0) X(PrintFontName, QString()) X(PrintFontSize, 8)                        \
    X(PrintLinesPerPage, 40) X(PropertyRestrictions, 1) X(RestrictHidden, true) X(RestrictSystem, true)               \
    X(RestrictReadOnly, true) X(RestrictArchive, true) X(ShowFolders, true) X(ShowFiles, true)                        \
    X(OrderOfAppearance, 1) X(SortColumn, 3) X(SortOrder, 1)

#define FIELD_OF(name, byDefault) {QStringLiteral(#name), QVariant(s.name)},
QVariantMap fieldsOf(const AppState &s) { return {SETTINGS_FIELDS(FIELD_OF)}; }
#define DEFAULT_OF(name, byDefault) {QStringLiteral(#name), QVariant(byDefault)},
const QVariantMap Defaults{SETTINGS_FIELDS(DEFAULT_OF)};

// Every key away from its default.
const QByteArray EveryKey =
    "[General]\nLanguage=1\nDelete=4\nShowOptions=2\nSelectTarget=2\nArchiveStartPoint=3\nQuickViewPath=/q v\n"
    "StartingPoint=/s/\nPrintToFile=True\n[Copy]\nVerify=2\nConfirm=2\nRename=2\n[Move]\nVerify=2\nConfirm=1\nRename=1\n"
    "[Backup]\nVerify=2\nQueryForNewNameBefore=2\nQueryForNewNameAfter=2\nQueryIfNotFound=2\nTargetFolderAction=7\n"
    "SourceFolderAction=6\n[Find]\nFindStartPoint=3\nFindWindowSize=2\n[Printer]\nTopMargin=1\nLeftMargin=20\n"
    "FontName=Courier New\nFontSize=9\nLinesPerPage=70\n[Properties]\nPropertyRestrictions=3\nHidden=0\nSystem=0\n"
    "ReadOnly=0\nArchive=0\n[Appearance]\nFolders=0\nFiles=1\nOrderOfAppearance=3\n[InternalSorting]\nSortColumn=10\n"
    "SortOrder=2\n";

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString iniHolding(const QByteArray &contents)
    {
        const QString path = m_dir.filePath(QStringLiteral("Tidyhall.ini"));
        QFile::remove(path);
        QFile f(path);
        if (!contents.isNull() && f.open(QIODevice::WriteOnly))
            f.write(contents);
        return path;
    }

    static void verifyFields(const AppState &s, const QVariantMap &changes)
    {
        QVariantMap expected = Defaults;
        expected.insert(changes);
        const QVariantMap actual = fieldsOf(s);
        QCOMPARE(actual.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(actual[it.key()] == it.value(), qPrintable(it.key() + QStringLiteral(" is ") + actual[it.key()].toString()));
    }

private Q_SLOTS:
    // Each row gives the file (null: missing) and the fields that differ from the defaults.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QVariantMap>("changes");
        QTest::newRow("missing") << QByteArray() << QVariantMap{};
        QTest::newRow("empty") << QByteArray("") << QVariantMap{};
        QTest::newRow("keys outside a section") << QByteArray("Language=1\nSortColumn=7\n") << QVariantMap{};
        QTest::newRow("every key") << EveryKey << QVariantMap{
            {"LanguageGreek", false}, {"DeleteOption", 4}, {"ShowOptions", false},
            {"SelectTarget", false}, {"ArchiveStartPoint", 3}, {"QuickViewPath", "/q v"}, {"InitialPath", "/s/"},
            {"PrintToFile", true}, {"CopyVerify", false}, {"CopyConfirm", false},
            {"MoveVerify", false}, {"MoveRename", true}, {"BackupVerify", false},
            {"BackupQueryBefore", false}, {"BackupQueryAfter", false}, {"BackupQueryIfNotFound", false},
            {"BackupTargetFolderAction", 7}, {"BackupSourceFolderAction", 6}, {"FindStartPoint", 3},
            {"FindWindowSize", 2}, {"PrintTopMargin", 1}, {"PrintLeftMargin", 20}, {"PrintFontName", "Courier New"},
            {"PrintFontSize", 9}, {"PrintLinesPerPage", 70}, {"PropertyRestrictions", 3}, {"RestrictHidden", false},
            {"RestrictSystem", false}, {"RestrictReadOnly", false}, {"RestrictArchive", false}, {"ShowFolders", false},
            {"OrderOfAppearance", 3}, {"SortColumn", 10}, {"SortOrder", 2}};
        // Whole numbers: the leading number of at most four characters, rounded half to
        // even, then checked against the key's range; out of range gives the key's
        // fallback, which is not always its default.
        QTest::newRow("rounded into range, four characters, leading number")
            << QByteArray("[Printer]\nTopMargin=10.4\nLeftMargin=00071\n[Find]\nFindWindowSize=2nd\n"
                          "[InternalSorting]\nSortColumn=4.5\nSortOrder=1.6\n[Appearance]\nOrderOfAppearance=2.5\n")
            << QVariantMap{{"PrintTopMargin", 10}, {"PrintLeftMargin", 7}, {"FindWindowSize", 2}, {"SortColumn", 4},
                           {"SortOrder", 2}, {"OrderOfAppearance", 2}};
        QTest::newRow("out of range") << QByteArray("[Printer]\nTopMargin=10.6\nLinesPerPage=39\nFontSize=10\n"
                                                    "[InternalSorting]\nSortColumn=11\nSortOrder=0\n"
                                                    "[Appearance]\nOrderOfAppearance=9\n")
                                      << QVariantMap{{"OrderOfAppearance", 2}};
        // Language: Greek only for 0. Kind 1: false only for 2; kinds 2 and 3: true only for 1.
        QTest::newRow("flag kinds") << QByteArray("[General]\nLanguage=7\nShowOptions=2\nSelectTarget=7\n[Copy]\nRename=1\n"
                                                  "[Move]\nRename=0\n[Properties]\nHidden=2\nSystem=1\n")
                                    << QVariantMap{{"LanguageGreek", false}, {"ShowOptions", false}, {"CopyRename", true},  {"RestrictHidden", false}};
        QTest::newRow("truth word as a number") << QByteArray("[General]\nPrintToFile=-1\n") << QVariantMap{{"PrintToFile", true}};
        QTest::newRow("font exact") << QByteArray("[Printer]\nFontName=Courier New Greek\n")
                                    << QVariantMap{{"PrintFontName", "Courier New Greek"}};
        QTest::newRow("font other case") << QByteArray("[Printer]\nFontName=courier new\n") << QVariantMap{};
        // Renaming without a question cannot be offered: it reads as confirm.
        QTest::newRow("rename needs confirm") << QByteArray("[Copy]\nConfirm=2\nRename=1\n[Move]\nConfirm=2\nRename=2\n")
                                              << QVariantMap{{"MoveConfirm", false}};
        // Listing nothing at all is never what the user wants.
        QTest::newRow("neither folders nor files") << QByteArray("[Appearance]\nFolders=0\nFiles=0\n") << QVariantMap{};
    }
    void reading()
    {
        QFETCH(QByteArray, contents);
        AppState s;
        // Every field away from its default first, so that a key left unread shows.
        s.IniPath = iniHolding(EveryKey);
        ReadSettings(s);
        s.IniPath = iniHolding(contents);
        ReadSettings(s);
        QFETCH(QVariantMap, changes);
        verifyFields(s, changes);
    }

    // Each encoding written as the file has always held it, and read back.
    void writersAreReadBack()
    {
        AppState s;
        s.IniPath = iniHolding(QByteArray());
        writeSetting(s.IniPath, Keys::Language, false);
        writeSetting(s.IniPath, Keys::Delete, 3);
        writeSetting(s.IniPath, Keys::ShowOptions, false);
        writeSetting(s.IniPath, Keys::CopyRename, true);
        writeSetting(s.IniPath, Keys::Hidden, false);
        writeSetting(s.IniPath, Keys::FindWindowSizeAsWritten, 2);
        writeSetting(s.IniPath, Keys::PrintToFile, true);
        writeSetting(s.IniPath, Keys::StartingPoint, QStringLiteral("/home/Φάκελλος με κενά/"));
        QFile f(s.IniPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        for (const char *line : {"Language=1\r\n", "ShowOptions=2\r\n", "Rename=1\r\n", "Hidden=0\r\n", "PrintToFile=True\r\n"})
            QVERIFY2(text.contains(line), line);
        ReadSettings(s);
        verifyFields(s, {{"LanguageGreek", false}, {"DeleteOption", 3}, {"ShowOptions", false},
                         {"CopyRename", true}, {"RestrictHidden", false}, {"FindWindowSize", 2},
                         {"PrintToFile", true}, {"InitialPath", "/home/Φάκελλος με κενά/"}});
    }
};

TIDYHALL_TEST_MAIN(SettingsTest)
#include "tst_Settings.moc"
