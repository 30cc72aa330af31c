#include "fileops/FileOperationProgressWidget.h"

#include "platform/FileOperationTexts.h"
#include "platform/Prompter.h"

#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace T = FileOperationTexts;

namespace {

constexpr int ShowAfterMs = 500;
constexpr int PollMs = 200;

// Hands each question from the worker thread to the thread `home` lives in and waits
// for the answer there.
class ForwardingPrompter : public Prompter
{
public:
    ForwardingPrompter(Prompter &target, QObject &home) : m_target(target), m_home(home) {}

    PromptButton message(const QString &title, const QString &text, PromptIcon icon, const QList<PromptButton> &buttons,
                         PromptButton defaultButton) override
    {
        PromptButton answer = defaultButton;
        onHome([&] { answer = m_target.message(title, text, icon, buttons, defaultButton); });
        return answer;
    }

    QString askText(const QString &title, const QString &text, const QString &initialText) override
    {
        QString answer;
        onHome([&] { answer = m_target.askText(title, text, initialText); });
        return answer;
    }

private:
    template<typename F>
    void onHome(F f)
    {
        if (QThread::currentThread() == m_home.thread())
            f();
        else
            QMetaObject::invokeMethod(&m_home, f, Qt::BlockingQueuedConnection);
    }

    Prompter &m_target;
    QObject &m_home;
};

QString titleOf(const FileOperationRequest &request)
{
    switch (request.operation) {
    case FileOperationKind::Copy:
        return T::CopyTitle.in(request.languageGreek);
    case FileOperationKind::Move:
        return T::MoveTitle.in(request.languageGreek);
    case FileOperationKind::Delete:
        break;
    }
    return ((request.flags & FileOperationFlag::AllowUndo) ? T::TrashTitle : T::DeleteTitle).in(request.languageGreek);
}

} // namespace

FileOperationProgressWidget::FileOperationProgressWidget(FileOperationProgress &progress, const QString &title,
                                                         bool languageGreek, QWidget *parent)
    : QDialog(parent), m_progress(progress), m_greek(languageGreek)
{
    setWindowTitle(title);
    setMinimumWidth(420);
    lblItems = new QLabel(this);
    lblItems->setObjectName(QStringLiteral("lblItems"));
    lblBytes = new QLabel(this);
    lblBytes->setObjectName(QStringLiteral("lblBytes"));
    lblCurrent = new QLabel(this);
    lblCurrent->setObjectName(QStringLiteral("lblCurrent"));
    lblCurrent->setTextFormat(Qt::PlainText);
    lblCurrent->setWordWrap(true);
    prbProgress = new QProgressBar(this);
    prbProgress->setObjectName(QStringLiteral("prbProgress"));
    prbProgress->setRange(0, 1000);
    cmdCancel = new QPushButton(T::ProgressCancel.in(m_greek), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblCurrent);
    layout->addWidget(prbProgress);
    layout->addWidget(lblItems);
    layout->addWidget(lblBytes);
    layout->addWidget(cmdCancel, 0, Qt::AlignRight);
    connect(cmdCancel, &QPushButton::clicked, this, &FileOperationProgressWidget::cancel);
    refresh();
}

void FileOperationProgressWidget::refresh()
{
    const QLocale locale = QLocale::system();
    const qint64 items = m_progress.itemsDone;
    const qint64 itemsTotal = m_progress.itemsTotal;
    const qint64 bytes = m_progress.bytesDone;
    const qint64 bytesTotal = m_progress.bytesTotal;
    lblItems->setText(T::ProgressItems.in(m_greek).arg(locale.toString(items), locale.toString(itemsTotal)));
    lblBytes->setText(T::ProgressBytes.in(m_greek).arg(locale.toString(bytes), locale.toString(bytesTotal)));
    lblBytes->setVisible(bytesTotal > 0);
    lblCurrent->setText(T::ProgressCurrent.in(m_greek).arg(m_progress.currentName()));
    // Bytes say more than items where there are bytes to count.
    const double part = bytesTotal > 0 ? double(bytes) / double(bytesTotal)
                                       : itemsTotal > 0 ? double(items) / double(itemsTotal) : 0.0;
    prbProgress->setValue(int(qBound(0.0, part, 1.0) * 1000));
}

void FileOperationProgressWidget::reject()
{
    cancel();
}

void FileOperationProgressWidget::cancel()
{
    m_progress.requestCancel();
    cmdCancel->setEnabled(false);
    cmdCancel->setText(T::ProgressCancelling.in(m_greek));
}

FileOperationResult runFileOperation(QWidget *parent, const FileOperationRequest &request, Prompter &prompter)
{
    FileOperationProgress progress;
    FileOperationProgressWidget window(progress, titleOf(request), request.languageGreek, parent);
    ForwardingPrompter forwarding(prompter, window);
    FileOperationResult result;
    QThread *worker = QThread::create([&] { result = performFileOperation(request, forwarding, progress); });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    poll.setInterval(PollMs);
    QObject::connect(&poll, &QTimer::timeout, &window, &FileOperationProgressWidget::refresh);
    QTimer::singleShot(ShowAfterMs, &window, [&] {
        if (!worker->isFinished())
            window.show();
    });
    worker->start();
    poll.start();
    loop.exec();
    worker->wait();
    delete worker;
    return result;
}
