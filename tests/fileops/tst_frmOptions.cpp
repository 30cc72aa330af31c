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
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QScreen>
#include <QtTest>

class frmOptionsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_fileNumber = 0;

    AppState freshState()
    {
        AppState s;
        s.LanguageGreek = false;
        s.IniPath = m_dir.filePath(QStringLiteral("Tidyhall%1.ini").arg(++m_fileNumber));
        return s;
    }

    template<typename T>
    static T *control(QWidget &dialog, const QString &name)
    {
        T *w = dialog.findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

    static QString raw(const QString &ini, const char *section, const char *key)
    {
        return PrivateProfile::readString(QString::fromLatin1(section), QString::fromLatin1(key),
                                          QStringLiteral("<missing>"), 100, ini);
    }

    // Closes the modal dialog that the next exec() opens, by the button named, and
    // records the page it was showing.
    void closeNextDialogWith(const QString &buttonName, int *pageShown)
    {
        QTimer::singleShot(0, this, [buttonName, pageShown] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                qWarning("no modal dialog open");
                return;
            }
            *pageShown = modal->findChild<QTabWidget *>(QStringLiteral("sstOptions"))->currentIndex();
            modal->findChild<QPushButton *>(buttonName)->click();
        });
    }

private Q_SLOTS:
    void controlsAreNamedAndCarryHelp()
    {
        AppState s = freshState();
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        for (const char *name : {"sstOptions", "sstBackupOptions", "fraDeleteOptions", "optDeleteOptions(3)",
                                 "lblCopyOptions", "chkCopyOptions(1)", "optMoveOptions(0)", "chkMoveOptions(0)",
                                 "chkQueryIfNotFound", "chkTargetFolder(5)", "chkSourceFolder(4)", "optFindStart(2)",
                                 "optFindWindow(1)", "chkShowOptions", "chkSelectTargetFolder", "cmdOK", "cmdCancel"}) {
            QWidget *w = dialog.findChild<QWidget *>(QString::fromLatin1(name));
            QVERIFY2(w, name);
            const QString topic = w->property("helpTopic").toString();
            QVERIFY2(topic.startsWith(QStringLiteral("frmOptions.")), name);
            QVERIFY2(QString::fromLatin1(name).startsWith(topic.mid(11)), name);
        }
    }

    // Every control's topic has a section in both help files, and no section of the
    // dialog is left without a control.
    void everyHelpTopicIsWritten()
    {
        AppState s = freshState();
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        QSet<QString> topics;
        for (const QWidget *w : dialog.findChildren<QWidget *>())
            if (w->property("helpTopic").isValid())
                topics.insert(w->property("helpTopic").toString());
        const QString dir = qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + QStringLiteral("/resources/help/");
        for (const char *name : {"TidyhallGr.hlp", "TidyhallUk.hlp"}) {
            QFile file(dir + QLatin1String(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString html = QString::fromUtf8(file.readAll());
            QSet<QString> sections;
            static const QRegularExpression heading(QStringLiteral("<h3 id=\"(frmOptions\\.[^\"]+)\">"));
            for (const auto &match : heading.globalMatch(html))
                sections.insert(match.captured(1));
            QCOMPARE(sections, topics);
        }
    }

    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("copyPage");
        QTest::addColumn<QString>("firstStep");
        QTest::newRow("el") << true << QStringLiteral("Επιλογές") << QStringLiteral("Άκυρο") << QStringLiteral(" Αντιγραφή ")
                            << QStringLiteral(" 1o Βήμα ");
        QTest::newRow("en") << false << QStringLiteral("Options") << QStringLiteral("Cancel") << QStringLiteral(" Copy ")
                            << QStringLiteral(" 1st Step ");
    }
    void captionsFollowTheLanguage()
    {
        QFETCH(bool, greek);
        QFETCH(QString, title);
        QFETCH(QString, cancel);
        QFETCH(QString, copyPage);
        QFETCH(QString, firstStep);
        AppState s = freshState();
        s.LanguageGreek = greek;
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.cmdCancel->text(), cancel);
        QCOMPARE(dialog.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.sstOptions->tabText(1), copyPage);
        QCOMPARE(dialog.sstBackupOptions->tabText(0), firstStep);
    }

    void opensAtTheOperationsPage_data()
    {
        QTest::addColumn<int>("page");
        for (int page = 0; page <= 4; ++page)
            QTest::newRow(qPrintable(QString::number(page))) << page;
    }
    void opensAtTheOperationsPage()
    {
        QFETCH(int, page);
        AppState s = freshState();
        s.OptionsPage = page;
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        dialog.show();
        QCOMPARE(dialog.sstOptions->currentIndex(), page);
        QCOMPARE(s.OptionsPage, 0);
        QCOMPARE(dialog.sstBackupOptions->currentIndex(), 0);
        QCOMPARE(dialog.sstOptions->tabText(3), QStringLiteral(" Backup: Step 1 of 3. "));
    }

    void backupCaptionFollowsTheStep_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("caption");
        QTest::newRow("en 3") << false << 2 << QStringLiteral(" Backup: Step 3 of 3. ");
        QTest::newRow("en 2") << false << 1 << QStringLiteral(" Backup: Step 2 of 3. ");
        QTest::newRow("el 3") << true << 2 << QStringLiteral(" Αποθήκευση: Βήμα 3 από 3. ");
    }
    void backupCaptionFollowsTheStep()
    {
        QFETCH(bool, greek);
        QFETCH(int, step);
        QFETCH(QString, caption);
        AppState s = freshState();
        s.LanguageGreek = greek;
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        dialog.show();
        dialog.sstBackupOptions->setCurrentIndex(step);
        QCOMPARE(dialog.sstOptions->tabText(3), caption);
    }

    void controlsLoadFromTheState()
    {
        AppState s = freshState();
        s.DeleteOption = 3;
        s.CopyVerify = false;
        s.CopyConfirm = false;
        s.MoveRename = true;
        s.BackupVerify = false;
        s.BackupQueryAfter = false;
        s.BackupTargetFolderAction = 7;
        s.BackupSourceFolderAction = 2;
        s.FindStartPoint = 3;
        s.FindWindowSize = 2;
        s.SelectTarget = false;
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        QVERIFY(control<QRadioButton>(dialog, QStringLiteral("optDeleteOptions(2)"))->isChecked());
        QVERIFY(control<QRadioButton>(dialog, QStringLiteral("optCopyOptions(1)"))->isChecked());
        QVERIFY(control<QCheckBox>(dialog, QStringLiteral("chkCopyOptions(0)"))->isChecked());
        QVERIFY(!control<QCheckBox>(dialog, QStringLiteral("chkCopyOptions(1)"))->isChecked());
        QVERIFY(control<QRadioButton>(dialog, QStringLiteral("optMoveOptions(0)"))->isChecked());
        QVERIFY(!control<QCheckBox>(dialog, QStringLiteral("chkMoveOptions(0)"))->isChecked());
        QVERIFY(control<QCheckBox>(dialog, QStringLiteral("chkMoveOptions(1)"))->isChecked());
        QVERIFY(control<QRadioButton>(dialog, QStringLiteral("optBackupVerification(1)"))->isChecked());
        QVERIFY(!dialog.chkQueryForNewNameAfter->isChecked());
        for (QCheckBox *box : dialog.chkTargetFolder)
            QVERIFY(!box->isChecked());
        QVERIFY(control<QCheckBox>(dialog, QStringLiteral("chkSourceFolder(1)"))->isChecked());
        QVERIFY(control<QRadioButton>(dialog, QStringLiteral("optFindStart(2)"))->isChecked());
        QVERIFY(control<QRadioButton>(dialog, QStringLiteral("optFindWindow(1)"))->isChecked());
        QVERIFY(dialog.chkShowOptions->isChecked());
        QVERIFY(!dialog.chkSelectTargetFolder->isChecked());
        // Loading and reading back, untouched, gives the same options.
        const OperationOptions o = dialog.chosenOptions();
        QCOMPARE(o.deleteOption, 3);
        QCOMPARE(o.backupTargetFolderAction, 7);
        QCOMPARE(o.backupSourceFolderAction, 2);
        QVERIFY(!o.copyConfirm && !o.copyRename && o.moveConfirm && o.moveRename);
    }

    void replaceAndRenameAreExclusive_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QByteArray>("section");
        QTest::newRow("copy") << QStringLiteral("chkCopyOptions") << QByteArray("Copy");
        QTest::newRow("move") << QStringLiteral("chkMoveOptions") << QByteArray("Move");
    }
    void replaceAndRenameAreExclusive()
    {
        QFETCH(QString, group);
        QFETCH(QByteArray, section);
        AppState s = freshState();
        s.CopyRename = true;
        s.MoveRename = true;
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        auto *replace = control<QCheckBox>(dialog, group + QStringLiteral("(0)"));
        auto *rename = control<QCheckBox>(dialog, group + QStringLiteral("(1)"));
        QVERIFY(rename->isChecked());
        replace->click();
        QVERIFY(replace->isChecked());
        QVERIFY(!rename->isChecked());
        rename->click();
        QVERIFY(rename->isChecked());
        QVERIFY(!replace->isChecked());
        rename->click();
        QVERIFY(!rename->isChecked());
        QVERIFY(!replace->isChecked());
        dialog.cmdOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(raw(s.IniPath, section.constData(), "Confirm"), QStringLiteral("1"));
        QCOMPARE(raw(s.IniPath, section.constData(), "Rename"), QStringLiteral("2"));
    }

    void backupBoxesAreExclusiveAndNoneStoresItsOwnValue()
    {
        AppState s = freshState();
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        QVERIFY(dialog.chkTargetFolder[0]->isChecked());
        QVERIFY(dialog.chkSourceFolder[4]->isChecked());
        dialog.chkTargetFolder[5]->click();
        QVERIFY(!dialog.chkTargetFolder[0]->isChecked());
        QVERIFY(dialog.chkTargetFolder[5]->isChecked());
        dialog.chkTargetFolder[5]->click();
        dialog.chkSourceFolder[4]->click();
        for (QCheckBox *box : dialog.chkTargetFolder)
            QVERIFY(!box->isChecked());
        dialog.cmdOK->click();
        QCOMPARE(raw(s.IniPath, "Backup", "TargetFolderAction"), QStringLiteral("7"));
        QCOMPARE(raw(s.IniPath, "Backup", "SourceFolderAction"), QStringLiteral("6"));
        QCOMPARE(s.BackupTargetFolderAction, 7);
        QCOMPARE(s.BackupSourceFolderAction, 6);
    }

    void okStoresWhatTheControlsShow()
    {
        AppState s = freshState();
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        dialog.optDeleteOptions[1]->click();
        dialog.optCopyOptions[1]->click();
        dialog.chkCopyOptions[1]->click();
        dialog.chkMoveOptions[0]->click();
        dialog.chkShowOptions->click();
        dialog.optBackupVerification[1]->click();
        dialog.chkQueryIfNotFound->click();
        dialog.chkTargetFolder[4]->click();
        dialog.chkSourceFolder[2]->click();
        dialog.optFindStart[0]->click();
        dialog.optFindWindow[1]->click();
        dialog.cmdOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(p.prompts.size(), 0);

        const QString &ini = s.IniPath;
        const QList<std::tuple<const char *, const char *, const char *>> expected{
            {"General", "Delete", "2"},
            {"Copy", "Verify", "2"},
            {"Copy", "Confirm", "1"},
            {"Copy", "Rename", "1"},
            {"Move", "Verify", "1"},
            {"Move", "Confirm", "2"},
            {"Move", "Rename", "2"},
            {"General", "ShowOptions", "2"},
            {"General", "SelectTarget", "1"},
            {"Backup", "Verify", "2"},
            {"Backup", "QueryForNewNameBefore", "1"},
            {"Backup", "QueryForNewNameAfter", "1"},
            {"Backup", "QueryIfNotFound", "2"},
            {"Backup", "TargetFolderAction", "5"},
            {"Backup", "SourceFolderAction", "3"},
            {"Find", "FindStartPoint", "1"},
            {"Find", "Findwindowsize", "2"},
        };
        for (const auto &[section, key, value] : expected)
            QCOMPARE(raw(ini, section, key), QString::fromLatin1(value));
        QCOMPARE(s.DeleteOption, 2);
        QVERIFY(!s.CopyVerify && s.CopyConfirm && s.CopyRename);
        QVERIFY(!s.MoveConfirm && !s.MoveRename);
        QVERIFY(!s.ShowOptions);
        QCOMPARE(s.BackupTargetFolderAction, 5);
        QCOMPARE(s.BackupSourceFolderAction, 3);
        QCOMPARE(s.FindStartPoint, 1);
        QCOMPARE(s.FindWindowSize, 2);
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
        AppState s = freshState();
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        dialog.show();
        dialog.optDeleteOptions[3]->click();
        dialog.chkCopyOptions[0]->click();
        dialog.chkSelectTargetFolder->click();
        dialog.chkTargetFolder[0]->click();
        if (byFrame)
            dialog.close();
        else
            dialog.cmdCancel->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(s.IniPath));
        QCOMPARE(s.DeleteOption, 1);
        QVERIFY(s.CopyConfirm);
        QVERIFY(s.SelectTarget);
        QCOMPARE(s.BackupTargetFolderAction, 1);
    }

    void aFailedStoreIsReportedAndTheDialogStaysOpen()
    {
        AppState s = freshState();
        s.IniPath = m_dir.filePath(QStringLiteral("missing folder/Tidyhall.ini"));
        ScriptedPrompter p;
        frmOptions dialog(s, p);
        dialog.show();
        dialog.cmdOK->click();
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.last().title, s.AppTitle + QStringLiteral(", 072."));
        QVERIFY(dialog.isVisible());
    }

    void beforeAnOperationTheDialogOpensAtItsPageOnce()
    {
        AppState s = freshState();
        s.ShowOptions = true;
        ScriptedPrompter p;
        QWidget main;
        main.resize(800, 600);
        main.show();
        int shown = -1;
        closeNextDialogWith(QStringLiteral("cmdCancel"), &shown);
        ShowOptionsBeforeOperation(&main, s, p, OptionsPageOf::Copy);
        QCOMPARE(shown, 1);
        QCOMPARE(s.OptionsPage, 0);
        closeNextDialogWith(QStringLiteral("cmdCancel"), &shown);
        OpenOptionsDialog(&main, s, p);
        QCOMPARE(shown, 0);
    }

    void centredOverTheMainWindow()
    {
        AppState s = freshState();
        ScriptedPrompter p;
        QWidget main;
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        main.setGeometry(room);
        main.show();
        frmOptions dialog(s, p, &main);
        dialog.show();
        const QRect outer = main.frameGeometry();
        const QRect own = dialog.frameGeometry();
        if (own.width() > room.width() || own.height() > room.height())
            QSKIP("the test screen is smaller than the dialog");
        QCOMPARE(own.left(), outer.left() + (outer.width() - own.width()) / 2);
        QCOMPARE(own.top(), outer.top() + (outer.height() - own.height()) / 2);
    }

    void keptOnTheScreenWhenTheMainWindowIsNot()
    {
        AppState s = freshState();
        ScriptedPrompter p;
        QWidget main;
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        main.setGeometry(room.left() - 600, room.top() - 400, 700, 500);
        main.show();
        frmOptions dialog(s, p, &main);
        dialog.show();
        QVERIFY(dialog.frameGeometry().left() >= room.left());
        QVERIFY(dialog.frameGeometry().top() >= room.top());
    }

    void notShownWhenShowOptionsIsOff()
    {
        AppState s = freshState();
        s.ShowOptions = false;
        ScriptedPrompter p;
        ShowOptionsBeforeOperation(nullptr, s, p, OptionsPageOf::Move);
        QCOMPARE(s.OptionsPage, 0);
    }
};

TIDYHALL_GUI_TEST_MAIN(frmOptionsTest)
#include "tst_frmOptions.moc"
