#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/HelpFile.h"
#include "inspect/frmFind.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/frmMain.h"
#include "platform/Volumes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>
#include <optional>

// Find as the user meets it: F3 in the main window, the Find window, its results, and
// the way back to the main window.
// Every control of `window` that has a help topic finds it in both help files.
static void helpIsWritten(QWidget *window)
{
    for (const char *name : {"TidyhallGr.hlp", "TidyhallUk.hlp"}) {
        QFile f(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + QStringLiteral("/resources/help/") + QLatin1String(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const HelpFile help = HelpFile::parse(QString::fromUtf8(f.readAll()));
        int topics = 0;
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const QString topic = ContextHelp::topicOf(control);
            if (topic.isEmpty())
                continue;
            ++topics;
            QVERIFY2(help.contains(topic), qPrintable(topic + QStringLiteral(" in ") + QLatin1String(name)));
        }
        QVERIFY(topics > 1);
    }
}

class frmFindTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        StartFolder data;
        AppState state;
        ScriptedPrompter prompter;
        std::unique_ptr<frmMain> window;

        World(int startPoint, int windowSize, bool greek = false, bool showOptions = false,
              const QByteArray &monitored = {})
        {
            tree.file(QStringLiteral("start/alpha.txt"), "alpha");
            tree.file(QStringLiteral("start/sub/beta.txt"), "beta text");
            tree.file(QStringLiteral("start/sub/Γάμμα.txt"), "gamma text");
            tree.file(QStringLiteral("start/sub/other.dat"), "no");
            data.writeFile(QStringLiteral("Tidyhall.ini"),
                           "[General]\r\nLanguage=" + QByteArray(greek ? "0" : "1") + "\r\nShowOptions="
                               + QByteArray(showOptions ? "1" : "2") + "\r\nStartingPoint="
                               + QFile::encodeName(tree.path(QStringLiteral("start"))) + "\r\n[Find]\r\nFindStartPoint="
                               + QByteArray::number(startPoint) + "\r\nFindWindowSize=" + QByteArray::number(windowSize)
                               + "\r\n");
            if (!monitored.isEmpty())
                data.writeFile(QStringLiteral("MonitoredPaths.txt"),
                               QByteArray(monitored).replace("ROOT", QFile::encodeName(tree.root())));
            window = std::make_unique<frmMain>(state, prompter);
            if (!window->load())
                qFatal("the main window did not load");
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        frmFind *find() const { return window->findWindow(); }
        void pressF3() { QTest::keyClick(window->windowHandle(), Qt::Key_F3); }
        // Types into the Find window's control, as keys to the window.
        void type(QWidget *control, const QString &text)
        {
            find()->activateWindow();
            control->setFocus();
            for (const QChar c : text)
                QTest::keyClick(find()->windowHandle(), c.toLatin1());
        }
        void search(const QString &pattern)
        {
            find()->txtNamePattern->clear();
            type(find()->txtNamePattern, pattern);
            QTest::keyClick(find()->windowHandle(), Qt::Key_Return);
            find()->waitForSearch();
        }
        QStringList results() const
        {
            QStringList names;
            for (int row = 0; row < find()->resultCount(); ++row)
                names << find()->resultAt(row).name;
            return names;
        }
        int rowOf(const QString &name) const { return int(results().indexOf(name)); }
        QString selectedInMain() const
        {
            const QModelIndexList rows = window->lvwInfo->selectionModel()->selectedRows();
            return rows.size() == 1 ? rows.first().data().toString().trimmed() : QString();
        }
    };

    // Acts on the modal dialog the next exec() opens.
    void onNextDialog(std::function<void(QWidget *)> act)
    {
        QTimer::singleShot(0, this, [act] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY2(modal, "no modal dialog open");
            act(modal);
        });
    }

private Q_SLOTS:
    void startPoints_data()
    {
        QTest::addColumn<int>("startPoint");
        QTest::addColumn<int>("windowSize");
        QTest::addColumn<QString>("browsed"); // for start point 3; null cancels
        QTest::addColumn<QString>("expected"); // ROOT, START, or a folder below the tree
        QTest::newRow("the volume's top, normal") << 1 << 1 << QString() << "ROOT";
        QTest::newRow("the folder shown, maximized") << 2 << 2 << QString() << "START";
        QTest::newRow("chosen each time") << 3 << 1 << "start/sub" << "start/sub";
        QTest::newRow("chosen, cancelled: nothing starts") << 3 << 1 << QString() << "";
    }
    void startPoints()
    {
        QFETCH(int, startPoint);
        QFETCH(int, windowSize);
        QFETCH(QString, browsed);
        QFETCH(QString, expected);
        World w(startPoint, windowSize);
        const QString start = w.tree.path(QStringLiteral("start"));
        if (startPoint == 3)
            onNextDialog([&](QWidget *modal) {
                QCOMPARE(modal->windowTitle(), QStringLiteral("Select the point from which find will start and click "
                                                              "'OK', or click 'Cancel' to cancel the find process."));
                auto *dialog = qobject_cast<QFileDialog *>(modal);
                if (browsed.isNull())
                    return dialog->reject();
                dialog->setDirectory(w.tree.path(browsed));
                static_cast<QDialog *>(dialog)->accept();
            });
        w.pressF3();
        if (expected.isEmpty()) {
            QVERIFY(!w.find() || !w.find()->isVisible());
            QVERIFY(w.prompter.prompts.isEmpty());
            return;
        }
        QVERIFY(w.find() && w.find()->isVisible());
        const QString folder = expected == QLatin1String("ROOT")    ? volumeOf(start).mountPoint
                               : expected == QLatin1String("START") ? start
                                                                     : w.tree.path(expected);
        QCOMPARE(w.find()->txtStartFolder->text(), folder);
        QCOMPARE(w.find()->isMaximized(), windowSize == 2);
        // One window: F3 again brings the same one to the front.
        frmFind *first = w.find();
        if (startPoint == 3)
            onNextDialog([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
        w.pressF3();
        QCOMPARE(w.find(), first);
    }

    // With ShowOptions on, the options dialog opens at its Find page first, and a start
    // point chosen there is used at once.
    void optionsFirst()
    {
        World w(2, 1, false, true);
        int page = -1;
        onNextDialog([&page](QWidget *modal) {
            page = modal->findChild<QTabWidget *>(QStringLiteral("sstOptions"))->currentIndex();
            modal->findChild<QRadioButton *>(QStringLiteral("optFindStart(0)"))->click();
            modal->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        w.pressF3();
        QCOMPARE(page, 4);
        QVERIFY(w.find() && w.find()->isVisible());
        QCOMPARE(w.find()->txtStartFolder->text(), volumeOf(w.tree.root()).mountPoint);
    }

    // Results arrive, can be sorted, and Enter or a double click shows the item in the
    // main window, selected.
    void searchSortAndShow()
    {
        World w(2, 1);
        w.pressF3();
        w.search(QStringLiteral("*.TXT"));
        QCOMPARE(w.find()->resultCount(), 3);
        QCOMPARE(w.find()->lblCount->text(), QStringLiteral("Found: 3 (search complete)"));
        QVERIFY(w.prompter.prompts.isEmpty());

        QHeaderView *header = w.find()->lvwResults->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
        QCOMPARE(w.results(), (QStringList{QStringLiteral("alpha.txt"), QStringLiteral("beta.txt"), QStringLiteral("Γάμμα.txt")}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
        QCOMPARE(w.results().first(), QStringLiteral("Γάμμα.txt"));

        QTableView *list = w.find()->lvwResults;
        list->setCurrentIndex(list->model()->index(w.rowOf(QStringLiteral("beta.txt")), 0));
        list->setFocus();
        QTest::keyClick(w.find()->windowHandle(), Qt::Key_Return);
        QCOMPARE(w.window->Dir1->path(), w.tree.path(QStringLiteral("start/sub")));
        QCOMPARE(w.selectedInMain(), QStringLiteral("beta.txt"));
        QCOMPARE(w.find()->cmdFind->isEnabled(), true); // Enter did not start a new search

        const QRect cell = list->visualRect(list->model()->index(w.rowOf(QStringLiteral("alpha.txt")), 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(w.window->Dir1->path(), w.tree.path(QStringLiteral("start")));
        QCOMPARE(w.selectedInMain(), QStringLiteral("alpha.txt"));
    }

    void containedText()
    {
        World w(2, 1);
        w.pressF3();
        w.type(w.find()->txtText, QStringLiteral("text"));
        w.search(QString());
        QCOMPARE(w.results().size(), 2);
        QVERIFY(!w.results().contains(QStringLiteral("alpha.txt")));
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("reversedDates");
        QTest::addColumn<QString>("startFolder"); // typed over the start folder unless null
        QTest::addColumn<QString>("message");
        QTest::newRow("blanks only") << "   " << false << QString() << "The name to look for holds only blanks";
        QTest::newRow("end date before start") << "*" << true << QString() << "The end date is before the start date";
        QTest::newRow("start folder gone") << "*" << false << "/nonexistent-tidyhall/x"
                                           << "The folder in which the search should start does not exist";
        QTest::newRow("nothing found") << "zzz*" << false << QString() << "No item was found.";
    }
    void badInput()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, reversedDates);
        QFETCH(QString, startFolder);
        QFETCH(QString, message);
        World w(2, 1);
        w.pressF3();
        if (reversedDates) {
            w.find()->chkModifiedFrom->setChecked(true);
            w.find()->chkModifiedTo->setChecked(true);
            w.find()->dtpModifiedFrom->setDate(QDate(2024, 5, 2));
            w.find()->dtpModifiedTo->setDate(QDate(2024, 5, 1));
        }
        if (!startFolder.isNull()) {
            w.find()->txtStartFolder->clear();
            w.type(w.find()->txtStartFolder, startFolder);
        }
        w.prompter.answer(PromptButton::Ok);
        w.search(pattern);
        QVERIFY2(w.prompter.prompts.size() == 1, qPrintable(w.prompter.prompts.value(0).text));
        QCOMPARE(w.prompter.last().title, QStringLiteral("Find"));
        QVERIFY2(w.prompter.last().text.startsWith(message), qPrintable(w.prompter.last().text));
        QVERIFY(w.find()->cmdFind->isEnabled());
    }

    // In monitoring mode only an item of a monitored folder is shown; the mode's
    // restriction holds for the rest.
    void monitoringMode()
    {
        World w(2, 1, false, false, "ROOT/start/sub\r\n");
        w.window->menuEntry(QStringLiteral("mnuOptionsMonitoring"))->trigger();
        QVERIFY(w.state.MonitoringMode);
        w.pressF3();
        w.search(QStringLiteral("*.txt"));
        QTableView *list = w.find()->lvwResults;
        list->setFocus();
        list->setCurrentIndex(list->model()->index(w.rowOf(QStringLiteral("alpha.txt")), 0));
        w.prompter.answer(PromptButton::Ok);
        QTest::keyClick(w.find()->windowHandle(), Qt::Key_Return);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QVERIFY(w.prompter.last().text.startsWith(QStringLiteral("While monitoring, only items of the monitored folders")));
        QVERIFY(w.selectedInMain().isEmpty());

        list->setCurrentIndex(list->model()->index(w.rowOf(QStringLiteral("beta.txt")), 0));
        QTest::keyClick(w.find()->windowHandle(), Qt::Key_Return);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QCOMPARE(w.selectedInMain(), QStringLiteral("beta.txt"));
        QVERIFY(w.state.MonitoringMode);
    }

    void captions_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("findButton");
        QTest::addColumn<QString>("firstColumn");
        QTest::newRow("Greek") << true << "Εύρεση" << "Εύρεση" << "Όνομα";
        QTest::newRow("English") << false << "Find" << "Find" << "Name";
    }
    void captions()
    {
        QFETCH(bool, greek);
        QFETCH(QString, title);
        QFETCH(QString, findButton);
        QFETCH(QString, firstColumn);
        World w(2, 1, greek);
        w.pressF3();
        w.search(QStringLiteral("*"));
        QCOMPARE(w.find()->windowTitle(), title);
        QCOMPARE(w.find()->cmdFind->text(), findButton);
        QCOMPARE(w.find()->lvwResults->model()->headerData(0, Qt::Horizontal).toString(), firstColumn);
        // Where asked, the window is saved as a picture for people to look at.
        if (const QString dir = qEnvironmentVariable("TIDYHALL_SCREENSHOTS"); !dir.isEmpty()) {
            QApplication::processEvents(); // the pending layout of the count line
            w.find()->grab().save(dir + (greek ? QStringLiteral("/find-el.png") : QStringLiteral("/find-en.png")));
        }
        // The open window follows a switch of the language in the main window.
        QTest::mouseClick(w.window->cmdLanguage[greek ? 1 : 0], Qt::LeftButton);
        QCOMPARE(w.find()->windowTitle(), greek ? QStringLiteral("Find") : QStringLiteral("Εύρεση"));
    }

    // The result list's item menu offers the main window's shell actions on the item.
    void itemMenuOffersShellActions()
    {
        World w(2, 1);
        w.pressF3();
        w.search(QStringLiteral("beta*"));
        QTableView *list = w.find()->lvwResults;
        const QPoint at = list->visualRect(list->model()->index(0, 0)).center();
        QStringList entries;
        QString shownItem;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, this, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *a : menu->actions())
                    if (!a->isSeparator())
                        entries << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
                for (QAction *a : menu->actions())
                    if (a->text() == QLatin1String("Properties"))
                        menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
            } else if (QWidget *modal = QApplication::activeModalWidget()) {
                for (QLineEdit *field : modal->findChildren<QLineEdit *>())
                    shownItem += field->text() + QLatin1Char('|');
                static_cast<QDialog *>(modal)->reject();
                watch.stop();
            }
        });
        watch.start();
        // The offscreen platform makes no context-menu event of a right click.
        Q_EMIT list->customContextMenuRequested(at);
        QTRY_VERIFY_WITH_TIMEOUT(!watch.isActive(), 20000);
        QCOMPARE(entries, (QStringList{QStringLiteral("Show in folder"), QStringLiteral("Open"), QStringLiteral("Print"),
                                       QStringLiteral("Quick view"), QStringLiteral("Properties"), QStringLiteral("Help")}));
        QVERIFY2(shownItem.contains(QStringLiteral("beta.txt")), qPrintable(shownItem));
        QCOMPARE(w.selectedInMain(), QStringLiteral("beta.txt"));
    }

    void helpTopicsAreWritten()
    {
        World w(2, 1);
        w.pressF3();
        helpIsWritten(w.find());
    }
};

TIDYHALL_GUI_TEST_MAIN(frmFindTest)
#include "tst_frmFind.moc"
