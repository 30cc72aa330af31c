#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/OptionsRules.h"
#include "fileops/frmOptions.h"
#include "platform/PrivateProfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <optional>

class frmOptionsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_fileNumber = 0;
    AppState m_state;
    std::optional<ScriptedPrompter> m_prompter;
    std::optional<frmOptions> m_dialog;

    // The dialog on the state as the test has set it so far.
    frmOptions &dialog()
    {
        if (!m_dialog)
            m_dialog.emplace(m_state, *m_prompter);
        return *m_dialog;
    }

    QString stored(const char *section, const char *key) const
    {
        return PrivateProfile::readString(section, key, "<missing>", 100, m_state.IniPath);
    }

    // Closes the modal dialog that the next exec() opens with Cancel, and records the
    // page it was showing.
    void cancelNextDialog(int *pageShown)
    {
        QTimer::singleShot(0, this, [pageShown] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY2(modal, "no modal dialog open");
            *pageShown = modal->findChild<QTabWidget *>("sstOptions")->currentIndex();
            modal->findChild<QPushButton *>("cmdCancel")->click();
        });
    }

private Q_SLOTS:
    void init()
    {
        m_state = AppState();
        m_state.LanguageGreek = false;
        m_state.IniPath = m_dir.filePath(QStringLiteral("Tidyhall%1.ini").arg(++m_fileNumber));
        m_prompter.emplace();
    }
    void cleanup() { m_dialog.reset(); }

    // Every control is found by its name, and its help topic has a section in both
    // help files; no section of the dialog is left without a control.
    void controlsAreNamedAndTheirHelpIsWritten()
    {
        QSet<QString> topics;
        for (const QWidget *w : dialog().findChildren<QWidget *>())
            if (w->property("helpTopic").isValid())
                topics.insert(w->property("helpTopic").toString());
        for (const char *name : {"sstOptions", "sstBackupOptions", "fraDeleteOptions", "optDeleteOptions(3)",
                                 "lblCopyOptions", "chkCopyOptions(1)", "optMoveOptions(0)", "chkMoveOptions(0)",
                                 "chkQueryIfNotFound", "chkTargetFolder(5)", "chkSourceFolder(4)", "optFindStart(2)",
                                 "optFindWindow(1)", "chkShowOptions", "chkSelectTargetFolder", "cmdOK", "cmdCancel"}) {
            const QWidget *w = dialog().findChild<QWidget *>(name);
            QVERIFY2(w, name);
            const QString topic = w->property("helpTopic").toString();
            QVERIFY2(topic.startsWith("frmOptions.") && QString(name).startsWith(topic.mid(11)), name);
        }
        static const QRegularExpression heading(QStringLiteral("<h3 id=\"(frmOptions\\.[^\"]+)\">"));
        for (const char *name : {"TidyhallGr.hlp", "TidyhallUk.hlp"}) {
            QFile file(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + "/resources/help/" + name);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            QSet<QString> sections;
            for (const auto &match : heading.globalMatch(QString::fromUtf8(file.readAll())))
                sections.insert(match.captured(1));
            QCOMPARE(sections, topics);
        }
    }

    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QStringList>("captions"); // title, Cancel, Copy page, first step, backup page, its last step
        QTest::newRow("el") << true << QStringList{"Επιλογές", "Άκυρο", " Αντιγραφή ", " 1o Βήμα ", " Αποθήκευση: Βήμα 1 από 3. ",
                                                   " Αποθήκευση: Βήμα 3 από 3. "};
        QTest::newRow("en") << false << QStringList{"Options", "Cancel", " Copy ", " 1st Step ", " Backup: Step 1 of 3. ",
                                                    " Backup: Step 3 of 3. "};
    }
    void captionsFollowTheLanguage()
    {
        QFETCH(bool, greek);
        QFETCH(QStringList, captions);
        m_state.LanguageGreek = greek;
        frmOptions &d = dialog();
        d.show();
        QCOMPARE(d.cmdOK->text(), QStringLiteral("OK"));
        QStringList shown{d.windowTitle(), d.cmdCancel->text(), d.sstOptions->tabText(1), d.sstBackupOptions->tabText(0),
                          d.sstOptions->tabText(3)};
        d.sstBackupOptions->setCurrentIndex(2);
        shown << d.sstOptions->tabText(3);
        QCOMPARE(shown, captions);
    }

    void controlsLoadFromTheState()
    {
        m_state.DeleteOption = 3;
        m_state.CopyVerify = false;
        m_state.CopyConfirm = false;
        m_state.MoveRename = true;
        m_state.BackupVerify = false;
        m_state.BackupQueryAfter = false;
        m_state.BackupTargetFolderAction = 7;
        m_state.BackupSourceFolderAction = 2;
        m_state.FindStartPoint = 3;
        m_state.FindWindowSize = 2;
        m_state.SelectTarget = false;
        frmOptions &d = dialog();
        QVERIFY(d.optDeleteOptions[2]->isChecked());
        QVERIFY(d.optCopyOptions[1]->isChecked());
        QVERIFY(d.chkCopyOptions[0]->isChecked() && !d.chkCopyOptions[1]->isChecked());
        QVERIFY(d.optMoveOptions[0]->isChecked());
        QVERIFY(!d.chkMoveOptions[0]->isChecked() && d.chkMoveOptions[1]->isChecked());
        QVERIFY(d.optBackupVerification[1]->isChecked());
        QVERIFY(!d.chkQueryForNewNameAfter->isChecked());
        for (QCheckBox *box : d.chkTargetFolder)
            QVERIFY(!box->isChecked());
        QVERIFY(d.chkSourceFolder[1]->isChecked());
        QVERIFY(d.optFindStart[2]->isChecked());
        QVERIFY(d.optFindWindow[1]->isChecked());
        QVERIFY(d.chkShowOptions->isChecked());
        QVERIFY(!d.chkSelectTargetFolder->isChecked());
        // Loading and reading back, untouched, gives the same options.
        const OperationOptions o = d.chosenOptions();
        QCOMPARE(o.deleteOption, 3);
        QCOMPARE(o.backupTargetFolderAction, 7);
        QCOMPARE(o.backupSourceFolderAction, 2);
        QVERIFY(!o.copyConfirm && !o.copyRename && o.moveConfirm && o.moveRename);
    }

    void replaceAndRenameAreExclusive_data()
    {
        QTest::addColumn<bool>("move");
        QTest::newRow("copy") << false;
        QTest::newRow("move") << true;
    }
    void replaceAndRenameAreExclusive()
    {
        QFETCH(bool, move);
        m_state.CopyRename = true;
        m_state.MoveRename = true;
        frmOptions &d = dialog();
        QCheckBox *replace = (move ? d.chkMoveOptions : d.chkCopyOptions)[0];
        QCheckBox *rename = (move ? d.chkMoveOptions : d.chkCopyOptions)[1];
        QVERIFY(rename->isChecked());
        replace->click();
        QVERIFY(replace->isChecked() && !rename->isChecked());
        rename->click();
        QVERIFY(rename->isChecked() && !replace->isChecked());
        rename->click();
        QVERIFY(!rename->isChecked() && !replace->isChecked());
        d.cmdOK->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(stored(move ? "Move" : "Copy", "Confirm"), QStringLiteral("1"));
        QCOMPARE(stored(move ? "Move" : "Copy", "Rename"), QStringLiteral("2"));
    }

    // The backup boxes clicked here are exclusive with the ones checked at the start,
    // so a box left checked beside them shows as a wrong action.
    void okStoresWhatTheControlsShow()
    {
        frmOptions &d = dialog();
        for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{
                 d.optDeleteOptions[1], d.optCopyOptions[1], d.chkCopyOptions[1], d.chkMoveOptions[0], d.chkShowOptions,
                 d.optBackupVerification[1], d.chkQueryIfNotFound, d.chkTargetFolder[4], d.chkSourceFolder[2],
                 d.optFindStart[0], d.optFindWindow[1], d.cmdOK})
            b->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(m_prompter->prompts.size(), 0);
        const QList<std::tuple<const char *, const char *, const char *>> expected{
            {"General", "Delete", "2"}, {"General", "ShowOptions", "2"}, {"General", "SelectTarget", "1"},
            {"Copy", "Verify", "2"}, {"Copy", "Confirm", "1"}, {"Copy", "Rename", "1"},
            {"Move", "Verify", "1"}, {"Move", "Confirm", "2"}, {"Move", "Rename", "2"},
            {"Backup", "Verify", "2"}, {"Backup", "QueryForNewNameBefore", "1"}, {"Backup", "QueryForNewNameAfter", "1"},
            {"Backup", "QueryIfNotFound", "2"}, {"Backup", "TargetFolderAction", "5"}, {"Backup", "SourceFolderAction", "3"},
            {"Find", "FindStartPoint", "1"}, {"Find", "Findwindowsize", "2"}};
        for (const auto &[section, key, value] : expected)
            QCOMPARE(stored(section, key), QString(value));
        QCOMPARE(m_state.DeleteOption, 2);
        QVERIFY(!m_state.CopyVerify && m_state.CopyConfirm && m_state.CopyRename);
        QVERIFY(!m_state.MoveConfirm && !m_state.MoveRename && !m_state.ShowOptions);
        QCOMPARE(m_state.BackupTargetFolderAction, 5);
        QCOMPARE(m_state.BackupSourceFolderAction, 3);
        QCOMPARE(m_state.FindStartPoint, 1);
        QCOMPARE(m_state.FindWindowSize, 2);
    }

    void cancelAndTheFrameStoreNothing_data()
    {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("cmdCancel") << false;
        QTest::newRow("window frame") << true;
    }
    void cancelAndTheFrameStoreNothing()
    {
        QFETCH(bool, byFrame);
        frmOptions &d = dialog();
        d.show();
        d.optDeleteOptions[3]->click();
        d.chkCopyOptions[0]->click();
        d.chkSelectTargetFolder->click();
        d.chkTargetFolder[0]->click();
        if (byFrame)
            d.close();
        else
            d.cmdCancel->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(m_state.IniPath));
        QCOMPARE(m_state.DeleteOption, 1);
        QVERIFY(m_state.CopyConfirm && m_state.SelectTarget);
        QCOMPARE(m_state.BackupTargetFolderAction, 1);
    }

    void aFailedStoreIsReportedAndTheDialogStaysOpen()
    {
        m_state.IniPath = m_dir.filePath("missing folder/Tidyhall.ini");
        frmOptions &d = dialog();
        d.show();
        d.optDeleteOptions[3]->click();
        d.cmdOK->click();
        QCOMPARE(m_prompter->prompts.size(), 1);
        QCOMPARE(m_prompter->last().title, m_state.AppTitle + ", 072.");
        QVERIFY(d.isVisible());
        // Cancel then leaves the options as they were before the dialog opened.
        d.cmdCancel->click();
        QCOMPARE(m_state.DeleteOption, 1);
    }

    // Before an operation the dialog opens at that operation's page, once; the menu
    // opens it at the first page; with ShowOptions off nothing opens (a modal dialog
    // left open would hang this test).
    void beforeAnOperationTheDialogOpensAtItsPage()
    {
        m_state.ShowOptions = true;
        QWidget main;
        main.resize(800, 600);
        main.show();
        int shown = -1;
        cancelNextDialog(&shown);
        const auto open = [&] { OpenOptionsDialog(&main, m_state, *m_prompter); };
        ShowOptionsFirst(m_state, OptionsPageOf::Copy, open);
        QCOMPARE(shown, 1);
        QCOMPARE(m_state.OptionsPage, 0);
        cancelNextDialog(&shown);
        OpenOptionsDialog(&main, m_state, *m_prompter);
        QCOMPARE(shown, 0);
        m_state.ShowOptions = false;
        ShowOptionsFirst(m_state, OptionsPageOf::Move, open);
        QCOMPARE(m_state.OptionsPage, 0);
    }

    void placedOverTheMainWindow_data()
    {
        QTest::addColumn<bool>("offScreen");
        QTest::newRow("centred") << false;
        QTest::newRow("kept on the screen") << true;
    }
    void placedOverTheMainWindow()
    {
        QFETCH(bool, offScreen);
        QWidget main;
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        main.setGeometry(offScreen ? QRect(room.left() - 600, room.top() - 400, 700, 500) : room);
        main.show();
        frmOptions d(m_state, *m_prompter, &main);
        d.show();
        const QRect outer = main.frameGeometry();
        const QRect own = d.frameGeometry();
        if (offScreen) {
            QVERIFY(own.left() >= room.left() && own.top() >= room.top());
        } else {
            if (own.width() > room.width() || own.height() > room.height())
                QSKIP("the test screen is smaller than the dialog");
            QCOMPARE(own.left(), outer.left() + (outer.width() - own.width()) / 2);
            QCOMPARE(own.top(), outer.top() + (outer.height() - own.height()) / 2);
        }
    }
};

TIDYHALL_GUI_TEST_MAIN(frmOptionsTest)
#include "tst_frmOptions.moc"
