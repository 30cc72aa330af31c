#include "inspect/frmArchive.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "app/Settings.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/TargetFolderDialogGui.h"
#include "inspect/ArchiveCheck.h"
#include "inspect/ArchiveTexts.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace T = ArchiveTexts;

namespace {

template<typename W>
W *named(QWidget *parent, const QString &name, const QString &topic)
{
    auto *w = new W(parent);
    w->setObjectName(name);
    ContextHelp::setTopic(w, QStringLiteral("frmArchive.") + topic);
    return w;
}

constexpr int MaxProblemsShown = 10;

} // namespace

frmArchive::frmArchive(AppState &state, Prompter &prompter, std::function<QString(const QString &)> browseForFolder,
                       QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter), m_browse(std::move(browseForFolder))
{
    setObjectName(QStringLiteral("frmArchive"));
    build();
    caption();
    const int start = (m_state.ArchiveStartPoint >= 1 && m_state.ArchiveStartPoint <= 3) ? m_state.ArchiveStartPoint : 1;
    optChooseTarget[std::size_t(start - 1)]->setChecked(true);
}

void frmArchive::build()
{
    fraChooseTarget = named<QGroupBox>(this, QStringLiteral("fraChooseTarget"), QStringLiteral("fraChooseTarget"));
    auto *choices = new QVBoxLayout(fraChooseTarget);
    for (std::size_t i = 0; i < optChooseTarget.size(); ++i) {
        const QString name = QStringLiteral("optChooseTarget(%1)").arg(i);
        optChooseTarget[i] = named<QRadioButton>(fraChooseTarget, name, name);
        choices->addWidget(optChooseTarget[i]);
    }
    lblFileType = named<QLabel>(this, QStringLiteral("lblFileType"), QStringLiteral("lblFileType"));
    txtFileType = named<QLineEdit>(this, QStringLiteral("txtFileType"), QStringLiteral("lblFileType"));
    txtFileType->setText(QStringLiteral("*.*"));
    txtFileType->installEventFilter(this);
    lblFileType->setBuddy(txtFileType);
    cmdAsterisk = named<QPushButton>(this, QStringLiteral("cmdAsterisk"), QStringLiteral("cmdAsterisk"));
    cmdAsterisk->setText(QStringLiteral("*.*"));
    cmdStartChecking = named<QPushButton>(this, QStringLiteral("cmdStartChecking"), QStringLiteral("cmdStartChecking"));
    cmdStop = named<QPushButton>(this, QStringLiteral("cmdStop"), QStringLiteral("cmdStop"));
    cmdStop->setEnabled(false);
    lblFolderBeingRead = named<QLabel>(this, QStringLiteral("lblFolderBeingRead"), QStringLiteral("lblFolderBeingRead"));
    lblFolderBeingRead->setTextFormat(Qt::PlainText);
    lblFolderBeingRead->setMinimumWidth(200);
    lblFolderBeingRead->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lstObjectNames = named<QListWidget>(this, QStringLiteral("lstObjectNames"), QStringLiteral("lstObjectNames"));
    lstObjectNames->setSelectionMode(QAbstractItemView::NoSelection);
    lstObjectNames->setUniformItemSizes(true);
    lblObjectNames = named<QLabel>(this, QStringLiteral("lblObjectNames"), QStringLiteral("lblObjectNames"));
    lblObjectNames->setTextFormat(Qt::PlainText);
    cmdOK = named<QPushButton>(this, QStringLiteral("cmdOK"), QStringLiteral("cmdOK"));
    for (QPushButton *b : {cmdAsterisk, cmdStartChecking, cmdStop, cmdOK})
        b->setAutoDefault(false);

    auto *type = new QHBoxLayout;
    type->addWidget(lblFileType);
    type->addWidget(txtFileType, 1);
    type->addWidget(cmdAsterisk);
    cmdAsterisk->setFixedHeight(txtFileType->sizeHint().height());
    cmdAsterisk->setFixedWidth(cmdAsterisk->fontMetrics().horizontalAdvance(QStringLiteral("*.*")) + 24);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdStartChecking);
    buttons->addWidget(cmdStop);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraChooseTarget);
    layout->addLayout(type);
    layout->addLayout(buttons);
    layout->addWidget(lblFolderBeingRead);
    layout->addWidget(lstObjectNames, 1);
    layout->addWidget(lblObjectNames);
    resize(640, 480);

    connect(cmdAsterisk, &QPushButton::clicked, this, [this] { txtFileType->setText(QStringLiteral("*.*")); });
    connect(cmdStartChecking, &QPushButton::clicked, this, &frmArchive::startChecking);
    connect(cmdStop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
    connect(cmdOK, &QPushButton::clicked, this, &frmArchive::confirm);
    // The list is for reading only.
    connect(lstObjectNames, &QListWidget::itemClicked, lstObjectNames, &QListWidget::clearSelection);
}

void frmArchive::caption()
{
    const bool greek = m_state.LanguageGreek;
    setWindowTitle(T::Title.in(greek));
    fraChooseTarget->setTitle(T::FrameLead.in(greek) + T::FrameTail.in(greek));
    const QString root = ArchiveDriveRootOf(m_state.CurrentPath);
    optChooseTarget[0]->setProperty("tag", root);
    optChooseTarget[1]->setProperty("tag", m_state.CurrentPath);
    optChooseTarget[0]->setText(T::OptionOpen.in(greek) + ExactName::shown(root) + T::OptionClose.in(greek));
    optChooseTarget[1]->setText(T::OptionOpen.in(greek) + ExactName::shown(m_state.CurrentPath) + T::OptionClose.in(greek));
    optChooseTarget[2]->setText(T::OptionChosen.in(greek));
    lblFileType->setText(T::FileType.in(greek));
    cmdStartChecking->setText(T::StartChecking.in(greek));
    cmdStop->setText(T::Stop.in(greek));
    cmdOK->setText(T::Ok.in(greek));
    for (QPushButton *b : {cmdStartChecking, cmdStop, cmdOK})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
}

void frmArchive::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        CentreOverParent(this);
    }
}

bool frmArchive::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the file type neither starts the check nor closes the window.
    if (watched == txtFileType && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmArchive::closeEvent(QCloseEvent *event)
{
    if (m_checking) {
        m_stopRequested = true; // closes once the walk has stopped
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmArchive::reject()
{
    if (m_checking) {
        m_stopRequested = true;
        return;
    }
    QDialog::reject();
}

void frmArchive::setChecking(bool on)
{
    m_checking = on;
    for (QWidget *w : {static_cast<QWidget *>(fraChooseTarget), static_cast<QWidget *>(txtFileType),
                       static_cast<QWidget *>(cmdAsterisk), static_cast<QWidget *>(cmdStartChecking),
                       static_cast<QWidget *>(cmdOK)})
        w->setEnabled(!on);
    cmdStop->setEnabled(on);
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void frmArchive::startChecking()
{
    const bool greek = m_state.LanguageGreek;
    QString start;
    if (optChooseTarget[2]->isChecked()) {
        start = m_browse(T::BrowsePrompt1.in(greek) + T::BrowsePrompt2.in(greek) + T::BrowsePrompt3.in(greek)
                         + T::BrowsePrompt4.in(greek) + T::BrowsePrompt5.in(greek));
        if (start.isEmpty())
            return;
    } else {
        start = (optChooseTarget[0]->isChecked() ? optChooseTarget[0] : optChooseTarget[1])->property("tag").toString();
    }
    const QString pattern = txtFileType->text();
    if (!ArchiveCheckPatternIsValid(pattern)) {
        m_prompter.inform(T::Title.in(greek), T::BadPattern.in(greek).arg(pattern), PromptIcon::Warning);
        return;
    }
    lblObjectNames->clear();
    lstObjectNames->clear();
    m_stopRequested = false;
    setChecking(true);
    const auto restore = qScopeGuard([this] {
        setChecking(false);
        lblFolderBeingRead->clear();
    });
    QCoreApplication::processEvents();

    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    std::vector<TreeWalk::Notice> notices;
    ArchiveCheckObserver observer;
    observer.folderEntered = [&](const QString &folder) {
        // Repaint a few times a second, not once per folder: the walk stays fast.
        if (sinceRepaint.elapsed() < 100)
            return;
        sinceRepaint.restart();
        lblFolderBeingRead->setText(T::Reading.in(greek).arg(ExactName::shown(folder)));
        QCoreApplication::processEvents();
    };
    observer.itemFound = [&](const QString &item) {
        auto *row = new QListWidgetItem(ExactName::shown(item), lstObjectNames);
        row->setToolTip(row->text());
    };
    observer.stopRequested = [this] { return m_stopRequested; };
    RunTrapped(m_prompter, m_state, "087", [&] {
        const ArchiveCheckResult result = RunArchiveCheck(start, pattern, observer);
        lblObjectNames->setText(ArchiveSummary(result.folders, result.files, result.bytes, greek));
        notices = result.notices;
        if (result.stopped)
            lblObjectNames->setText(lblObjectNames->text() + QLatin1Char(' ') + T::Stopped.in(greek));
    });
    if (!notices.empty()) {
        QStringList lines{T::WalkProblems.in(greek)};
        for (std::size_t i = 0; i < notices.size() && i < std::size_t(MaxProblemsShown); ++i)
            lines.append(describeWalkNotice(notices[i], greek));
        if (notices.size() > std::size_t(MaxProblemsShown))
            lines.append(T::MoreProblems.in(greek).arg(notices.size() - MaxProblemsShown));
        m_prompter.inform(T::Title.in(greek), lines.join(NewLine), PromptIcon::Warning);
    }
}

void frmArchive::confirm()
{
    RunTrapped(m_prompter, m_state, "085", [&] {
        int chosen = 0;
        for (std::size_t i = 0; i < optChooseTarget.size(); ++i)
            if (optChooseTarget[i]->isChecked())
                chosen = int(i);
        m_state.ArchiveStartPoint = chosen + 1;
        writeSetting(m_state.IniPath, Keys::ArchiveStartPoint, m_state.ArchiveStartPoint);
        accept();
    });
}

void OpenArchiveCheckGui(QWidget *mainWindow, AppState &state, Prompter &prompter)
{
    std::unique_ptr<frmArchive> dialog;
    const bool loaded = RunTrapped(prompter, state, "086", [&] {
        dialog = std::make_unique<frmArchive>(
            state, prompter,
            [mainWindow, &state, &prompter](const QString &prompt) {
                return BrowseForFolder(mainWindow, prompt, state, prompter);
            },
            mainWindow);
    });
    if (loaded)
        dialog->exec();
    BringWindowToFrontGui(mainWindow);
}
