#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "fileops/FileOperationProgressWidget.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QtTest>

namespace {
// Notes the thread each question is asked on.
class ThreadNotingPrompter : public ScriptedPrompter
{
public:
    QList<QThread *> threads;
    PromptButton message(const QString &title, const QString &text, PromptIcon icon, const QList<PromptButton> &buttons,
                         PromptButton defaultButton) override
    {
        threads.append(QThread::currentThread());
        return ScriptedPrompter::message(title, text, icon, buttons, defaultButton);
    }
};
} // namespace

class FileOperationProgressGuiTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionsComeBackToTheWindowThread()
    {
        TempTree tree;
        ThreadNotingPrompter prompter;
        prompter.answer(PromptButton::Yes);
        FileOperationRequest request;
        request.sources = {tree.file("src/a.txt", "new")};
        request.target = QFileInfo(tree.file("dst/a.txt", "old")).path();
        QCOMPARE(runFileOperation(nullptr, request, prompter).done, 1);
        QCOMPARE(prompter.threads, QList<QThread *>{QThread::currentThread()});
        QCOMPARE(tree.read("dst/a.txt"), QByteArray("new"));
    }

    void windowShowsFiguresAndCancels_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("English") << false << "Items: 3 of 10" << "Cancel";
        QTest::newRow("Greek") << true << "Στοιχεία: 3 από 10" << "Άκυρο";
    }
    void windowShowsFiguresAndCancels()
    {
        QFETCH(bool, greek);
        QFETCH(QString, items);
        QFETCH(QString, cancel);
        FileOperationProgress progress;
        progress.itemsTotal = 10;
        progress.itemsDone = 3;
        progress.bytesTotal = 2000;
        progress.bytesDone = 1000;
        progress.setCurrentName(QStringLiteral("/data/φάκελλος/a.txt"));
        FileOperationProgressWidget window(progress, QStringLiteral("Copy"), greek);
        window.refresh();
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblItems"))->text(), items);
        QVERIFY(window.lblCurrent->text().endsWith(QStringLiteral("/data/φάκελλος/a.txt")));
        QCOMPARE(window.prbProgress->value(), 500);
        QCOMPARE(window.cmdCancel->text(), cancel);
        QVERIFY(!progress.cancelRequested());
        QTest::mouseClick(window.cmdCancel, Qt::LeftButton);
        QVERIFY(progress.cancelRequested());
        QVERIFY(!window.cmdCancel->isEnabled());
    }
};

TIDYHALL_GUI_TEST_MAIN(FileOperationProgressGuiTest)
#include "tst_FileOperationProgressGui.moc"
