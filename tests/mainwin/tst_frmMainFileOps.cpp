#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/frmMain.h"
#include "platform/ExactName.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Delete from the main window's listing through the real file-operation service.
class frmMainFileOpsTest : public QObject
{
    Q_OBJECT

    struct World
    {
        TempTree tree;
        StartFolder data;
        AppState state;
        ScriptedPrompter prompter;
        std::unique_ptr<frmMain> window;

        explicit World(int deleteOption)
        {
            tree.file(QStringLiteral("here/keep.txt"), "keep");
            tree.file(QStringLiteral("here/ gone.txt"), "leading space");
            tree.file(QStringLiteral("here/gone.txt"), "plain");
            data.writeFile(QStringLiteral("Tidyhall.ini"),
                           "[General]\r\nLanguage=1\r\nShowOptions=2\r\nDelete=" + QByteArray::number(deleteOption)
                               + "\r\nStartingPoint=" + QFile::encodeName(tree.path("here")) + "\r\n");
            window = std::make_unique<frmMain>(state, prompter);
            if (!window->load())
                qFatal("the main window did not load");
            window->show();
        }
        QStringList shownNames() const
        {
            QStringList names;
            const QAbstractItemModel *m = window->lvwInfo->model();
            for (int r = 0; r < m->rowCount(); ++r)
                names << m->index(r, 0).data(Qt::UserRole).toString();
            return names;
        }
        void select(const QString &exactName)
        {
            const QAbstractItemModel *m = window->lvwInfo->model();
            for (int r = 0; r < m->rowCount(); ++r)
                if (m->index(r, 0).data(Qt::UserRole).toString() == exactName)
                    window->lvwInfo->selectionModel()->select(
                        m->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };

private Q_SLOTS:
    void init() { QDir(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash")).removeRecursively(); }

    void deleteActsOnTheExactNameSelected_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QList<PromptButton>>("answers");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<bool>("inTrash");
        QTest::newRow("trash, silent") << 2 << QList<PromptButton>{} << true << true;
        QTest::newRow("trash, asked, yes") << 1 << QList<PromptButton>{PromptButton::Yes} << true << true;
        QTest::newRow("trash, asked, no") << 1 << QList<PromptButton>{PromptButton::No} << false << false;
        QTest::newRow("for good, asked, yes") << 3 << QList<PromptButton>{PromptButton::Yes} << true << false;
        QTest::newRow("for good, silent") << 4 << QList<PromptButton>{} << true << false;
    }
    void deleteActsOnTheExactNameSelected()
    {
        QFETCH(int, option);
        QFETCH(QList<PromptButton>, answers);
        QFETCH(bool, removed);
        QFETCH(bool, inTrash);
        World w(option);
        for (PromptButton b : answers)
            w.prompter.answer(b);
        w.select(QStringLiteral(" gone.txt"));
        w.window->menuEntry(QStringLiteral("mnuOptionsDelete"))->trigger();

        QCOMPARE(w.prompter.unexpected, 0);
        QCOMPARE(w.tree.exists(QStringLiteral("here/ gone.txt")), !removed);
        QVERIFY(w.tree.exists(QStringLiteral("here/gone.txt")));
        QVERIFY(w.tree.exists(QStringLiteral("here/keep.txt")));
        QCOMPARE(w.shownNames().contains(QStringLiteral(" gone.txt")), !removed);
        const QString trashInfo = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/info");
        const QStringList infos = QDir(trashInfo).entryList({QStringLiteral(" gone.txt*.trashinfo")}, QDir::Files);
        QCOMPARE(!infos.isEmpty(), inTrash);
    }

    // F2 renames the item selected through the input box, the commands menu creates a
    // folder and a text file, and Alt+Enter opens the attributes editor on the selection;
    // the listing shows the result afterwards.
    void renameCreateAndAttributesFromTheWindow()
    {
        World w(3);
        w.select(QStringLiteral(" gone.txt"));
        w.prompter.answerText(QStringLiteral("renamed.txt"));
        w.window->lvwInfo->setFocus();
        QTest::keyClick(w.window->windowHandle(), Qt::Key_F2);
        QCOMPARE(w.prompter.prompts.size(), 1);
        QCOMPARE(w.prompter.last().text.left(10), QStringLiteral(" gone.txt\r"));
        QVERIFY(w.tree.exists(QStringLiteral("here/renamed.txt")));
        QVERIFY(w.shownNames().contains(QStringLiteral("renamed.txt")));
        QVERIFY(!w.shownNames().contains(QStringLiteral(" gone.txt")));

        w.prompter.answerText(QStringLiteral("folder"));
        w.window->menuEntry(QStringLiteral("mnuOptionsNewFolder"))->trigger();
        w.prompter.answerText(QStringLiteral("notes"));
        w.window->menuEntry(QStringLiteral("mnuOptionsNewTextFile"))->trigger();
        QVERIFY(w.shownNames().contains(QStringLiteral("folder")));
        QVERIFY(w.shownNames().contains(QStringLiteral("notes.txt")));

        w.select(QStringLiteral("keep.txt"));
        QString shown;
        // The editor is modal: it is looked at and closed from the event loop it runs.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                shown = modal->objectName() + QLatin1Char('|')
                        + modal->findChild<QLineEdit *>(QStringLiteral("txtName"))->text();
                poll.stop();
                modal->close();
            }
        });
        poll.start(10);
        QTest::keyClick(w.window->windowHandle(), Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(shown, QStringLiteral("frmAttributes|keep.txt"));
        QCOMPARE(w.prompter.unexpected, 0);
    }

    // Bytes that are not UTF-8 reach the command as they are: the Delete key on "a\xff"
    // removes it and never its twin "a\xef\xbf\xbd" (which a lossy decoding shows alike).
    void deleteKeyActsOnTheOddByteName()
    {
        World w(4);
        const QByteArray here = ExactName::toBytes(w.tree.path(QStringLiteral("here")));
        for (const QByteArray &name : {QByteArray("a\xff"), QByteArray("a\xef\xbf\xbd")}) {
            const int fd = ::open((here + '/' + name).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        QTest::keyClick(w.window->windowHandle(), Qt::Key_F5);
        const QString odd = ExactName::fromBytes("a\xff");
        QVERIFY(w.shownNames().contains(odd));
        w.select(odd);
        w.window->lvwInfo->setFocus();
        QTest::keyClick(w.window->windowHandle(), Qt::Key_Delete);
        QCOMPARE(w.prompter.unexpected, 0);
        struct stat st;
        QVERIFY(::lstat((here + "/a\xff").constData(), &st) != 0);
        QCOMPARE(::lstat((here + "/a\xef\xbf\xbd").constData(), &st), 0);
        QVERIFY(!w.shownNames().contains(odd));
        ::unlink((here + "/a\xef\xbf\xbd").constData());
    }

    void deleteKeyWithNothingSelectedAsksNothing()
    {
        World w(3);
        w.window->lvwInfo->setFocus();
        QTest::keyClick(w.window->lvwInfo, Qt::Key_Delete);
        QCOMPARE(w.prompter.prompts.size(), 0);
        QCOMPARE(w.shownNames().size(), 3);
    }

    // The commands menu's "Archive bit" opens the check over the folder shown, at the
    // remembered kind of starting point, and the window comes back when it closes.
    void archiveBitOpensTheCheck()
    {
        World w(1);
        QString opened;
        QString currentOption;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            opened = modal->objectName();
            const auto *option = modal->findChild<QRadioButton *>(QStringLiteral("optChooseTarget(0)"));
            currentOption = option && option->isChecked() ? option->text() : QString();
            modal->close();
        });
        w.window->menuEntry(QStringLiteral("mnuOptionsArchiveBit"))->trigger();
        QCOMPARE(opened, QStringLiteral("frmArchive"));
        QVERIFY(!currentOption.isEmpty());
        QVERIFY(w.window->menuEntry(QStringLiteral("mnuOptionsBackup"))->isEnabled());
        QCOMPARE(w.prompter.prompts.size(), 0);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmMainFileOpsTest)
#include "tst_frmMainFileOps.moc"
