#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/FileCommandsGui.h"
#include "fileops/TargetFolderDialogGui.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

class TargetFolderGuiTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;

    // Acts on the modal dialog that the next exec() opens.
    void onNextDialog(std::function<void(QWidget *)> act)
    {
        QTimer::singleShot(0, this, [act] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY2(modal, "no modal dialog open");
            act(modal);
        });
    }

    // Opens `folder` in the chooser, types `typed` over the marker unless it is null,
    // and accepts; a null folder cancels.
    static void walkAndConfirm(QWidget *modal, const QString &folder, const QString &typed = QString())
    {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (folder.isNull())
            return dialog->reject();
        dialog->setDirectory(folder);
        if (!typed.isNull())
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(typed);
        static_cast<QDialog *>(dialog)->accept();
    }

private Q_SLOTS:
    void chooserIsCaptionedInTheLanguage_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("accept");
        QTest::newRow("el") << true << "μην τροποποιήσετε αυτό το κείμενο" << "Άνοιγμα";
        QTest::newRow("en") << false << "do not alter this text" << "Open";
    }
    void chooserIsCaptionedInTheLanguage()
    {
        QFETCH(bool, greek);
        QFETCH(QString, marker);
        QFETCH(QString, accept);
        QFileDialog dialog;
        PrepareTargetFolderDialog(dialog, "title", marker, greek);
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("title"));
        QCOMPARE(dialog.labelText(QFileDialog::Accept), accept);
        QCOMPARE(dialog.findChild<QLineEdit *>("fileNameEdit")->text(), marker);
    }

    // The target is the folder the chooser shows, whatever was typed over the marker.
    void targetIsTheFolderShown_data()
    {
        QTest::addColumn<QString>("folder"); // null: cancelled
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        const QString backups = m_tree.folder("Backups");
        QTest::newRow("marker kept") << backups << QString() << backups + '/';
        QTest::newRow("marker replaced") << backups << "my name" << backups + '/';
        QTest::newRow("root") << "/" << QString() << "/";
        QTest::newRow("cancelled") << QString() << QString() << "";
    }
    void targetIsTheFolderShown()
    {
        QFETCH(QString, folder);
        QFETCH(QString, typed);
        QFETCH(QString, target);
        onNextDialog([&](QWidget *modal) { walkAndConfirm(modal, folder, typed); });
        const TargetFolderAnswer answer = AskTargetFolder(nullptr, "Select the target for copying", "do not alter this text", false);
        QCOMPARE(answer.folder, target);
        QCOMPARE(answer.error, 0);
    }

    void browseForFolder_data()
    {
        QTest::addColumn<QString>("folder"); // null: cancelled
        QTest::addColumn<QString>("result");
        const QString start = m_tree.folder("Start here");
        QTest::newRow("folder") << start << start;
        QTest::newRow("root keeps its separator") << "/" << "/";
        QTest::newRow("cancel") << QString() << "";
    }
    void browseForFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, result);
        AppState s;
        s.LanguageGreek = true;
        ScriptedPrompter p;
        onNextDialog([&](QWidget *modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("prompt"));
            QCOMPARE(qobject_cast<QFileDialog *>(modal)->labelText(QFileDialog::Accept), QStringLiteral("Επιλογή"));
            walkAndConfirm(modal, folder);
        });
        QCOMPARE(BrowseForFolder(nullptr, "prompt", s, p), result);
        QVERIFY(p.prompts.isEmpty());
    }

    // The whole road of a copy as the main window starts it: options dialog at the
    // Copy page, target chooser, verification, one call of the service.
    void copyFromTheMainWindow()
    {
        const QString listed = m_tree.folder("listed") + '/';
        const QString target = m_tree.folder("copy target");
        AppState s;
        s.LanguageGreek = false;
        s.CurrentPath = listed;
        s.ShowOptions = true;
        s.SelectTarget = false;
        ScriptedPrompter p;
        p.answer(PromptButton::Yes);
        QWidget main;
        main.show();
        QList<FileOperationCall> calls;
        int refreshed = 0;
        MainWindowLink link{&main, s, p,
                            [&](const FileOperationCall &call) {
                                calls.append(call);
                                return FileOperationOutcome{};
                            },
                            [] { return QString(); }, [&] { ++refreshed; }};
        int optionsPage = -1;
        onNextDialog([&](QWidget *options) {
            optionsPage = options->findChild<QTabWidget *>("sstOptions")->currentIndex();
            options->findChild<QPushButton *>("cmdCancel")->click();
            onNextDialog([&](QWidget *chooser) { walkAndConfirm(chooser, target); });
        });
        CopySelectedItems(link, {"b", " a"});
        QCOMPARE(optionsPage, 1);
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.last().title, QStringLiteral("Copy verification"));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first().sources, (QStringList{listed + "b", listed + " a"}));
        QCOMPARE(calls.first().target, target + '/');
        QCOMPARE(refreshed, 0);
    }
};

TIDYHALL_GUI_TEST_MAIN(TargetFolderGuiTest)
#include "tst_TargetFolderGui.moc"
