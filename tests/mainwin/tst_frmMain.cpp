#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "ScratchMount.h"
#include "app/AppState.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWhatsThis>
#include <QWindow>
#include <QtTest>
#include <functional>

namespace {

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

void noItems(TempTree &) {}

// One start of the program over a fresh tree that `prepare` fills, at `start` (a path
// in the tree, or an absolute one), in English unless asked otherwise.
struct Session
{
    explicit Session(void (*prepare)(TempTree &) = fillPropertyTree, const QString &start = {}, bool greek = false,
                     const QByteArray &moreSettings = {})
        : data(settings(prepare, start, greek, moreSettings)), window(state, prompter)
    {
        loaded = window.load();
    }
    // A window that takes the mouse and the keyboard.
    bool activate()
    {
        window.show();
        window.activateWindow();
        return loaded && QTest::qWaitForWindowActive(&window);
    }
    QWidget *control(const QString &name)
    {
        auto *widget = window.findChild<QWidget *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString shownNames() const
    {
        QStringList names;
        const QAbstractItemModel *model = window.lvwInfo->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names.join(u' ');
    }
    QString headerText(int column) const { return window.lvwInfo->model()->headerData(column, Qt::Horizontal).toString(); }
    int selectedRows() const { return int(window.lvwInfo->selectionModel()->selectedRows().size()); }

    TempTree tree;
    StartFolder data;
    AppState state;
    ScriptedPrompter prompter;
    frmMain window;
    bool loaded = false;

private:
    QByteArray settings(void (*prepare)(TempTree &), const QString &start, bool greek, const QByteArray &more)
    {
        prepare(tree);
        const QString folder = start.startsWith(u'/') ? start : tree.path(start);
        return "[General]\r\nLanguage=" + QByteArray(greek ? "0" : "1") + "\r\nStartingPoint=" + folder.toUtf8()
               + "\r\n" + more;
    }
};

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

// A left click on a control by name, on the indicator of a box (every style puts it at
// the left), or on a listing header given as "headerN".
void click(Session &s, const QString &name)
{
    if (name.startsWith(QLatin1String("header"))) {
        QHeaderView *header = s.window.lvwInfo->horizontalHeader();
        const int column = name.mid(6).toInt();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    } else if (QWidget *target = s.control(name); qobject_cast<QCheckBox *>(target) || qobject_cast<QRadioButton *>(target)) {
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(7, target->height() / 2));
    } else {
        QTest::mouseClick(target, Qt::LeftButton);
    }
}

} // namespace

class frmMainTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rightClickOnTheListingOpensTheMatchingMenu_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("menu");
        QTest::newRow("item") << QStringLiteral("item") << QStringLiteral("mnuOptions");
        QTest::newRow("empty place") << QStringLiteral("empty place") << QStringLiteral("mnuCommands");
        QTest::newRow("empty listing") << QStringLiteral("empty listing") << QStringLiteral("mnuCommands");
    }
    void rightClickOnTheListingOpensTheMatchingMenu()
    {
        QFETCH(QString, where);
        QFETCH(QString, menu);
        const bool onItem = where == QLatin1String("item");
        Session s(where == QLatin1String("empty listing") ? noItems : fillPropertyTree);
        QVERIFY(s.activate());
        QWidget *viewport = s.window.lvwInfo->viewport();
        const QPoint at = onItem ? s.window.lvwInfo->visualRect(s.window.lvwInfo->model()->index(2, 0)).center()
                                 : QPoint(20, viewport->height() - 10);
        QCOMPARE(popupOpenedBy([&] { QTest::mouseClick(viewport, Qt::RightButton, {}, at); }), menu);
        // The item clicked becomes the selection the item menu acts on.
        QCOMPARE(s.selectedRows(), onItem ? 1 : 0);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Backspace goes up one level, Ctrl+A selects every row, F5 reads the folder again,
    // and the keys of the item and commands menus run their entries, from wherever the
    // focus is, except where the pattern box needs the key for editing. Each row says
    // where the listing is, the pattern, the rows selected, the menu entries run and the
    // rows listed; an item and a folder appear in the tree's top folder after the start.
    void keys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *name, const char *start, const char *focus, QKeyCombination keys,
                            const char *outcome) {
            QTest::newRow(name) << QString::fromLatin1(start) << QString::fromLatin1(focus) << keys
                                << QString::fromLatin1(outcome);
        };
        row("Backspace in the listing", "alpha", "lvwInfo", Qt::Key_Backspace, "|*.*|0||7");
        row("Backspace in the tree", "alpha", "Dir1", Qt::Key_Backspace, "|*.*|0||7");
        row("Backspace in the pattern box", "alpha", "txtFileType", Qt::Key_Backspace, "alpha|*.|0||0");
        row("Enter in the pattern box", "alpha", "txtFileType", Qt::Key_Return, "alpha|*.*|0||0");
        row("F5 in the pattern box", "", "txtFileType", Qt::Key_F5, "|*.*|0||7");
        row("Ctrl+Shift+A in the pattern box", "", "txtFileType", Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_A,
            "|*.*|5||5");
        row("Ctrl+Alt+A in the tree", "", "Dir1", Qt::ControlModifier | Qt::AltModifier | Qt::Key_A, "|*.*|5||5");
        row("Del", "", "lvwInfo", Qt::Key_Delete, "|*.*|0|Delete|5");
        row("Shift+Del", "", "Dir1", Qt::ShiftModifier | Qt::Key_Delete, "|*.*|0|Delete|5");
        row("Del in the pattern box", "", "txtFileType", Qt::Key_Delete, "|*.*|0||5");
        row("F2", "", "lvwInfo", Qt::Key_F2, "|*.*|0|Rename|5");
        row("F3 in the pattern box", "", "txtFileType", Qt::Key_F3, "|*.*|0|Find|5");
        row("Alt+Enter", "", "lvwInfo", Qt::AltModifier | Qt::Key_Return, "|*.*|0|Attributes|5");
        row("Enter alone", "", "lvwInfo", Qt::Key_Return, "|*.*|0||5");
    }
    void keys()
    {
        QFETCH(QString, start);
        QFETCH(QString, focus);
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, outcome);
        Session s(fillPropertyTree, start);
        QVERIFY(s.activate());
        s.tree.file(QStringLiteral("new.txt"), "new");
        s.tree.folder(QStringLiteral("fresh"));
        // Only which entry a key reaches is looked at here, not what the command does.
        QStringList ran;
        for (const QString entry : {"Delete", "Rename", "Find", "Attributes"}) {
            QAction *action = s.window.menuEntry(QStringLiteral("mnuOptions") + entry);
            action->disconnect();
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, [&ran, entry] { ran << entry; });
        }
        s.control(focus)->setFocus();
        QTest::keyClick(s.window.windowHandle(), keys.key(), keys.keyboardModifiers());
        const QString folder = QDir(s.tree.root()).relativeFilePath(s.window.Dir1->path());
        QCOMPARE(QStringList({folder == u'.' ? QString() : folder, s.window.txtFileType->text(),
                              QString::number(s.selectedRows()), ran.join(u','),
                              QString::number(s.window.lvwInfo->model()->rowCount())})
                     .join(u'|'),
                 outcome);
        QCOMPARE(s.state.CurrentPath, s.window.Dir1->path() + u'/');
        // A listing read again shows the new sub-folder in the tree too.
        QCOMPARE(s.window.Dir1->entries().contains(s.tree.path(QStringLiteral("fresh"))), outcome.endsWith(u'7'));
        if (s.selectedRows())
            QCOMPARE(QApplication::focusWidget(), s.window.lvwInfo);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Every display disables the window for a moment; the control that had the keyboard
    // focus must have it again afterwards, so typing and the arrow keys go on working.
    // Each row gives the control focused first, the keys typed and headers clicked, and
    // where the focus, the pattern, the folder, the tree's highlight and the listing's
    // current row are at the end (folders relative to the tree's top).
    void focusSurvivesEveryDisplay_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("typing a pattern, then Backspace")
            << "txtFileType" << QStringList{"type:x.t", "Backspace"} << "txtFileType|x.|||-1";
        QTest::newRow("arrow keys after a header click")
            << "lvwInfo" << QStringList{"header0", "Down", "Down"} << "lvwInfo|*.*|||2";
        QTest::newRow("arrow keys after Enter in the tree")
            << "Dir1" << QStringList{"Down", "Return", "Up"} << "Dir1|*.*|.cache||-1";
        QTest::newRow("arrow keys after Backspace in the tree")
            << "Dir1" << QStringList{"Down", "Return", "Backspace", "Down"} << "Dir1|*.*||alpha|-1";
    }
    void focusSurvivesEveryDisplay()
    {
        QFETCH(QString, focus);
        QFETCH(QStringList, actions);
        QFETCH(QString, outcome);
        Session s;
        QVERIFY(s.activate());
        QWindow *window = s.window.windowHandle();
        if (focus == QLatin1String("txtFileType"))
            s.window.txtFileType->clear();
        s.control(focus)->setFocus();
        for (const QString &action : actions) {
            if (action.startsWith(QLatin1String("type:")))
                for (const QChar c : action.mid(5))
                    QTest::keyClick(window, c.toLatin1());
            else if (action.startsWith(QLatin1String("header")))
                click(s, action);
            else
                QTest::keyClick(window, QKeySequence::fromString(action)[0].key());
        }
        const QWidget *focused = QApplication::focusWidget();
        const auto relative = [&](const QString &path) {
            const QString r = QDir(s.tree.root()).relativeFilePath(path);
            return r == u'.' ? QString() : r;
        };
        QCOMPARE(QStringList({focused ? focused->objectName() : QString(), s.window.txtFileType->text(),
                              relative(s.window.Dir1->path()), relative(s.window.Dir1->highlightedPath()),
                              QString::number(s.window.lvwInfo->currentIndex().row())})
                     .join(u'|'),
                 outcome);
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // Up one level lists the parent and marks the folder just left in the tree, even
    // beside a folder whose name differs only in letter case. At the top, Backspace and
    // the button only say so ("title|text" in the window's language).
    void upOneLevel_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("message");
        QTest::newRow("lower-case twin") << QStringLiteral("old") << false << QString();
        QTest::newRow("capitalised twin") << QStringLiteral("Old") << false << QString();
        QTest::newRow("two levels down") << QStringLiteral("alpha/deeper") << false << QString();
        QTest::newRow("parent ends with a space") << QStringLiteral("spaced /inner") << false << QString();
        QTest::newRow("folder removed meanwhile") << QStringLiteral("alpha/gone") << false << QString();
        QTest::newRow("top, Greek") << QStringLiteral("/") << true
                                    << QStringLiteral("Ένα επίπεδο επάνω|Βρίσκεστε ήδη στο πρώτο επίπεδο του "
                                                      "τρέχοντος δίσκου και επομένως δεν μπορείτε να μετακινηθείτε "
                                                      "σε υψηλότερο επίπεδο.");
        QTest::newRow("top, English") << QStringLiteral("/") << false
                                      << QStringLiteral("Up one level|You are already on the root directory of the "
                                                        "current drive and as a result, you cannot go up any further.");
    }
    void upOneLevel()
    {
        QFETCH(QString, start);
        QFETCH(bool, greek);
        QFETCH(QString, message);
        const bool removed = start.endsWith(QLatin1String("gone"));
        Session s(
            [](TempTree &tree) {
                for (const char *name : {"Old", "old", "alpha/deeper", "alpha/gone", "spaced /inner"})
                    tree.folder(QString::fromLatin1(name));
            },
            start, greek);
        QVERIFY(s.activate());
        const QString left = start == u'/' ? start : s.tree.path(start);
        const QString before = s.shownNames();
        if (removed)
            QVERIFY(QDir(left).removeRecursively());
        if (!message.isEmpty()) {
            s.window.lvwInfo->setFocus();
            QTest::keyClick(s.window.lvwInfo, Qt::Key_Backspace);
        }
        QTest::mouseClick(s.window.cmdUpOneLevel, Qt::LeftButton);
        QCOMPARE(s.prompter.prompts.size(), message.isEmpty() ? 0 : 2);
        for (const ScriptedPrompter::Prompt &p : s.prompter.prompts) {
            QCOMPARE(p.title + u'|' + p.text, message);
            QCOMPARE(p.icon, PromptIcon::Critical);
        }
        if (!message.isEmpty()) {
            QCOMPARE(s.state.CurrentPath, QStringLiteral("/"));
            QCOMPARE(s.shownNames(), before);
            return;
        }
        const QString parent = QFileInfo(left).path();
        QCOMPARE(s.window.Dir1->path(), parent);
        QCOMPARE(s.state.CurrentPath, parent + QLatin1Char('/'));
        QCOMPARE(s.window.Dir1->highlightedPath(), removed ? parent : left);
        QCOMPARE(s.shownNames().split(u' ').contains(QFileInfo(left).fileName()), !removed);
    }

    // Every caption and tooltip of the window, the headers, and the entries of every
    // menu in their order ("|" between the groups), in both languages. The switch
    // re-captions in place: the sort sign, the rows and the selection stay, and the
    // choice is written for the next start.
    void captionsInBothLanguages()
    {
        struct Caption
        {
            QString control, english, greek;
        };
        QList<Caption> captions = {
            {"cmdPropertyRestrictions", "Property restrictions", "Περιορισμοί ιδιοτήτων"},
            {"cmdUpOneLevel", "Up one level   ...   Backspace", "Ένα επίπεδο επάνω   ...   Backspace"},
            {"cmdSavePath", "Save path", "Αποθήκευση διαδρομής"}, {"cmdRecentPath", "Recall path", "Ανάκληση διαδρομής"},
            {"cmdRefresh", "Refresh path", "Ανανέωση διαδρομής"}, {"cmdPageSetup", "Page setup", "Διαμόρφωση σελίδας"},
            {"cmdPrint", "Print", "Εκτύπωση"}, {"cmdStopMonitoring", "Stop monitoring", "Τέλος παρακολουθήσεως"},
            {"cmdHelp", "Help", "Βοήθεια"}, {"cmdEnd", "Exit", "Έξοδος"}, {"cmdOptions", "Options", "Επιλογές"},
            {"cmdDisplayInfo", "Display info", "Εμφάνιση πληροφοριών"}, {"lblFileType", "Type", "Τύπος"},
            {"fraFileProperties", " Properties ", " Ιδιότητες "}, {"chkFileProperties(0)", "Hidden", "Κρυφό"},
            {"chkFileProperties(1)", "System", "Συστήματος"}, {"chkFileProperties(2)", "Read only", "Μόνο για ανάγνωση"},
            {"chkFileProperties(3)", "Archive", "Προς φύλαξη"}, {"fraAppearance", " Show ", " Εμφάνιση "},
            {"chkAppearance(0)", "Folders", "Φακέλλων"}, {"chkAppearance(1)", "Files", "Αρχείων"},
            {"fraOrderOfAppearance", " Order of appearance ", " Σειρά εμφανίσεως "},
            {"optAppearance(0)", "No order", "Χωρίς σειρά"}, {"optAppearance(1)", "Folders first", "Πρώτα οι φάκελλοι"},
            {"optAppearance(2)", "Files first", "Πρώτα τα αρχεία"},
            {"cmdLanguage(0)", "Ελληνικά / Greek", "Ελληνικά / Greek"},
            {"cmdLanguage(1)", "English / Αγγλικά", "English / Αγγλικά"}, {"frmMain", "Tidyhall", "Tidyhall"},
            {"lblInfo", "  Folders: 2 of 2. Files: 3 of 3. File size in bytes: 18 of 18.  ",
             "  Φάκελλοι: 2 από 2. Αρχεία: 3 από 3. Μέγεθος αρχείων σε χαρακτήρες: 18 από 18.  "},
            {"headers", "Name, Size -, Date, Time, +, H, S, R, A", "Όνομα, Μέγεθος -, Χρονολογία, Ώρα, +, H, S, R, A"},
            {"mnuOptions",
             "Options | Open, Print, Quick view | Select all\tCtrl+A, Reverse | Move, Copy, Backup | Delete\tDel, "
             "Rename\tF2 | Attributes\tAlt+Enter, Properties | Help | Cancel",
             "Επιλογές | Άνοιγμα, Εκτύπωση, Γρήγορη προβολή | Επιλογή όλων\tCtrl+A, Αναστροφή | Μετακίνηση, Αντιγραφή, "
             "Αποθήκευση | Διαγραφή\tDel, Μετονομασία\tF2 | Χαρακτηριστικά\tAlt+Enter, Ιδιότητες | Βοήθεια | Άκυρο"},
            {"mnuCommands",
             "Root Backup, Pairview, Shapekeep, Mirrorset, Drivelook | Options | Refresh\tF5 | New folder, New text "
             "document | Find\tF3 | Archive bit | Monitoring | Comments | Help | Cancel",
             "Root Backup, Pairview, Shapekeep, Mirrorset, Drivelook | Επιλογές | Ανανέωση\tF5 | Νέος φάκελλος, Νέο "
             "έγγραφο κειμένου | Εύρεση\tF3 | Προς φύλαξη | Παρακολούθηση | Σχόλια | Βοήθεια | Άκυρο"},
            {"mnuRefresh", "Drives, Folders, Contents\tF5 | Help | Cancel",
             "Δίσκοι, Φάκελλοι, Περιεχόμενα\tF5 | Βοήθεια | Άκυρο"},
        };
        for (const char *menu : {"mnuSavePath", "mnuRecallPath"})
            captions << Caption{menu, "Initial, Recent, Monitoring | Help | Cancel",
                                "Αρχική, Πρόσφατες, Παρακολούθηση | Βοήθεια | Άκυρο"};

        Session s(fillPropertyTree, {}, true, "[InternalSorting]\r\nSortColumn=4\r\nSortOrder=2\r\n");
        QVERIFY(s.loaded);
        const QString order = s.shownNames();
        QVERIFY(order.startsWith(QStringLiteral(".h.txt ")));
        s.window.lvwInfo->selectRow(1);
        // Greek as at the start, then English and back: choosing the language shown
        // changes nothing, and both ways must re-caption.
        for (int index : {0, 1, 0}) {
            QTest::mouseClick(s.window.cmdLanguage[index], Qt::LeftButton);
            QCOMPARE(s.shownNames(), order);
            QCOMPARE(s.selectedRows(), 1);
            QVERIFY(s.window.lvwInfo->selectionModel()->isRowSelected(1, {}));
            QCOMPARE(s.data.value("General", "Language"), QString::number(index));
            QStringList wrong;
            for (const Caption &c : captions) {
                QStringList shown;
                if (c.control == QLatin1String("headers")) {
                    for (int column = 0; column < s.window.lvwInfo->model()->columnCount(); ++column)
                        shown << s.headerText(column);
                } else if (c.control.startsWith(QLatin1String("mnu"))) {
                    for (const QAction *a : s.window.findChild<QMenu *>(c.control)->actions())
                        shown << (a->isSeparator() ? QStringLiteral("|") : a->text());
                } else if (c.control == QLatin1String("frmMain")) {
                    shown << s.window.windowTitle();
                } else {
                    // Command buttons other than the language ones show their caption as a tooltip.
                    const char *property = c.control.startsWith(QLatin1String("fra")) ? "title"
                                           : c.control.startsWith(QLatin1String("cmd")) && !c.control.contains(u'(')
                                               ? "toolTip"
                                               : "text";
                    shown << s.control(c.control)->property(property).toString();
                }
                const QString text = shown.join(QStringLiteral(", ")).replace(QStringLiteral(", |, "), QStringLiteral(" | "));
                const QString &expected = index == 0 ? c.greek : c.english;
                if (text != expected)
                    wrong << c.control + QStringLiteral(": '") + text + QStringLiteral("' instead of '") + expected + u'\'';
            }
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
        }
        QCOMPARE(s.prompter.prompts.size(), 0);
    }

    // A middle click on a control (a right click where the left one has a use of its
    // own), or the Help entry of a menu, shows the topic of its own control: with a help
    // file that holds only that topic, a topic shows at all only when it is the right one.
    void helpAsksForTheControlsOwnTopic_data()
    {
        QTest::addColumn<QString>("source"); // a control clicked, or a menu entry chosen
        QTest::addColumn<QString>("owner");  // whose topic must show
        for (const char *name : {"cmdUpOneLevel", "cmdLanguage(1)", "cmdPropertyRestrictions", "chkAppearance(1)",
                                 "chkFileProperties(2)", "optAppearance(2)", "lblInfo", "fraFileProperties"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(name);
        for (const char *name : {"Dir1", "lblFileType"})
            QTest::addRow("%s, right button", name) << QStringLiteral("right:") + name << QString::fromLatin1(name);
        const char *const menus[][2] = {{"mnuOptions", "cmdSelections"}, {"mnuCommands", "cmdCommands"},
                                        {"mnuRefresh", "cmdRefresh"}, {"mnuSavePath", "cmdSavePath"},
                                        {"mnuRecallPath", "cmdRecentPath"}};
        for (const auto &menu : menus)
            QTest::addRow("%s Help", menu[0]) << QString::fromLatin1(menu[0]) + "Help" << QString::fromLatin1(menu[1]);
        // F1 anywhere shows the overview of the program.
        QTest::newRow("F1") << QStringLiteral("key:F1") << QStringLiteral("overview");
        // A help file without a single topic is passed over for the one built in.
        QTest::newRow("help file without topics") << QStringLiteral("cmdUpOneLevel") << QString();
    }
    void helpAsksForTheControlsOwnTopic()
    {
        QFETCH(QString, source);
        QFETCH(QString, owner);
        Session s(noItems);
        const QByteArray id = owner == QLatin1String("overview") ? owner.toUtf8() : "frmMain." + owner.toUtf8();
        s.data.writeFile(QStringLiteral("TidyhallUk.hlp"),
                         owner.isEmpty() ? QByteArray("<html><body><p>Nothing here</p></body></html>")
                                         : "<html><body><h3 id=\"" + id + "\">Topic</h3><p>About it</p></body></html>");
        QVERIFY(s.activate());
        if (source.startsWith(QLatin1String("key:"))) {
            QTest::keyClick(s.window.windowHandle(), QKeySequence::fromString(source.mid(4))[0].key());
        } else if (source.startsWith(QLatin1String("mnu"))) {
            s.window.menuEntry(source)->trigger();
        } else {
            const bool right = source.startsWith(QLatin1String("right:"));
            QWidget *target = s.control(right ? source.mid(6) : source);
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

    // Choosing a volume lists the folder last shown on it; when that folder has gone,
    // its top; when the volume itself has gone, a message and "/". The drive list always
    // names the volume the tree shows.
    void volumeChoiceKeepsListAndTreeTogether_data()
    {
        QTest::addColumn<QString>("change"); // what happens to the volume meanwhile
        QTest::addColumn<QString>("outcome"); // folder shown, relative to the volume | message
        QTest::newRow("back to the folder last shown") << "none" << "inner|";
        QTest::newRow("that folder removed") << "removed" << ".|";
        QTest::newRow("volume gone") << "gone"
                                     << "/|Tidyhall, 049.: Error condition 71 with the description 'Device unavailable: ";
    }
    void volumeChoiceKeepsListAndTreeTogether()
    {
        QFETCH(QString, change);
        QFETCH(QString, outcome);
        ScratchMount volume = ScratchMount::tmpfs();
        if (!volume.ok())
            QSKIP(qPrintable(QStringLiteral("no volume can be mounted here: ") + volume.why()));
        QVERIFY(QDir(volume.path()).mkpath(QStringLiteral("inner")));
        Session s;
        QVERIFY(s.activate());
        s.window.GoToFolder(volume.path() + QStringLiteral("/inner"));
        s.window.GoToFolder(s.tree.root());
        QCOMPARE(s.window.Drive1->currentData().toString() == volume.path(), false);
        if (change == QLatin1String("removed"))
            QVERIFY(QDir(volume.path() + QStringLiteral("/inner")).removeRecursively());
        if (change == QLatin1String("gone")) {
            QCOMPARE(QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), volume.path()}), 0);
            QVERIFY(QDir().rmdir(volume.path()));
        }
        s.window.Drive1->setCurrentIndex(s.window.Drive1->findData(volume.path()));
        const QString shown = s.window.Dir1->path();
        QString message;
        for (const ScriptedPrompter::Prompt &p : s.prompter.prompts)
            message += p.title + QStringLiteral(": ") + p.text.section(volume.path(), 0, 0);
        QCOMPARE((shown == u'/' ? shown : QDir(volume.path()).relativeFilePath(shown)) + u'|' + message, outcome);
        QCOMPARE(s.window.Drive1->currentData().toString(), shown == u'/' ? shown : volume.path());
        QCOMPARE(s.state.CurrentPath, shown == u'/' ? shown : shown + u'/');
    }

    // Widths the user gives the columns stay through a sort and a refresh, are kept for
    // the next start in a section of the program's own, and are taken up at start.
    void columnWidthsAreKept()
    {
        {
            Session s;
            QVERIFY(s.activate());
            s.window.lvwInfo->horizontalHeader()->resizeSection(0, 333);
            click(s, QStringLiteral("header1"));
            QTest::keyClick(s.window.windowHandle(), Qt::Key_F5);
            QCOMPARE(s.window.lvwInfo->columnWidth(0), 333);
            QVERIFY(s.window.close());
            QCOMPARE(s.data.value("TidyhallListing", "ColumnWidths"), QStringLiteral("0:333"));
        }
        Session again(fillPropertyTree, {}, false, "[TidyhallListing]\r\nColumnWidths=0:250,1:x,99:5\r\n");
        QVERIFY(again.loaded);
        QCOMPARE(again.window.lvwInfo->columnWidth(0), 250);
    }

    // A size of thirteen digits with its separators, and the Greek captions, are shown
    // whole, not cut to "...".
    void sizesAndCaptionsAreShownWhole_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::newRow("English") << false;
        QTest::newRow("Greek") << true;
    }
    void sizesAndCaptionsAreShownWhole()
    {
        QFETCH(bool, greek);
        const auto hugeFile = [](TempTree &tree) {
            QFile file(tree.file(QStringLiteral("huge.img")));
            QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(5'000'000'000'000LL));
        };
        Session s(hugeFile, {}, greek);
        QVERIFY(s.activate());
        const QAbstractItemModel *model = s.window.lvwInfo->model();
        const QFontMetrics cells = s.window.lvwInfo->fontMetrics();
        const QFontMetrics captions(s.window.lvwInfo->horizontalHeader()->font());
        for (const int column : {1, 2, 3}) {
            const QString cell = model->index(0, column).data().toString();
            QVERIFY2(s.window.lvwInfo->columnWidth(column) > cells.horizontalAdvance(cell), qPrintable(cell));
            QVERIFY2(s.window.lvwInfo->columnWidth(column) > captions.horizontalAdvance(s.headerText(column)),
                     qPrintable(s.headerText(column)));
        }
    }

    // Filters, order and headers, driven by the mouse: the rows shown and the keys
    // written, read back from the settings file.
    void filterControlsChangeRowsAndSettings_data()
    {
        QTest::addColumn<QString>("controls"); // clicked in turn
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("keys"); // "Section/Key=value ..." as the file holds them
        const auto row = [](const char *name, const char *controls, const char *rows, const char *keys) {
            QTest::newRow(name) << QString::fromLatin1(controls) << QString::fromLatin1(rows) << QString::fromLatin1(keys);
        };
        row("Archive box", "chkFileProperties(3)", ".cache .h.txt alpha ro.txt",
            "Properties/Hidden=1 Properties/System=1 Properties/ReadOnly=1 Properties/Archive=0");
        row("mode button", "cmdPropertyRestrictions", "", "Properties/PropertyRestrictions=2");
        // The last box still checked, and the order frame, are disabled: clicks on them do nothing.
        row("Files box, then the others", "chkAppearance(1) chkAppearance(0) optAppearance(2)", ".cache alpha",
            "Appearance/Folders=1 Appearance/Files=0 Appearance/OrderOfAppearance=<missing>");
        row("Files box twice enables Folders again", "chkAppearance(1) chkAppearance(1) chkAppearance(0)",
            ".h.txt a.txt ro.txt", "Appearance/Folders=0 Appearance/Files=1");
        row("files first", "optAppearance(2)", ".h.txt a.txt ro.txt .cache alpha", "Appearance/OrderOfAppearance=3");
        row("Name header", "header0", "ro.txt alpha a.txt .h.txt .cache",
            "InternalSorting/SortColumn=3 InternalSorting/SortOrder=2");
        row("Size header", "header1", ".cache alpha a.txt ro.txt .h.txt",
            "InternalSorting/SortColumn=4 InternalSorting/SortOrder=1");
        row("+ header: a message instead", "header4", ".cache .h.txt a.txt alpha ro.txt",
            "InternalSorting/SortColumn=<missing> InternalSorting/SortOrder=<missing>");
    }
    void filterControlsChangeRowsAndSettings()
    {
        QFETCH(QString, controls);
        QFETCH(QString, rows);
        QFETCH(QString, keys);
        Session s;
        QVERIFY(s.activate());
        for (const QString &control : controls.split(u' '))
            click(s, control);
        QCOMPARE(s.shownNames(), rows);
        for (const QString &key : keys.split(u' ')) {
            const QByteArray section = key.section(u'/', 0, 0).toLatin1();
            const QByteArray name = key.section(u'/', 1).section(u'=', 0, 0).toLatin1();
            QCOMPARE(key.section(u'=', 0, 0) + u'=' + s.data.value(section.constData(), name.constData()), key);
        }
        const bool plusHeader = controls == QLatin1String("header4");
        QCOMPARE(s.prompter.prompts.size(), plusHeader ? 1 : 0);
        if (plusHeader)
            QCOMPARE(s.prompter.last().title + u'|' + s.prompter.last().text,
                     QStringLiteral("Tidyhall|If you want to sort the items based on whether they are folders "
                                    "or files, you must use the options of the frame titled 'Order of "
                                    "appearance'."));
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainTest)
#include "tst_frmMain.moc"
