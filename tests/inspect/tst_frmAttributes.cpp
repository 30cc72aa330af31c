#include "ScratchMount.h"
#include "HelpSections.h"
#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "inspect/SteppingPanelWidget.h"
#include "app/UpDownWidget.h"
#include "inspect/frmAttributes.h"
#include "platform/DosAttribRecord.h"
#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"
#include "platform/NtTime.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QDateTime Jan2001(QDate(2001, 1, 2), QTime(3, 4, 5), Qt::UTC);

void clickInWindow(QWidget *control)
{
    QWidget *top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, control->mapTo(top, control->rect().center()));
}

void saveShot(QWidget *w, const QString &name)
{
    const QString dir = qEnvironmentVariable("TIDYHALL_SCREENSHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

struct Stat
{
    qint64 modified = 0;
    qint64 accessed = 0;
};

Stat statOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return {st.st_mtim.tv_sec, st.st_atim.tv_sec};
}

QByteArray getfattr(const QString &path, const char *name)
{
    QProcess p;
    p.start("getfattr", {"--absolute-names", "-n", name, "-e", "hex", path});
    p.waitForFinished();
    for (const QByteArray &line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith(QByteArray(name) + "=0x"))
            return QByteArray::fromHex(line.mid(qstrlen(name) + 3));
    return {};
}

// Sets a group's fields by clicking its up-down controls, as a user would.
void setFields(const frmAttributes::DateGroup &g, const QList<int> &values)
{
    for (int i = 0; i < values.size(); ++i) {
        while (g.upDowns[i]->value() < values[i])
            clickInWindow(g.upDowns[i]->upButton());
        while (g.upDowns[i]->value() > values[i])
            clickInWindow(g.upDowns[i]->downButton());
    }
}

} // namespace

class frmAttributesTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        AppState state;
        ScriptedPrompter prompter;
        QStringList entries;
        explicit World(bool greek, const QString &root = {})
        {
            state.LanguageGreek = greek;
            state.CurrentPath = (root.isEmpty() ? tree.root() : root) + QLatin1Char('/');
        }
        QString add(const QString &name, bool folder = false)
        {
            const QString path = state.CurrentPath + name;
            if (folder) {
                QDir().mkdir(path);
            } else {
                QFile f(path);
                f.open(QIODevice::WriteOnly);
                f.write("x");
                f.close();
                writeTimes(path, std::nullopt, Jan2001, Jan2001);
            }
            entries << path + QChar(0);
            return path;
        }
    };

private Q_SLOTS:
    void init() { qputenv("TZ", "Asia/Kolkata"), ::tzset(); }

    // Each control that has help has a section in both help files, and no section is
    // left without its control; every number field and up-down control has one.
    void helpTopics()
    {
        World w(false);
        w.add("file.txt");
        frmAttributes dialog(w.entries, w.state, w.prompter);
        const QSet<QString> topics = controlTopics(&dialog);
        for (const char *name : {"cmdStep(1)", "lblName", "cmdCancel", "lblCurrentProperties", "lblCurrentDates",
                                 "lblSystemDate", "cmdSystemDate", "chkNewProperties(3)", "chkAttributesOption",
                                 "cmdSaveProperties", "cmdSaveDates", "cmdSaveCreated", "cmdSystemAccessed",
                                 "lblNewYearC", "updNewSecondM", "lblNewDayA", "updNewDayA"})
            QVERIFY2(dialog.findChild<QWidget *>(name)->property("helpTopic").isValid(), name);
        QCOMPARE(helpSections("TidyhallGr.hlp", "frmAttributes."), topics);
        QCOMPARE(helpSections("TidyhallUk.hlp", "frmAttributes."), topics);
    }


    // What each item shows: its description, the dates frame, the option boxes.
    void showsEachItem_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::newRow("English") << false;
        QTest::newRow("Greek") << true;
    }
    void showsEachItem()
    {
        QFETCH(bool, greek);
        World w(greek);
        w.add("plain.txt");
        const QString folder = w.add("folder", true);
        DosAttributes hidden;
        hidden.hidden = hidden.archive = true;
        writeAttributes(folder, hidden);
        const QString ro = w.add("read-only.txt");
        DosAttributes readOnly;
        readOnly.readOnly = true;
        writeAttributes(ro, readOnly);
        frmAttributes dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveShot(&dialog, greek ? "frmAttributes-el" : "frmAttributes-en");
        QCOMPARE(dialog.txtCurrentProperties->text(), greek ? QString::fromUtf8("Αρχείο - Προς φύλαξη") : "File - Archive");
        QVERIFY(dialog.fraNewDates->isVisible());
        QVERIFY(dialog.chkAttributesOption->isChecked());
        QVERIFY(dialog.chkNewProperties[3]->isChecked() && !dialog.chkNewProperties[0]->isChecked());
        // 03:04:05 UTC is 08:34:05 in India.
        QCOMPARE(dialog.modified.fields[3]->text(), "8");
        QCOMPARE(dialog.modified.fields[4]->text(), "34");
        QVERIFY(dialog.txtCurrentDates->toPlainText().startsWith(greek ? QString::fromUtf8("Δημιουργία:\t\t") : "Created:\t\t"));

        clickInWindow(dialog.stepping->cmdStep[2]);
        QCOMPARE(dialog.txtCurrentProperties->text(),
                 greek ? QString::fromUtf8("Φάκελλος - Κρυφός - Προς φύλαξη") : "Folder - Hidden - Archive");
        QVERIFY(!dialog.fraNewDates->isVisible());
        QVERIFY(dialog.txtCurrentDates->toPlainText().startsWith(greek ? QString::fromUtf8("Δημιουργία ή\nΤελευταία Τροποποίηση:\t")
                                                                       : "Created or\nLast Modified:\t"));
        if (!greek)
            saveShot(&dialog, "frmAttributes-folder-en");

        clickInWindow(dialog.stepping->cmdStep[3]);
        QVERIFY(!dialog.fraNewDates->isVisible());
        // Cleared and saved, the read-only file shows its dates frame again.
        clickInWindow(dialog.chkNewProperties[2]);
        clickInWindow(dialog.cmdSaveProperties);
        QVERIFY(!readAttributes(ro).readOnly);
        QVERIFY(dialog.fraNewDates->isVisible());
        QCOMPARE(dialog.stepping->position(), 3);
        QCOMPARE(w.prompter.prompts.size(), 0);
    }

    // Each save button writes its times only, read back with stat and getfattr.
    void saveButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("created");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("accessed");
        QTest::newRow("cmdSaveDates") << "cmdSaveDates" << true << true << true;
        QTest::newRow("cmdSaveCreated") << "cmdSaveCreated" << true << false << false;
        QTest::newRow("cmdSaveModified") << "cmdSaveModified" << false << true << false;
        QTest::newRow("cmdSaveAccessed") << "cmdSaveAccessed" << false << false << true;
    }
    void saveButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, created);
        QFETCH(bool, modified);
        QFETCH(bool, accessed);
        World w(false);
        const QString path = w.add("file.txt");
        const FileTimes before = readTimes(path);
        frmAttributes dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        setFields(dialog.created, {2005, 6, 7, 8, 9, 10});
        setFields(dialog.modified, {2004, 5, 6, 7, 8, 9});
        setFields(dialog.accessed, {2003, 4, 5});
        clickInWindow(dialog.findChild<QWidget *>(button));
        QCOMPARE(w.prompter.prompts.size(), 0);
        const Stat st = statOf(path);
        // Local times in India, UTC+05:30.
        QCOMPARE(st.modified, modified ? QDateTime(QDate(2004, 5, 6), QTime(1, 38, 9), Qt::UTC).toSecsSinceEpoch()
                                       : before.modified.toSecsSinceEpoch());
        QCOMPARE(st.accessed, accessed ? QDateTime(QDate(2003, 4, 4), QTime(18, 30), Qt::UTC).toSecsSinceEpoch()
                                       : before.accessed.toSecsSinceEpoch());
        const auto record = decodeDosAttrib(getfattr(path, "user.DOSATTRIB"));
        if (created) {
            QVERIFY(record && record->hasCreateTime());
            QCOMPARE(dateTimeFromNtTime(record->createTime), QDateTime(QDate(2005, 6, 7), QTime(2, 39, 10), Qt::UTC));
        } else {
            QCOMPARE(readTimes(path).created, before.created);
        }
        // The item is shown again with what was saved.
        QCOMPARE(dialog.modified.fields[0]->text(), modified ? "2004" : "2001");
    }

    // A date that does not exist is refused naming its field, and nothing is written;
    // the fields keep what the user chose.
    void refusedDates()
    {
        World w(false);
        const QString path = w.add("file.txt");
        const Stat before = statOf(path);
        frmAttributes dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        setFields(dialog.modified, {2023, 2, 29});
        clickInWindow(dialog.cmdSaveDates);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().text.startsWith("The date of the field 'Last modified:' does not exist"));
        QCOMPARE(statOf(path).modified, before.modified);
        QCOMPARE(dialog.modified.fields[2]->text(), "29");
        // An item deleted while shown: reported, never shown as saved.
        setFields(dialog.modified, {2023, 2, 28});
        QFile::remove(path);
        clickInWindow(dialog.modified.cmdSave);
        QCOMPARE(w.prompter.prompts.size(), 2);
        QCOMPARE(w.prompter.last().title, w.state.AppTitle + ", 104.");
    }

    // Where the volume keeps no creation time, its fields and button say so, and
    // "Save dates" saves the other two and says which one it could not keep.
    void creationTimeNotKept()
    {
        const ScratchMount m = ScratchMount::memory("ramfs");
        if (!m.ok())
            QSKIP(qPrintable("cannot mount ramfs here: " + m.error()));
        World w(false, m.path());
        const QString path = w.add("file.txt");
        frmAttributes dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.lblCreatedNotKept->isVisible());
        QVERIFY(!dialog.created.cmdSave->isEnabled());
        QCOMPARE(dialog.created.cmdSave->toolTip(), "This volume keeps no creation date that can be changed.");
        saveShot(&dialog, "frmAttributes-no-creation-en");
        setFields(dialog.modified, {2004, 5, 6, 7, 8, 9});
        clickInWindow(dialog.cmdSaveDates);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().text.contains("The date created was not saved"));
        QCOMPARE(statOf(path).modified, QDateTime(QDate(2004, 5, 6), QTime(1, 38, 9), Qt::UTC).toSecsSinceEpoch());
    }

    // With the option off, stepping keeps the user's boxes and dates, so one set of
    // values can be saved on several items; all four boxes cleared writes 0.
    void sameValuesOnSeveralItems()
    {
        World w(false);
        const QString a = w.add("a.txt");
        const QString b = w.add("b.txt");
        frmAttributes dialog(w.entries, w.state, w.prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickInWindow(dialog.chkAttributesOption);
        clickInWindow(dialog.chkNewProperties[3]);
        QVERIFY(!dialog.chkNewProperties[3]->isChecked());
        setFields(dialog.modified, {2010});
        clickInWindow(dialog.cmdSaveProperties);
        clickInWindow(dialog.modified.cmdSave);
        clickInWindow(dialog.stepping->cmdStep[2]);
        QVERIFY(!dialog.chkNewProperties[3]->isChecked());
        QCOMPARE(dialog.modified.fields[0]->text(), "2010");
        clickInWindow(dialog.cmdSaveProperties);
        clickInWindow(dialog.modified.cmdSave);
        // A name beginning with "." keeps the item hidden, and the user is told why.
        const QString dot = w.add(".dot");
        dialog.stepping->setEntries(w.entries);
        clickInWindow(dialog.stepping->cmdStep[3]);
        clickInWindow(dialog.cmdSaveProperties);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().text.startsWith("The item stays hidden"));
        QVERIFY(readAttributes(dot).hidden);
        for (const QString &path : {a, b}) {
            QCOMPARE(readAttributes(path).bits(), 0u);
            QCOMPARE(QDateTime::fromSecsSinceEpoch(statOf(path).modified).toUTC().date().year(), 2010);
        }
    }
};

TIDYHALL_GUI_TEST_MAIN(frmAttributesTest)
#include "tst_frmAttributes.moc"
