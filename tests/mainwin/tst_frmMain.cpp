#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>
#include <functional>

namespace {

// One start of the program over `folder`, in English unless asked otherwise.
struct Session
{
    explicit Session(const QString &folder, bool greek = false, const QByteArray &moreSettings = {})
        : data("[General]\r\nLanguage=" + QByteArray(greek ? "0" : "1") + "\r\nStartingPoint=" + folder.toUtf8()
               + "\r\n" + moreSettings),
          window(state, prompter)
    {
        loaded = window.load();
    }
    // A window that takes the mouse and the keyboard.
    bool activate()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    StartFolder data;
    AppState state;
    ScriptedPrompter prompter;
    frmMain window;
    bool loaded = false;
};

// Two folders and three files whose properties differ: ".cache" hidden, "alpha"
// none, "a.txt" archive, "ro.txt" read-only and archive, ".h.txt" hidden and archive
// (a file that was never marked as backed up reads as archive).
void fillPropertyTree(TempTree &tree)
{
    tree.folder(QStringLiteral("alpha"));
    tree.folder(QStringLiteral(".cache"));
    tree.file(QStringLiteral("a.txt"), "abc");
    QFile::setPermissions(tree.file(QStringLiteral("ro.txt"), "12345"),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    tree.file(QStringLiteral(".h.txt"), "0123456789");
}

QStringList shownNames(const frmMain &w)
{
    QStringList names;
    const QAbstractItemModel *model = w.lvwInfo->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

QString headerText(const frmMain &w, int column)
{
    return w.lvwInfo->model()->headerData(column, Qt::Horizontal).toString();
}

// The name of the pop-up that `act` opens (closed again at once); "" when none.
QString popupOpenedBy(const std::function<void()> &act)
{
    QObject guard;
    QString opened;
    QTimer::singleShot(0, &guard, [&opened] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            opened = popup->objectName().isEmpty() ? QString::fromLatin1(popup->metaObject()->className())
                                                   : popup->objectName();
            popup->close();
        }
    });
    act();
    return opened;
}

void clickBox(QAbstractButton *box)
{
    // On the indicator, which every style puts at the left.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, box->height() / 2));
}

void clickHeader(frmMain &w, int column)
{
    QHeaderView *header = w.lvwInfo->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QWidget *control(frmMain &w, const QString &name)
{
    auto *widget = w.findChild<QWidget *>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

} // namespace

class frmMainTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rightClickOnTheListingOpensTheMatchingMenu_data()
    {
        QTest::addColumn<bool>("emptyFolder");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("menu");
        QTest::newRow("item") << false << QStringLiteral("item") << QStringLiteral("mnuOptions");
        QTest::newRow("empty place") << false << QStringLiteral("below") << QStringLiteral("mnuCommands");
        QTest::newRow("empty listing") << true << QStringLiteral("below") << QStringLiteral("mnuCommands");
    }
    void rightClickOnTheListingOpensTheMatchingMenu()
    {
        QFETCH(bool, emptyFolder);
        QFETCH(QString, where);
        QFETCH(QString, menu);
        TempTree tree;
        if (!emptyFolder)
            fillPropertyTree(tree);
        Session s(tree.root());
        QVERIFY(s.activate());
        QWidget *viewport = s.window.lvwInfo->viewport();
        const QPoint at = where == QLatin1String("item")
                              ? s.window.lvwInfo->visualRect(s.window.lvwInfo->model()->index(2, 0)).center()
                              : QPoint(20, viewport->height() - 10);
        QCOMPARE(popupOpenedBy([&] { QTest::mouseClick(viewport, Qt::RightButton, {}, at); }), menu);
        // The item clicked becomes the selection the item menu acts on.
        const QModelIndexList selected = s.window.lvwInfo->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), where == QLatin1String("item") ? 1 : 0);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    void f5ListsWhatAppearedMeanwhile()
    {
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.root());
        QVERIFY(s.activate());
        QVERIFY(!shownNames(s.window).contains(QStringLiteral("new.txt")));
        tree.file(QStringLiteral("new.txt"), "new");
        tree.folder(QStringLiteral("fresh")); // a new sub-folder shows in the tree too
        QTest::keyClick(s.window.txtFileType, Qt::Key_F5);
        QVERIFY(shownNames(s.window).contains(QStringLiteral("new.txt")));
        QVERIFY(s.window.Dir1->entries().contains(tree.path(QStringLiteral("fresh"))));
        QCOMPARE(s.window.txtFileType->text(), QStringLiteral("*.*"));
    }

    void ctrlASelectsAllFromAnywhere_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("pattern box") << QStringLiteral("txtFileType") << int(Qt::ControlModifier);
        QTest::newRow("pattern box, Shift held") << QStringLiteral("txtFileType")
                                                 << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("folder tree") << QStringLiteral("Dir1") << int(Qt::ControlModifier);
        QTest::newRow("listing, Alt held") << QStringLiteral("lvwInfo") << int(Qt::ControlModifier | Qt::AltModifier);
    }
    void ctrlASelectsAllFromAnywhere()
    {
        QFETCH(QString, focus);
        QFETCH(int, modifiers);
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.root());
        QVERIFY(s.activate());
        QWidget *start = control(s.window, focus);
        start->setFocus();
        QTest::keyClick(start, Qt::Key_A, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(s.window.lvwInfo->selectionModel()->selectedRows().size(), 5);
        QCOMPARE(QApplication::focusWidget(), s.window.lvwInfo);
        QCOMPARE(s.window.txtFileType->text(), QStringLiteral("*.*"));
    }

    // The keys of the commands of the item and commands menus run their entries, from
    // wherever the focus is (Delete edits in the pattern box).
    void keysRunTheirMenuEntries_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("runs");
        const int none = Qt::NoModifier;
        QTest::newRow("Del") << QStringLiteral("lvwInfo") << int(Qt::Key_Delete) << none
                             << QStringLiteral("mnuOptionsDelete") << 1;
        QTest::newRow("Shift+Del") << QStringLiteral("Dir1") << int(Qt::Key_Delete) << int(Qt::ShiftModifier)
                                   << QStringLiteral("mnuOptionsDelete") << 1;
        QTest::newRow("Del in the pattern box") << QStringLiteral("txtFileType") << int(Qt::Key_Delete) << none
                                                << QStringLiteral("mnuOptionsDelete") << 0;
        QTest::newRow("F2") << QStringLiteral("lvwInfo") << int(Qt::Key_F2) << none
                            << QStringLiteral("mnuOptionsRename") << 1;
        QTest::newRow("F3 in the pattern box") << QStringLiteral("txtFileType") << int(Qt::Key_F3) << none
                                               << QStringLiteral("mnuOptionsFind") << 1;
        QTest::newRow("Alt+Enter") << QStringLiteral("lvwInfo") << int(Qt::Key_Return) << int(Qt::AltModifier)
                                   << QStringLiteral("mnuOptionsAttributes") << 1;
        QTest::newRow("Ctrl+Alt+Enter on the keypad")
            << QStringLiteral("Dir1") << int(Qt::Key_Enter) << int(Qt::AltModifier | Qt::ControlModifier)
            << QStringLiteral("mnuOptionsAttributes") << 1;
        QTest::newRow("Enter alone") << QStringLiteral("lvwInfo") << int(Qt::Key_Return) << none
                                     << QStringLiteral("mnuOptionsAttributes") << 0;
    }
    void keysRunTheirMenuEntries()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, entry);
        QFETCH(int, runs);
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.root());
        QVERIFY(s.activate());
        // Only which entry a key reaches is looked at here, not what the command does.
        QAction *action = s.window.menuEntry(entry);
        action->disconnect();
        action->setEnabled(true);
        int triggered = 0;
        connect(action, &QAction::triggered, this, [&triggered] { ++triggered; });
        QWidget *start = control(s.window, focus);
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(triggered, runs);
    }

    // Backspace goes up one level, except in the pattern box, where it edits; Enter in
    // the pattern box changes nothing at all.
    void backspaceGoesUpOutsideThePatternBox_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("goesUp");
        QTest::addColumn<QString>("pattern");
        const int backspace = Qt::Key_Backspace;
        QTest::newRow("listing") << QStringLiteral("lvwInfo") << backspace << true << QStringLiteral("*.*");
        QTest::newRow("folder tree") << QStringLiteral("Dir1") << backspace << true << QStringLiteral("*.*");
        QTest::newRow("pattern box") << QStringLiteral("txtFileType") << backspace << false
                                     << QStringLiteral("*.");
        QTest::newRow("Enter in the pattern box") << QStringLiteral("txtFileType") << int(Qt::Key_Return) << false
                                                  << QStringLiteral("*.*");
        QTest::newRow("keypad Enter in the pattern box")
            << QStringLiteral("txtFileType") << int(Qt::Key_Enter) << false << QStringLiteral("*.*");
    }
    void backspaceGoesUpOutsideThePatternBox()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, goesUp);
        QFETCH(QString, pattern);
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.path(QStringLiteral("alpha")));
        QVERIFY(s.activate());
        QWidget *start = control(s.window, focus);
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(s.window.Dir1->path(), goesUp ? tree.root() : tree.path(QStringLiteral("alpha")));
        QCOMPARE(s.window.txtFileType->text(), pattern);
        QCOMPARE(s.state.CurrentPath, s.window.Dir1->path() + QLatin1Char('/'));
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Up one level lists the parent and marks the folder just left in the tree, even
    // beside a folder whose name differs only in letter case.
    void upOneLevelMarksTheFolderLeft_data()
    {
        QTest::addColumn<QString>("start");
        QTest::newRow("alpha") << QStringLiteral("alpha");
        QTest::newRow("lower-case twin") << QStringLiteral("old");
        QTest::newRow("capitalised twin") << QStringLiteral("Old");
        QTest::newRow("two levels down") << QStringLiteral("alpha/deeper");
        QTest::newRow("parent ends with a space") << QStringLiteral("spaced /inner");
        QTest::newRow("folder removed meanwhile") << QStringLiteral("alpha/gone");
    }
    void upOneLevelMarksTheFolderLeft()
    {
        QFETCH(QString, start);
        const bool removed = start.endsWith(QLatin1String("gone"));
        TempTree tree;
        fillPropertyTree(tree);
        tree.folder(QStringLiteral("Old"));
        tree.folder(QStringLiteral("old"));
        tree.folder(QStringLiteral("alpha/deeper"));
        tree.folder(QStringLiteral("alpha/gone"));
        tree.folder(QStringLiteral("spaced /inner"));
        Session s(tree.path(start));
        QVERIFY(s.activate());
        if (removed)
            QVERIFY(QDir(tree.path(start)).removeRecursively());
        QTest::mouseClick(s.window.cmdUpOneLevel, Qt::LeftButton);
        const QString parent = QFileInfo(tree.path(start)).path();
        QCOMPARE(s.window.Dir1->path(), parent);
        QCOMPARE(s.state.CurrentPath, parent + QLatin1Char('/'));
        QCOMPARE(s.window.Dir1->highlightedPath(), removed ? parent : tree.path(start));
        QCOMPARE(shownNames(s.window).contains(QFileInfo(tree.path(start)).fileName()), !removed);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    void upOneLevelAtTheTopOnlySaysSo_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("el") << true << QStringLiteral("Ένα επίπεδο επάνω")
                            << QStringLiteral("Βρίσκεστε ήδη στο πρώτο επίπεδο του τρέχοντος δίσκου και επομένως δεν "
                                              "μπορείτε να μετακινηθείτε σε υψηλότερο επίπεδο.");
        QTest::newRow("en") << false << QStringLiteral("Up one level")
                            << QStringLiteral("You are already on the root directory of the current drive and as a "
                                              "result, you cannot go up any further.");
    }
    void upOneLevelAtTheTopOnlySaysSo()
    {
        QFETCH(bool, greek);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Session s(QStringLiteral("/"), greek);
        QVERIFY(s.activate());
        const QStringList before = shownNames(s.window);
        s.window.lvwInfo->setFocus();
        QTest::keyClick(s.window.lvwInfo, Qt::Key_Backspace);
        QTest::mouseClick(s.window.cmdUpOneLevel, Qt::LeftButton);
        QCOMPARE(s.prompter.prompts.size(), 2);
        for (const ScriptedPrompter::Prompt &p : s.prompter.prompts) {
            QCOMPARE(p.title, title);
            QCOMPARE(p.text, text);
            QCOMPARE(p.icon, PromptIcon::Critical);
        }
        QCOMPARE(s.window.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(s.state.CurrentPath, QStringLiteral("/"));
        QCOMPARE(shownNames(s.window), before);
    }

    // The switch re-captions the headers in place: the sign stays, the rows and the
    // selection stay, and the choice is written for the next start.
    void languageSwitchKeepsTheListing()
    {
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.root(), false, "[InternalSorting]\r\nSortColumn=4\r\nSortOrder=2\r\n");
        QVERIFY(s.activate());
        const QStringList order = shownNames(s.window);
        QCOMPARE(order.first(), QStringLiteral(".h.txt"));
        QCOMPARE(headerText(s.window, 1), QStringLiteral("Size -"));
        s.window.lvwInfo->selectRow(1);
        const struct
        {
            int button;
            const char *name, *size, *date, *time, *stored;
        } steps[] = {{0, "Όνομα", "Μέγεθος -", "Χρονολογία", "Ώρα", "0"},
                     {0, "Όνομα", "Μέγεθος -", "Χρονολογία", "Ώρα", "0"},
                     {1, "Name", "Size -", "Date", "Time", "1"}};
        for (const auto &step : steps) {
            QTest::mouseClick(s.window.cmdLanguage[step.button], Qt::LeftButton);
            QCOMPARE(headerText(s.window, 0), QString::fromUtf8(step.name));
            QCOMPARE(headerText(s.window, 1), QString::fromUtf8(step.size));
            QCOMPARE(headerText(s.window, 2), QString::fromUtf8(step.date));
            QCOMPARE(headerText(s.window, 3), QString::fromUtf8(step.time));
            QCOMPARE(shownNames(s.window), order);
            QCOMPARE(s.window.lvwInfo->selectionModel()->selectedRows().size(), 1);
            QVERIFY(s.window.lvwInfo->selectionModel()->isRowSelected(1, {}));
            QCOMPARE(s.data.value("General", "Language"), QString::fromLatin1(step.stored));
        }
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Every caption and tooltip of the window and every menu entry, in both languages.
    void captionsInBothLanguages()
    {
        struct Caption
        {
            const char *control, *property, *english, *greek;
        };
        static const Caption captions[] = {
            {"cmdPropertyRestrictions", "toolTip", "Property restrictions", "Περιορισμοί ιδιοτήτων"},
            {"cmdUpOneLevel", "toolTip", "Up one level   ...   Backspace", "Ένα επίπεδο επάνω   ...   Backspace"},
            {"cmdSavePath", "toolTip", "Save path", "Αποθήκευση διαδρομής"},
            {"cmdRecentPath", "toolTip", "Recall path", "Ανάκληση διαδρομής"},
            {"cmdRefresh", "toolTip", "Refresh path", "Ανανέωση διαδρομής"},
            {"cmdPageSetup", "toolTip", "Page setup", "Διαμόρφωση σελίδας"},
            {"cmdPrint", "toolTip", "Print", "Εκτύπωση"},
            {"cmdStopMonitoring", "toolTip", "Stop monitoring", "Τέλος παρακολουθήσεως"},
            {"cmdHelp", "toolTip", "Help", "Βοήθεια"},
            {"cmdEnd", "toolTip", "Exit", "Έξοδος"},
            {"cmdOptions", "toolTip", "Options", "Επιλογές"},
            {"cmdDisplayInfo", "toolTip", "Display info", "Εμφάνιση πληροφοριών"},
            {"lblFileType", "text", "Type", "Τύπος"},
            {"fraFileProperties", "title", " Properties ", " Ιδιότητες "},
            {"chkFileProperties(0)", "text", "Hidden", "Κρυφό"},
            {"chkFileProperties(1)", "text", "System", "Συστήματος"},
            {"chkFileProperties(2)", "text", "Read only", "Μόνο για ανάγνωση"},
            {"chkFileProperties(3)", "text", "Archive", "Προς φύλαξη"},
            {"fraAppearance", "title", " Show ", " Εμφάνιση "},
            {"chkAppearance(0)", "text", "Folders", "Φακέλλων"},
            {"chkAppearance(1)", "text", "Files", "Αρχείων"},
            {"fraOrderOfAppearance", "title", " Order of appearance ", " Σειρά εμφανίσεως "},
            {"optAppearance(0)", "text", "No order", "Χωρίς σειρά"},
            {"optAppearance(1)", "text", "Folders first", "Πρώτα οι φάκελλοι"},
            {"optAppearance(2)", "text", "Files first", "Πρώτα τα αρχεία"},
            {"cmdLanguage(0)", "text", "Ελληνικά / Greek", "Ελληνικά / Greek"},
            {"cmdLanguage(1)", "text", "English / Αγγλικά", "English / Αγγλικά"},
            {"frmMain", "windowTitle", "Tidyhall", "Tidyhall"},
            {"header0", "", "Name +", "Όνομα +"},
            {"header1", "", "Size", "Μέγεθος"},
            {"header2", "", "Date", "Χρονολογία"},
            {"header3", "", "Time", "Ώρα"},
            {"header4", "", "+", "+"},
            {"header5", "", "H", "H"},
            {"header6", "", "S", "S"},
            {"header7", "", "R", "R"},
            {"header8", "", "A", "A"},
            {"lblInfo", "text", "  Folders: 0 of 0. Files: 0 of 0. File size in bytes: 0 of 0.  ",
             "  Φάκελλοι: 0 από 0. Αρχεία: 0 από 0. Μέγεθος αρχείων σε χαρακτήρες: 0 από 0.  "},
            {"mnuOptionsOptions", "text", "Options", "Επιλογές"},
            {"mnuOptionsOpen", "text", "Open", "Άνοιγμα"},
            {"mnuOptionsPrint", "text", "Print", "Εκτύπωση"},
            {"mnuOptionsQuickView", "text", "Quick view", "Γρήγορη προβολή"},
            {"mnuOptionsSelectAll", "text", "Select all\tCtrl+A", "Επιλογή όλων\tCtrl+A"},
            {"mnuOptionsReverseSelection", "text", "Reverse", "Αναστροφή"},
            {"mnuOptionsMove", "text", "Move", "Μετακίνηση"},
            {"mnuOptionsCopy", "text", "Copy", "Αντιγραφή"},
            {"mnuOptionsBackup", "text", "Backup", "Αποθήκευση"},
            {"mnuOptionsDelete", "text", "Delete\tDel", "Διαγραφή\tDel"},
            {"mnuOptionsRename", "text", "Rename\tF2", "Μετονομασία\tF2"},
            {"mnuOptionsAttributes", "text", "Attributes\tAlt+Enter", "Χαρακτηριστικά\tAlt+Enter"},
            {"mnuOptionsProperties", "text", "Properties", "Ιδιότητες"},
            {"mnuOptionsHelp", "text", "Help", "Βοήθεια"},
            {"mnuOptionsCancel", "text", "Cancel", "Άκυρο"},
            {"mnuRootBackup", "text", "Root Backup", "Root Backup"},
            {"mnuDirectoryComparison", "text", "Pairview", "Pairview"},
            {"mnuStructureManager", "text", "Shapekeep", "Shapekeep"},
            {"mnuFolderSynchronization", "text", "Mirrorset", "Mirrorset"},
            {"mnuDiskInformation", "text", "Drivelook", "Drivelook"},
            {"mnuCommandsOptions", "text", "Options", "Επιλογές"},
            {"mnuCommandsRefresh", "text", "Refresh\tF5", "Ανανέωση\tF5"},
            {"mnuOptionsNewFolder", "text", "New folder", "Νέος φάκελλος"},
            {"mnuOptionsNewTextFile", "text", "New text document", "Νέο έγγραφο κειμένου"},
            {"mnuOptionsFind", "text", "Find\tF3", "Εύρεση\tF3"},
            {"mnuOptionsArchiveBit", "text", "Archive bit", "Προς φύλαξη"},
            {"mnuOptionsMonitoring", "text", "Monitoring", "Παρακολούθηση"},
            {"mnuOptionsComments", "text", "Comments", "Σχόλια"},
            {"mnuCommandsHelp", "text", "Help", "Βοήθεια"},
            {"mnuCommandsCancel", "text", "Cancel", "Άκυρο"},
            {"mnuRefreshDrives", "text", "Drives", "Δίσκοι"},
            {"mnuRefreshFolders", "text", "Folders", "Φάκελλοι"},
            {"mnuRefreshFiles", "text", "Contents\tF5", "Περιεχόμενα\tF5"},
            {"mnuRefreshHelp", "text", "Help", "Βοήθεια"},
            {"mnuRefreshCancel", "text", "Cancel", "Άκυρο"},
            {"mnuSavePathInitial", "text", "Initial", "Αρχική"},
            {"mnuSavePathRecent", "text", "Recent", "Πρόσφατες"},
            {"mnuSavePathMonitor", "text", "Monitoring", "Παρακολούθηση"},
            {"mnuSavePathHelp", "text", "Help", "Βοήθεια"},
            {"mnuSavePathCancel", "text", "Cancel", "Άκυρο"},
            {"mnuRecallPathInitial", "text", "Initial", "Αρχική"},
            {"mnuRecallPathRecent", "text", "Recent", "Πρόσφατες"},
            {"mnuRecallPathMonitor", "text", "Monitoring", "Παρακολούθηση"},
            {"mnuRecallPathHelp", "text", "Help", "Βοήθεια"},
            {"mnuRecallPathCancel", "text", "Cancel", "Άκυρο"},
        };
        TempTree tree;
        Session s(tree.root(), true);
        // Start in Greek, switch to English and back: both ways must re-caption.
        for (int index : {1, 0}) {
            QTest::mouseClick(s.window.cmdLanguage[index], Qt::LeftButton);
            QStringList wrong;
            for (const Caption &c : captions) {
                const QString name = QString::fromLatin1(c.control);
                QString shown;
                if (name.startsWith(QLatin1String("header")))
                    shown = headerText(s.window, name.mid(6).toInt());
                else if (name.startsWith(QLatin1String("mnu")))
                    shown = s.window.menuEntry(name) ? s.window.menuEntry(name)->text() : QStringLiteral("<none>");
                else if (name == QLatin1String("frmMain"))
                    shown = s.window.windowTitle();
                else
                    shown = control(s.window, name)->property(c.property).toString();
                const QString expected = QString::fromUtf8(index == 0 ? c.greek : c.english);
                if (shown != expected)
                    wrong << name + QStringLiteral(": '") + shown + QStringLiteral("' instead of '") + expected
                                 + QLatin1Char('\'');
            }
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
        }
    }

    void menusHoldTheirEntriesInOrder_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entries");
        QTest::newRow("item menu")
            << QStringLiteral("mnuOptions")
            << QStringLiteral("mnuOptionsOptions | mnuOptionsOpen mnuOptionsPrint mnuOptionsQuickView | "
                              "mnuOptionsSelectAll mnuOptionsReverseSelection | mnuOptionsMove mnuOptionsCopy "
                              "mnuOptionsBackup | mnuOptionsDelete mnuOptionsRename | mnuOptionsAttributes "
                              "mnuOptionsProperties | mnuOptionsHelp | mnuOptionsCancel");
        QTest::newRow("commands menu")
            << QStringLiteral("mnuCommands")
            << QStringLiteral("mnuRootBackup mnuDirectoryComparison mnuStructureManager mnuFolderSynchronization "
                              "mnuDiskInformation | mnuCommandsOptions | mnuCommandsRefresh | mnuOptionsNewFolder "
                              "mnuOptionsNewTextFile | mnuOptionsFind | mnuOptionsArchiveBit | mnuOptionsMonitoring | "
                              "mnuOptionsComments | mnuCommandsHelp | mnuCommandsCancel");
        QTest::newRow("refresh") << QStringLiteral("mnuRefresh")
                                 << QStringLiteral("mnuRefreshDrives mnuRefreshFolders mnuRefreshFiles | "
                                                   "mnuRefreshHelp | mnuRefreshCancel");
        QTest::newRow("save path") << QStringLiteral("mnuSavePath")
                                   << QStringLiteral("mnuSavePathInitial mnuSavePathRecent mnuSavePathMonitor | "
                                                     "mnuSavePathHelp | mnuSavePathCancel");
        QTest::newRow("recall path") << QStringLiteral("mnuRecallPath")
                                     << QStringLiteral("mnuRecallPathInitial mnuRecallPathRecent "
                                                       "mnuRecallPathMonitor | mnuRecallPathHelp | "
                                                       "mnuRecallPathCancel");
    }
    void menusHoldTheirEntriesInOrder()
    {
        QFETCH(QString, menu);
        QFETCH(QString, entries);
        TempTree tree;
        Session s(tree.root());
        QStringList names;
        for (const QAction *a : s.window.findChild<QMenu *>(menu)->actions())
            names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        QCOMPARE(names.join(QLatin1Char(' ')), entries);
    }

    // A middle click on a control, or the Help entry of a menu, asks for the topic of
    // its own control: with a help file that holds only that topic, the topic shows.
    void helpAsksForTheControlsOwnTopic_data()
    {
        QTest::addColumn<QString>("source"); // a control clicked, or a menu entry chosen
        QTest::addColumn<QString>("owner");  // whose topic must show
        for (const char *name : {"cmdDisplayInfo", "cmdRefresh", "cmdUpOneLevel", "cmdSavePath", "cmdRecentPath",
                                 "cmdOptions", "cmdLanguage(0)", "cmdLanguage(1)", "cmdHelp", "cmdEnd",
                                 "cmdAsterisk", "cmdPropertyRestrictions", "chkAppearance(1)",
                                 "chkFileProperties(2)", "optAppearance(2)", "lblCurrentPath", "lblInfo",
                                 "fraFileProperties"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(name);
        QTest::newRow("Dir1, right button") << QStringLiteral("right:Dir1") << QStringLiteral("Dir1");
        QTest::newRow("lblFileType, right button")
            << QStringLiteral("right:lblFileType") << QStringLiteral("lblFileType");
        QTest::newRow("item menu Help") << QStringLiteral("mnuOptionsHelp") << QStringLiteral("cmdSelections");
        QTest::newRow("commands menu Help") << QStringLiteral("mnuCommandsHelp") << QStringLiteral("cmdCommands");
        QTest::newRow("refresh Help") << QStringLiteral("mnuRefreshHelp") << QStringLiteral("cmdRefresh");
        QTest::newRow("save path Help") << QStringLiteral("mnuSavePathHelp") << QStringLiteral("cmdSavePath");
        QTest::newRow("recall path Help") << QStringLiteral("mnuRecallPathHelp") << QStringLiteral("cmdRecentPath");
    }
    void helpAsksForTheControlsOwnTopic()
    {
        QFETCH(QString, source);
        QFETCH(QString, owner);
        TempTree tree;
        Session s(tree.root());
        const QByteArray help = "<html><body><h3 id=\"frmMain." + owner.toUtf8() + "\">Topic</h3><p>About "
                                + owner.toUtf8() + "</p></body></html>";
        s.data.writeFile(QStringLiteral("TidyhallUk.hlp"), help);
        QVERIFY(s.activate());
        if (source.startsWith(QLatin1String("mnu"))) {
            s.window.menuEntry(source)->trigger();
        } else {
            const bool right = source.startsWith(QLatin1String("right:"));
            QWidget *target = control(s.window, right ? source.mid(6) : source);
            if (auto *area = qobject_cast<QAbstractScrollArea *>(target))
                target = area->viewport();
            QTest::mouseClick(target, right ? Qt::RightButton : Qt::MiddleButton);
        }
        // The topic shows in a pop-up that stays until the next click.
        const QWidget *popup = QApplication::activePopupWidget();
        const QString shown = popup ? QString::fromLatin1(popup->metaObject()->className()) : QString();
        QWhatsThis::hideText();
        QCOMPARE(shown, QStringLiteral("QWhatsThat"));
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Filters, order and headers, driven by the mouse: the rows shown and the keys
    // written, read back from the settings file.
    void filterControlsChangeRowsAndSettings_data()
    {
        QTest::addColumn<QString>("click");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("keys"); // "Section/Key=value" as the file holds them
        const QString all = QStringLiteral(".cache .h.txt a.txt alpha ro.txt");
        const auto list = [](const char *text) {
            return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        QTest::newRow("Archive box") << QStringLiteral("chkFileProperties(3)") << list(".cache .h.txt alpha ro.txt")
                                     << list("Properties/Hidden=1 Properties/System=1 Properties/ReadOnly=1 "
                                             "Properties/Archive=0");
        QTest::newRow("Hidden box") << QStringLiteral("chkFileProperties(0)") << list(".h.txt a.txt alpha ro.txt")
                                    << list("Properties/Hidden=0 Properties/Archive=1");
        QTest::newRow("mode button") << QStringLiteral("cmdPropertyRestrictions") << QStringList()
                                     << list("Properties/PropertyRestrictions=2");
        QTest::newRow("Files box") << QStringLiteral("chkAppearance(1)") << list(".cache alpha")
                                   << list("Appearance/Folders=1 Appearance/Files=0");
        QTest::newRow("Folders box") << QStringLiteral("chkAppearance(0)") << list(".h.txt a.txt ro.txt")
                                     << list("Appearance/Folders=0 Appearance/Files=1");
        QTest::newRow("files first") << QStringLiteral("optAppearance(2)") << list(".h.txt a.txt ro.txt .cache alpha")
                                     << list("Appearance/OrderOfAppearance=3");
        QTest::newRow("folders first") << QStringLiteral("optAppearance(1)")
                                       << list(".cache alpha .h.txt a.txt ro.txt")
                                       << list("Appearance/OrderOfAppearance=2");
        QTest::newRow("Name header") << QStringLiteral("header0") << list("ro.txt alpha a.txt .h.txt .cache")
                                     << list("InternalSorting/SortColumn=3 InternalSorting/SortOrder=2");
        QTest::newRow("Size header") << QStringLiteral("header1") << list(".cache alpha a.txt ro.txt .h.txt")
                                     << list("InternalSorting/SortColumn=4 InternalSorting/SortOrder=1");
        QTest::newRow("H header") << QStringLiteral("header5") << list("a.txt alpha ro.txt .cache .h.txt")
                                  << list("InternalSorting/SortColumn=7 InternalSorting/SortOrder=1");
        QTest::newRow("+ header") << QStringLiteral("header4") << all.split(QLatin1Char(' '))
                                  << list("InternalSorting/SortColumn=<missing> InternalSorting/SortOrder=<missing>");
    }
    void filterControlsChangeRowsAndSettings()
    {
        QFETCH(QString, click);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, keys);
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.root());
        QVERIFY(s.activate());
        if (click.startsWith(QLatin1String("header")))
            clickHeader(s.window, click.mid(6).toInt());
        else if (click.startsWith(QLatin1String("cmd")))
            QTest::mouseClick(control(s.window, click), Qt::LeftButton);
        else
            clickBox(static_cast<QAbstractButton *>(control(s.window, click)));
        QCOMPARE(shownNames(s.window), rows);
        for (const QString &key : keys) {
            const QStringList parts = key.split(QRegularExpression(QStringLiteral("[/=]")));
            QCOMPARE(parts[0] + QLatin1Char('/') + parts[1] + QLatin1Char('=')
                         + s.data.value(parts[0].toLatin1().constData(), parts[1].toLatin1().constData()),
                     key);
        }
        const bool plusHeader = click == QLatin1String("header4");
        QCOMPARE(s.prompter.prompts.size(), plusHeader ? 1 : 0);
        if (plusHeader)
            QCOMPARE(s.prompter.last().title + QLatin1Char('|') + s.prompter.last().text,
                     QStringLiteral("Tidyhall|If you want to sort the items based on whether they are folders "
                                    "or files, you must use the options of the frame titled 'Order of "
                                    "appearance'."));
    }

    // The last box still checked is disabled, so the mouse can never clear both.
    void theLastAppearanceBoxCannotBeCleared()
    {
        TempTree tree;
        fillPropertyTree(tree);
        Session s(tree.root());
        QVERIFY(s.activate());
        clickBox(s.window.chkAppearance[1]);
        QVERIFY(!s.window.chkAppearance[0]->isEnabled());
        QVERIFY(!s.window.fraOrderOfAppearance->isEnabled());
        clickBox(s.window.chkAppearance[0]);
        QVERIFY(s.window.chkAppearance[0]->isChecked());
        QVERIFY(!s.window.chkAppearance[1]->isChecked());
        QCOMPARE(shownNames(s.window), (QStringList{QStringLiteral(".cache"), QStringLiteral("alpha")}));
        QCOMPARE(s.data.value("Appearance", "Folders"), QStringLiteral("1"));
        QCOMPARE(s.data.value("Appearance", "Files"), QStringLiteral("0"));
        clickBox(s.window.chkAppearance[1]);
        QVERIFY(s.window.chkAppearance[0]->isEnabled() && s.window.chkAppearance[1]->isEnabled());
        QVERIFY(s.window.fraOrderOfAppearance->isEnabled());
        QCOMPARE(s.data.value("Appearance", "Files"), QStringLiteral("1"));
        QCOMPARE(s.prompter.prompts.size(), 0);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainTest)
#include "tst_frmMain.moc"
