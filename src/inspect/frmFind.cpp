#include "inspect/frmFind.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "inspect/FindResultModel.h"
#include "inspect/FindTexts.h"
#include "fileops/TargetFolderDialogGui.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QCursor>
#include <QHash>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// Folders the end-of-search message names one by one; the rest are counted.
constexpr int ListedUnreadable = 20;
// How often the window collects results: often enough that the first one is on
// screen at once, rarely enough that a fast search is not slowed by the list.
constexpr int PollMilliseconds = 30;

template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QString reason(int error, bool greek)
{
    if (error == ENOENT)
        return FindTexts::VanishedFolder.in(greek);
    if (error == EACCES || error == EPERM)
        return FindTexts::NoAccess.in(greek);
    return QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char(')');
}

} // namespace

frmFind::frmFind(AppState &state, Prompter &prompter, QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Window), m_state(state), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmFind"));
    setModal(false);
    setWindowRole(QLatin1String(FindTexts::WindowRole));
    buildControls();
    buildLayout();
    resize(820, 560);
}

frmFind::~frmFind() = default;

void frmFind::buildControls()
{
    lblNamePattern = named(new QLabel(this), QStringLiteral("lblNamePattern"));
    txtNamePattern = named(new QLineEdit(this), QStringLiteral("txtNamePattern"));
    lblStartFolder = named(new QLabel(this), QStringLiteral("lblStartFolder"));
    txtStartFolder = named(new QLineEdit(this), QStringLiteral("txtStartFolder"));
    cmdBrowse = named(new QPushButton(this), QStringLiteral("cmdBrowse"));
    chkSubFolders = named(new QCheckBox(this), QStringLiteral("chkSubFolders"));
    chkSubFolders->setChecked(true);
    lblText = named(new QLabel(this), QStringLiteral("lblText"));
    txtText = named(new QLineEdit(this), QStringLiteral("txtText"));
    chkModifiedFrom = named(new QCheckBox(this), QStringLiteral("chkModifiedFrom"));
    dtpModifiedFrom = named(new QDateEdit(QDate::currentDate().addMonths(-1), this), QStringLiteral("dtpModifiedFrom"));
    chkModifiedTo = named(new QCheckBox(this), QStringLiteral("chkModifiedTo"));
    dtpModifiedTo = named(new QDateEdit(QDate::currentDate(), this), QStringLiteral("dtpModifiedTo"));
    for (QDateEdit *date : {dtpModifiedFrom, dtpModifiedTo}) {
        date->setCalendarPopup(true);
        date->setEnabled(false);
    }
    fraKind = named(new QGroupBox(this), QStringLiteral("fraKind"));
    for (int i = 0; i < 3; ++i)
        optKind[i] = named(new QRadioButton(fraKind), QStringLiteral("optKind(%1)").arg(i));
    optKind[int(FindKinds::Both)]->setChecked(true);
    cmdFind = named(new QPushButton(this), QStringLiteral("cmdFind"));
    cmdFind->setDefault(true);
    cmdStop = named(new QPushButton(this), QStringLiteral("cmdStop"));
    cmdStop->setEnabled(false);
    cmdStop->setAutoDefault(false);
    cmdClose = named(new QPushButton(this), QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    cmdBrowse->setAutoDefault(false);

    m_model = new FindResultModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_sorted->setDynamicSortFilter(true);
    lvwResults = named(new QTableView(this), QStringLiteral("lvwResults"));
    lvwResults->setModel(m_sorted);
    lvwResults->setSortingEnabled(true);
    lvwResults->sortByColumn(-1, Qt::AscendingOrder); // the order found until a header is clicked
    lvwResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwResults->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwResults->setWordWrap(false); // else the elide mode is not used
    lvwResults->setTextElideMode(Qt::ElideMiddle); // a long folder keeps its last part in view
    lvwResults->setShowGrid(true);
    lvwResults->verticalHeader()->hide();
    lvwResults->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    lvwResults->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    lvwResults->horizontalHeader()->setStretchLastSection(true);
    lvwResults->setColumnWidth(FindResultModel::Name, 180);
    lvwResults->setColumnWidth(FindResultModel::Folder, 260);
    lvwResults->setColumnWidth(FindResultModel::Size, 80);
    lvwResults->setColumnWidth(FindResultModel::Modified, 150);
    lvwResults->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwResults->installEventFilter(this);
    lblCount = named(new QLabel(this), QStringLiteral("lblCount"));
    lblFolder = named(new QLabel(this), QStringLiteral("lblFolder"));
    lblFolder->setTextFormat(Qt::PlainText);
    lblFolder->setMinimumWidth(100);

    m_poll = new QTimer(this);
    m_poll->setInterval(PollMilliseconds);

    for (QWidget *w : std::initializer_list<QWidget *>{
             lblNamePattern, txtNamePattern, lblStartFolder, txtStartFolder, cmdBrowse, chkSubFolders, lblText, txtText,
             chkModifiedFrom, dtpModifiedFrom, chkModifiedTo, dtpModifiedTo, fraKind, optKind[0], optKind[1], optKind[2],
             cmdFind, cmdStop, cmdClose, lvwResults, lblCount, lblFolder})
        ContextHelp::setTopic(w, QStringLiteral("frmFind.") + w->objectName());

    connect(cmdFind, &QPushButton::clicked, this, &frmFind::startSearch);
    connect(cmdStop, &QPushButton::clicked, this, &frmFind::stopSearch);
    connect(cmdClose, &QPushButton::clicked, this, &frmFind::close);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmFind::browse);
    connect(chkModifiedFrom, &QCheckBox::toggled, dtpModifiedFrom, &QWidget::setEnabled);
    connect(chkModifiedTo, &QCheckBox::toggled, dtpModifiedTo, &QWidget::setEnabled);
    connect(m_poll, &QTimer::timeout, this, &frmFind::poll);
    connect(lvwResults, &QTableView::doubleClicked, this, [this] { showCurrentItem(); });
    connect(lvwResults, &QWidget::customContextMenuRequested, this, &frmFind::showResultMenu);
}

void frmFind::buildLayout()
{
    auto *grid = new QGridLayout;
    grid->addWidget(lblNamePattern, 0, 0);
    grid->addWidget(txtNamePattern, 0, 1, 1, 4);
    grid->addWidget(lblStartFolder, 1, 0);
    grid->addWidget(txtStartFolder, 1, 1, 1, 3);
    grid->addWidget(cmdBrowse, 1, 4);
    grid->addWidget(chkSubFolders, 2, 1, 1, 4);
    grid->addWidget(lblText, 3, 0);
    grid->addWidget(txtText, 3, 1, 1, 4);
    grid->addWidget(chkModifiedFrom, 4, 0);
    grid->addWidget(dtpModifiedFrom, 4, 1);
    grid->addWidget(chkModifiedTo, 4, 2);
    grid->addWidget(dtpModifiedTo, 4, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *kinds = new QHBoxLayout(fraKind);
    for (QRadioButton *opt : optKind)
        kinds->addWidget(opt);
    kinds->addStretch(1);
    grid->addWidget(fraKind, 5, 0, 1, 5);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdStop);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addLayout(buttons);

    auto *status = new QHBoxLayout;
    status->addWidget(lblCount);
    status->addWidget(lblFolder, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lvwResults, 1);
    layout->addLayout(status);
}

void frmFind::prepare(const QString &folder)
{
    applyLanguage();
    if (!searching()) {
        m_startFolder = folder;
        txtStartFolder->setText(ExactName::shown(folder));
    }
}

void frmFind::applyLanguage()
{
    using namespace FindTexts;
    const bool greek = m_state.LanguageGreek;
    setWindowTitle(Caption.in(greek));
    lblNamePattern->setText(NamePattern.in(greek));
    txtNamePattern->setToolTip(TipNamePattern.in(greek));
    lblStartFolder->setText(StartFolder.in(greek));
    txtStartFolder->setToolTip(TipStartFolder.in(greek));
    cmdBrowse->setText(Browse.in(greek));
    chkSubFolders->setText(SubFolders.in(greek));
    lblText->setText(ContainedText.in(greek));
    txtText->setToolTip(TipText.in(greek));
    chkModifiedFrom->setText(ModifiedFrom.in(greek));
    chkModifiedTo->setText(ModifiedTo.in(greek));
    fraKind->setTitle(Kind.in(greek));
    optKind[0]->setText(KindFolders.in(greek));
    optKind[1]->setText(KindFiles.in(greek));
    optKind[2]->setText(KindBoth.in(greek));
    cmdFind->setText(FindButton.in(greek));
    cmdFind->setToolTip(TipFind.in(greek));
    cmdStop->setText(StopButton.in(greek));
    cmdStop->setToolTip(TipStop.in(greek));
    cmdClose->setText(CloseButton.in(greek));
    lvwResults->setToolTip(TipResults.in(greek));
    m_model->setLanguage(greek);
    updateStatus();
}

FindCriteria frmFind::criteria() const
{
    FindCriteria c;
    const QString typed = txtStartFolder->text();
    // The box shows odd bytes as "\xFF"; an unchanged box keeps the exact folder.
    c.startFolder = typed == ExactName::shown(m_startFolder) ? m_startFolder : ExactName::fromText(typed.trimmed());
    if (c.startFolder.size() > 1 && c.startFolder.endsWith(QLatin1Char('/')))
        c.startFolder.chop(1);
    c.pattern = txtNamePattern->text();
    c.subFolders = chkSubFolders->isChecked();
    c.text = txtText->text();
    if (chkModifiedFrom->isChecked())
        c.modifiedFrom = dtpModifiedFrom->date();
    if (chkModifiedTo->isChecked())
        c.modifiedTo = dtpModifiedTo->date();
    for (int i = 0; i < 3; ++i)
        if (optKind[i]->isChecked())
            c.kinds = FindKinds(i);
    return c;
}

void frmFind::startSearch()
{
    if (searching())
        return;
    const bool greek = m_state.LanguageGreek;
    const FindCriteria c = criteria();
    if (const auto problem = FindInputProblem(c)) {
        m_prompter.message(FindTexts::Caption.in(greek), problem->in(greek), PromptIcon::Warning, {PromptButton::Ok},
                           PromptButton::Ok);
        return;
    }
    m_search.reset();
    m_model->clear();
    m_search = std::make_unique<FindSearch>(c);
    m_ended = false;
    m_search->start();
    cmdFind->setEnabled(false);
    cmdStop->setEnabled(true);
    cmdStop->setFocus();
    m_poll->start();
    updateStatus();
}

void frmFind::stopSearch()
{
    if (m_search)
        m_search->stop();
}

void frmFind::poll()
{
    if (!m_search || m_ended)
        return;
    const bool ended = m_search->finished(); // read before taking, so nothing found is left behind
    m_model->append(m_search->takeFound());
    if (ended)
        finishSearch();
    else
        updateStatus();
}

void frmFind::finishSearch()
{
    m_ended = true;
    m_poll->stop();
    cmdFind->setEnabled(true);
    cmdStop->setEnabled(false);
    if (cmdStop->hasFocus() || !focusWidget())
        lvwResults->setFocus();
    updateStatus();
    reportEnd();
}

void frmFind::waitForSearch()
{
    while (searching())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    poll();
}

void frmFind::updateStatus()
{
    using namespace FindTexts;
    const bool greek = m_state.LanguageGreek;
    QString count = Found.in(greek) + QLocale::system().toString(qint64(m_model->rowCount()));
    if (m_search && m_search->finished())
        count += (m_search->stopped() ? Stopped : Done).in(greek);
    lblCount->setText(count);
    if (searching())
        lblFolder->setText(Reading.in(greek) + ExactName::shown(m_search->folderBeingRead()));
    else
        lblFolder->clear();
}

void frmFind::reportEnd()
{
    using namespace FindTexts;
    const bool greek = m_state.LanguageGreek;
    const QString title = Caption.in(greek);
    if (const int error = m_search->startError()) {
        const bool missing = error == ENOENT || error == ENOTDIR;
        QString text = (missing ? StartFolderMissing : StartFolderUnreadable).in(greek) + NewLine
                       + ExactName::shown(m_search->criteria().startFolder);
        if (!missing)
            text += reason(error, greek);
        m_prompter.message(title, text, PromptIcon::Warning, {PromptButton::Ok}, PromptButton::Ok);
        return;
    }
    const QList<UnreadableFolder> unreadable = m_search->unreadableFolders();
    if (!unreadable.isEmpty()) {
        QString text = UnreadableFolders.in(greek) + NewLine;
        for (int i = 0; i < unreadable.size() && i < ListedUnreadable; ++i)
            text += NewLine + ExactName::shown(unreadable[i].path) + reason(unreadable[i].error, greek);
        if (unreadable.size() > ListedUnreadable)
            text += NewLine + MoreFolders.in(greek) + QString::number(unreadable.size() - ListedUnreadable);
        m_prompter.message(title, text, PromptIcon::Warning, {PromptButton::Ok}, PromptButton::Ok);
    }
    if (m_model->rowCount() == 0 && !m_search->stopped())
        m_prompter.message(title, (m_search->textLongerThanEveryFile() ? TextLongerThanFiles : NothingFound).in(greek),
                           PromptIcon::Information, {PromptButton::Ok}, PromptButton::Ok);
}

void frmFind::browse()
{
    const QString folder = BrowseForFolder(this, FindTexts::StartPointPrompt.in(m_state.LanguageGreek), m_state, m_prompter);
    if (!folder.isEmpty()) {
        m_startFolder = folder;
        txtStartFolder->setText(ExactName::shown(folder));
    }
}

int frmFind::resultCount() const
{
    return m_sorted->rowCount();
}

const FoundItem &frmFind::resultAt(int row) const
{
    return m_model->item(m_sorted->mapToSource(m_sorted->index(row, 0)).row());
}

void frmFind::showCurrentItem()
{
    const QModelIndex current = lvwResults->currentIndex();
    if (current.isValid() && showItem)
        showItem(resultAt(current.row()));
}

void frmFind::showResultMenu(const QPoint &pos)
{
    using namespace FindTexts;
    const bool greek = m_state.LanguageGreek;
    const QModelIndex hit = lvwResults->indexAt(pos);
    if (hit.isValid())
        lvwResults->setCurrentIndex(hit);
    QMenu menu(this);
    QAction *show = menu.addAction(MenuShowInFolder.in(greek));
    show->setEnabled(hit.isValid());
    menu.addSeparator();
    const std::pair<const Bilingual *, FoundItemAction> actions[] = {{&MenuOpen, FoundItemAction::Open},
                                                                       {&MenuPrint, FoundItemAction::Print},
                                                                       {&MenuQuickView, FoundItemAction::QuickView},
                                                                       {&MenuProperties, FoundItemAction::Properties}};
    QHash<QAction *, FoundItemAction> shellActions;
    for (const auto &[caption, action] : actions) {
        QAction *entry = menu.addAction(caption->in(greek));
        entry->setEnabled(hit.isValid() && shellAction && shellActionAvailable && shellActionAvailable(action));
        shellActions.insert(entry, action);
    }
    menu.addSeparator();
    QAction *help = menu.addAction(MenuHelp.in(greek));
    QAction *chosen = menu.exec(lvwResults->viewport()->mapToGlobal(pos));
    if (!chosen)
        return;
    if (chosen == show)
        showCurrentItem();
    else if (chosen == help)
        ContextHelp(m_state).showTopic(ContextHelp::topicOf(lvwResults), QCursor::pos(), this);
    else if (shellActions.contains(chosen) && hit.isValid())
        shellAction(shellActions.value(chosen), resultAt(hit.row()));
}

bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lvwResults && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            showCurrentItem();
            return true; // not the default button
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmFind::hideEvent(QHideEvent *event)
{
    // A hidden window searches no further; what it found stays for the next time,
    // without the end-of-search messages nobody would see the reason for.
    if (searching()) {
        m_search->stop();
        while (!m_search->finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_poll->stop();
        m_ended = true;
        m_model->append(m_search->takeFound());
        cmdFind->setEnabled(true);
        cmdStop->setEnabled(false);
        updateStatus();
    }
    QDialog::hideEvent(event);
}
