#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "inspect/SteppingPanelWidget.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>

// The item menu's quick view, from the main window's selection to the viewer: one
// item runs at once, several go through the stepping dialog.
class frmMainShellTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    StartFolder m_data;
    AppState m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<frmMain> m_window;

    void select(const QStringList &names)
    {
        m_window->lvwInfo->clearSelection();
        const QAbstractItemModel *m = m_window->lvwInfo->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (names.contains(m->index(r, 0).data(Qt::UserRole).toString()))
                m_window->lvwInfo->selectionModel()->select(m->index(r, 0),
                                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_tree.file(QStringLiteral("here/-first; $(x).txt"), "1");
        m_tree.file(QStringLiteral("here/second.txt"), "2");
        const QString recorder =
            m_tree.file(QStringLiteral("recorder.sh"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$RECORD\"\n");
        QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("RECORD", QFile::encodeName(m_tree.path(QStringLiteral("record.fifo"))));
        m_data.writeFile(QStringLiteral("Tidyhall.ini"),
                         "[General]\r\nLanguage=1\r\nQuickViewPath=" + QFile::encodeName(recorder) + " -q\r\nStartingPoint="
                             + QFile::encodeName(m_tree.path(QStringLiteral("here"))) + "\r\n");
        m_window = std::make_unique<frmMain>(m_state, m_prompter);
        QVERIFY(m_window->load());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void oneItemRunsAtOnce()
    {
        const QByteArray fifo = QFile::encodeName(m_tree.path(QStringLiteral("record.fifo")));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        select({QStringLiteral("-first; $(x).txt")});
        QAction *entry = m_window->menuEntry(QStringLiteral("mnuOptionsQuickView"));
        QVERIFY(entry->isEnabled());
        m_window->showMinimized();
        entry->trigger();
        QCOMPARE(m_tree.read(QStringLiteral("record.fifo")),
                 "-q\n" + QFile::encodeName(m_tree.path(QStringLiteral("here/-first; $(x).txt"))) + "\n");
        QFile::remove(QString::fromLocal8Bit(fifo));
        QCOMPARE(m_window->lstSelectedItems->count(), 0);
        QVERIFY(!m_window->isMinimized());
        QVERIFY(m_prompter.prompts.isEmpty());
    }

    void severalItemsGoThroughTheDialog()
    {
        select({QStringLiteral("-first; $(x).txt"), QStringLiteral("second.txt")});
        QString dialogName, line;
        int listedMeanwhile = 0;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            dialogName = modal->objectName();
            auto *panel = modal->findChild<SteppingPanelWidget *>();
            line = panel->lblName->text();
            listedMeanwhile = m_window->lstSelectedItems->count();
            QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, {},
                              panel->cmdCancel->mapTo(modal, panel->cmdCancel->rect().center()));
        });
        m_window->menuEntry(QStringLiteral("mnuOptionsQuickView"))->trigger();
        QCOMPARE(dialogName, QStringLiteral("frmQuickView"));
        QCOMPARE(line, QStringLiteral("Selected item 1 of 2. Title: "));
        QCOMPARE(listedMeanwhile, 2);
        QCOMPARE(m_window->lstSelectedItems->count(), 0);
    }

    void theFourEntriesAreThere()
    {
        for (const char *name : {"mnuOptionsOpen", "mnuOptionsPrint", "mnuOptionsProperties", "mnuOptionsQuickView"})
            QVERIFY2(m_window->menuEntry(QLatin1String(name))->isEnabled(), name);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainShellTest)
#include "tst_frmMainShell.moc"
