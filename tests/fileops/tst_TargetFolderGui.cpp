#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/FileCommandsGui.h"
#include "fileops/TargetFolderDialogGui.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
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
            if (!modal)
                qWarning("no modal dialog open");
            else
                act(modal);
        });
    }

    static void walkAndConfirm(QWidget *modal, const QString &folder, const QString &typed = QString())
    {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        dialog->setDirectory(folder);
        if (!typed.isNull())
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
        static_cast<QDialog *>(dialog)->accept();
    }

private Q_SLOTS:
    void chooserIsCaptionedInTheLanguage_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("accept");
        QTest::newRow("el") << true << QStringLiteral("μην τροποποιήσετε αυτό το κείμενο") << QStringLiteral("Άνοιγμα");
        QTest::newRow("en") << false << QStringLiteral("do not alter this text") << QStringLiteral("Open");
    }
    void chooserIsCaptionedInTheLanguage()
    {
        QFETCH(bool, greek);
        QFETCH(QString, marker);
        QFETCH(QString, accept);
        QFileDialog dialog;
        PrepareTargetFolderDialog(dialog, QStringLiteral("title"), marker, greek);
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("title"));
        QCOMPARE(dialog.labelText(QFileDialog::Accept), accept);
        QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text(), marker);
    }

    void targetIsTheFolderShown_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        const QString backups = m_tree.folder(QStringLiteral("Backups"));
        QTest::newRow("marker kept") << backups << QString() << backups + QLatin1Char('/');
        QTest::newRow("marker replaced") << backups << QStringLiteral("my name") << backups + QLatin1Char('/');
        QTest::newRow("root") << QStringLiteral("/") << QString() << QStringLiteral("/");
    }
    void targetIsTheFolderShown()
    {
        QFETCH(QString, folder);
        QFETCH(QString, typed);
        QFETCH(QString, target);
        onNextDialog([&](QWidget *modal) { walkAndConfirm(modal, folder, typed); });
        const TargetFolderAnswer answer =
            AskTargetFolder(nullptr, QStringLiteral("Select the target for copying"), QStringLiteral("do not alter this text"), false);
        QCOMPARE(answer.folder, target);
        QCOMPARE(answer.error, 0);
    }

    void cancelIsNoTarget()
    {
        onNextDialog([](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); });
        const TargetFolderAnswer answer = AskTargetFolder(nullptr, QStringLiteral("t"), QStringLiteral("m"), true);
        QVERIFY(answer.folder.isEmpty());
        QCOMPARE(answer.error, 0);
    }

    void browseForFolder_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("result");
        const QString start = m_tree.folder(QStringLiteral("Start here"));
        QTest::newRow("folder") << true << start << start;
        QTest::newRow("root keeps its separator") << true << QStringLiteral("/") << QStringLiteral("/");
        QTest::newRow("cancel") << false << start << QString();
    }
    void browseForFolder()
    {
        QFETCH(bool, confirm);
        QFETCH(QString, folder);
        QFETCH(QString, result);
        AppState s;
        s.LanguageGreek = true;
        ScriptedPrompter p;
        onNextDialog([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("prompt"));
            QCOMPARE(dialog->labelText(QFileDialog::Accept), QStringLiteral("Επιλογή"));
            dialog->setDirectory(folder);
            if (confirm)
                static_cast<QDialog *>(dialog)->accept();
            else
                dialog->reject();
        });
        QCOMPARE(BrowseForFolder(nullptr, QStringLiteral("prompt"), s, p), result);
        QVERIFY(p.prompts.isEmpty());
    }

    // The whole road of a copy as the main window starts it: options dialog at the
    // Copy page, target chooser, verification, one call of the service.
    void copyFromTheMainWindow()
    {
        const QString listed = m_tree.folder(QStringLiteral("listed")) + QLatin1Char('/');
        const QString target = m_tree.folder(QStringLiteral("copy target"));
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
            optionsPage = options->findChild<QTabWidget *>(QStringLiteral("sstOptions"))->currentIndex();
            options->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
            onNextDialog([&](QWidget *chooser) { walkAndConfirm(chooser, target); });
        });
        CopySelectedItems(link, {QStringLiteral("b"), QStringLiteral(" a")});
        QCOMPARE(optionsPage, 1);
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.last().title, QStringLiteral("Copy verification"));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first().sources, (QStringList{listed + QStringLiteral("b"), listed + QStringLiteral(" a")}));
        QCOMPARE(calls.first().target, target + QLatin1Char('/'));
        QCOMPARE(refreshed, 0);
    }
};

TIDYHALL_GUI_TEST_MAIN(TargetFolderGuiTest)
#include "tst_TargetFolderGui.moc"
