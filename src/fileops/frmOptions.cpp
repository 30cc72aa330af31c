#include "fileops/frmOptions.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "app/WrappingButtonWidget.h"
#include "fileops/OptionsTexts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Every control carries its name (tests and the help find it by that) and its help
// topic; the elements of a control array share the array's topic.
// Check boxes and option buttons carry whole sentences: they wrap, so the dialog
// keeps to a width a screen can show.
template<typename T>
struct Made
{
    using type = T;
};
template<>
struct Made<QCheckBox>
{
    using type = WrappingCheckBox;
};
template<>
struct Made<QRadioButton>
{
    using type = WrappingRadioButton;
};

template<typename T>
T *named(const QString &name, const QString &topicName, QWidget *parent = nullptr)
{
    auto *w = new typename Made<T>::type(parent);
    w->setObjectName(name);
    ContextHelp::setTopic(w, QStringLiteral("frmOptions.") + topicName);
    return w;
}

template<typename T, std::size_t N>
void makeArray(std::array<T *, N> &controls, const QString &name)
{
    for (std::size_t i = 0; i < N; ++i)
        controls[i] = named<T>(name + QLatin1Char('(') + QString::number(i) + QLatin1Char(')'), name);
}

QLabel *wrappingLabel(const QString &name)
{
    auto *label = named<QLabel>(name, name);
    label->setWordWrap(true);
    return label;
}

template<typename T, std::size_t N>
void setTexts(const std::array<T *, N> &controls, const std::array<Bilingual, N> &texts, bool greek)
{
    for (std::size_t i = 0; i < N; ++i)
        controls[i]->setText(texts[i].in(greek));
}

template<typename T, std::size_t N>
void addAll(QBoxLayout *layout, const std::array<T *, N> &controls)
{
    for (T *c : controls)
        layout->addWidget(c);
}

template<std::size_t N>
int selectedIndex(const std::array<QRadioButton *, N> &buttons)
{
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

template<std::size_t N>
std::array<bool, N> checkedStates(const std::array<QCheckBox *, N> &boxes)
{
    std::array<bool, N> states{};
    for (std::size_t i = 0; i < N; ++i)
        states[i] = boxes[i]->isChecked();
    return states;
}

} // namespace

frmOptions::frmOptions(AppState &state, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmOptions"));
    buildControls();
    m_loaded = RunTrapped(m_prompter, m_state, "071", [this] {
        setCaptions();
        setControlsFromState();
    });
}

void frmOptions::buildControls()
{
    sstOptions = named<QTabWidget>(QStringLiteral("sstOptions"), QStringLiteral("sstOptions"));
    sstOptions->addTab(buildDeletePage(), QString());
    sstOptions->addTab(buildCopyOrMovePage(fraCopyOptions, optCopyOptions, lblCopyOptions, chkCopyOptions,
                                           QStringLiteral("Copy")),
                       QString());
    sstOptions->addTab(buildCopyOrMovePage(fraMoveOptions, optMoveOptions, lblMoveOptions, chkMoveOptions,
                                           QStringLiteral("Move")),
                       QString());
    sstOptions->addTab(buildBackupPage(), QString());
    sstOptions->addTab(buildFindPage(), QString());

    chkShowOptions = named<QCheckBox>(QStringLiteral("chkShowOptions"), QStringLiteral("chkShowOptions"));
    chkSelectTargetFolder =
        named<QCheckBox>(QStringLiteral("chkSelectTargetFolder"), QStringLiteral("chkSelectTargetFolder"));
    cmdOK = named<QPushButton>(QStringLiteral("cmdOK"), QStringLiteral("cmdOK"));
    cmdCancel = named<QPushButton>(QStringLiteral("cmdCancel"), QStringLiteral("cmdCancel"));
    cmdOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sstOptions, 1);
    layout->addWidget(chkShowOptions);
    layout->addWidget(chkSelectTargetFolder);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(sstBackupOptions, &QTabWidget::currentChanged, this, &frmOptions::sstBackupOptions_Click);
    for (std::size_t i = 0; i < chkCopyOptions.size(); ++i) {
        connect(chkCopyOptions[i], &QCheckBox::clicked, this, [this, i] { exclusiveBox_Click(chkCopyOptions, i); });
        connect(chkMoveOptions[i], &QCheckBox::clicked, this, [this, i] { exclusiveBox_Click(chkMoveOptions, i); });
    }
    for (std::size_t i = 0; i < chkTargetFolder.size(); ++i)
        connect(chkTargetFolder[i], &QCheckBox::clicked, this, [this, i] { exclusiveBox_Click(chkTargetFolder, i); });
    for (std::size_t i = 0; i < chkSourceFolder.size(); ++i)
        connect(chkSourceFolder[i], &QCheckBox::clicked, this, [this, i] { exclusiveBox_Click(chkSourceFolder, i); });
}

QWidget *frmOptions::buildDeletePage()
{
    auto *page = new QWidget;
    fraDeleteOptions = named<QGroupBox>(QStringLiteral("fraDeleteOptions"), QStringLiteral("fraDeleteOptions"));
    makeArray(optDeleteOptions, QStringLiteral("optDeleteOptions"));
    auto *frame = new QVBoxLayout(fraDeleteOptions);
    addAll(frame, optDeleteOptions);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fraDeleteOptions);
    layout->addStretch();
    return page;
}

QWidget *frmOptions::buildCopyOrMovePage(QGroupBox *&frame, std::array<QRadioButton *, 2> &verify, QLabel *&label,
                                         std::array<QCheckBox *, 2> &boxes, const QString &name)
{
    auto *page = new QWidget;
    frame = named<QGroupBox>(QStringLiteral("fra") + name + QStringLiteral("Options"),
                             QStringLiteral("fra") + name + QStringLiteral("Options"));
    makeArray(verify, QStringLiteral("opt") + name + QStringLiteral("Options"));
    label = wrappingLabel(QStringLiteral("lbl") + name + QStringLiteral("Options"));
    makeArray(boxes, QStringLiteral("chk") + name + QStringLiteral("Options"));
    auto *inFrame = new QVBoxLayout(frame);
    addAll(inFrame, verify);
    inFrame->addSpacing(8);
    inFrame->addWidget(label);
    addAll(inFrame, boxes);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

QWidget *frmOptions::buildBackupPage()
{
    auto *page = new QWidget;
    sstBackupOptions = named<QTabWidget>(QStringLiteral("sstBackupOptions"), QStringLiteral("sstBackupOptions"));

    auto *step1 = new QWidget;
    fraBackupOptions1 = named<QGroupBox>(QStringLiteral("fraBackupOptions1"), QStringLiteral("fraBackupOptions1"));
    makeArray(optBackupVerification, QStringLiteral("optBackupVerification"));
    chkQueryForNewNameBefore =
        named<QCheckBox>(QStringLiteral("chkQueryForNewNameBefore"), QStringLiteral("chkQueryForNewNameBefore"));
    chkQueryForNewNameAfter =
        named<QCheckBox>(QStringLiteral("chkQueryForNewNameAfter"), QStringLiteral("chkQueryForNewNameAfter"));
    chkQueryIfNotFound = named<QCheckBox>(QStringLiteral("chkQueryIfNotFound"), QStringLiteral("chkQueryIfNotFound"));
    auto *frame1 = new QVBoxLayout(fraBackupOptions1);
    addAll(frame1, optBackupVerification);
    frame1->addSpacing(8);
    frame1->addWidget(chkQueryForNewNameBefore);
    frame1->addWidget(chkQueryForNewNameAfter);
    frame1->addWidget(chkQueryIfNotFound);
    (new QVBoxLayout(step1))->addWidget(fraBackupOptions1);

    auto *step2 = new QWidget;
    fraBackupOptions2 = named<QGroupBox>(QStringLiteral("fraBackupOptions2"), QStringLiteral("fraBackupOptions2"));
    lblTargetFolder = wrappingLabel(QStringLiteral("lblTargetFolder"));
    makeArray(chkTargetFolder, QStringLiteral("chkTargetFolder"));
    auto *frame2 = new QVBoxLayout(fraBackupOptions2);
    frame2->addWidget(lblTargetFolder);
    addAll(frame2, chkTargetFolder);
    (new QVBoxLayout(step2))->addWidget(fraBackupOptions2);

    auto *step3 = new QWidget;
    fraBackupOptions3 = named<QGroupBox>(QStringLiteral("fraBackupOptions3"), QStringLiteral("fraBackupOptions3"));
    lblSourceFolder = wrappingLabel(QStringLiteral("lblSourceFolder"));
    makeArray(chkSourceFolder, QStringLiteral("chkSourceFolder"));
    auto *frame3 = new QVBoxLayout(fraBackupOptions3);
    frame3->addWidget(lblSourceFolder);
    addAll(frame3, chkSourceFolder);
    (new QVBoxLayout(step3))->addWidget(fraBackupOptions3);

    sstBackupOptions->addTab(step1, QString());
    sstBackupOptions->addTab(step2, QString());
    sstBackupOptions->addTab(step3, QString());
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(sstBackupOptions);
    return page;
}

QWidget *frmOptions::buildFindPage()
{
    auto *page = new QWidget;
    fraFindStart = named<QGroupBox>(QStringLiteral("fraFindStart"), QStringLiteral("fraFindStart"));
    makeArray(optFindStart, QStringLiteral("optFindStart"));
    addAll(new QVBoxLayout(fraFindStart), optFindStart);
    fraFindWindow = named<QGroupBox>(QStringLiteral("fraFindWindow"), QStringLiteral("fraFindWindow"));
    makeArray(optFindWindow, QStringLiteral("optFindWindow"));
    addAll(new QVBoxLayout(fraFindWindow), optFindWindow);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fraFindStart);
    layout->addWidget(fraFindWindow);
    layout->addStretch();
    return page;
}

void frmOptions::setCaptions()
{
    namespace T = OptionsTexts;
    const bool g = m_state.LanguageGreek;
    setWindowTitle(T::Title.in(g));
    cmdOK->setText(T::cmdOK.in(g));
    cmdCancel->setText(T::cmdCancel.in(g));
    for (int i = 0; i < sstOptions->count(); ++i)
        sstOptions->setTabText(i, T::sstOptions[static_cast<std::size_t>(i)].in(g));
    for (int i = 0; i < sstBackupOptions->count(); ++i)
        sstBackupOptions->setTabText(i, T::sstBackupOptions[static_cast<std::size_t>(i)].in(g));

    fraDeleteOptions->setTitle(T::fraDeleteOptions.in(g));
    setTexts(optDeleteOptions, T::optDeleteOptions, g);
    fraCopyOptions->setTitle(T::fraCopyOptions.in(g));
    setTexts(optCopyOptions, T::optCopyOptions, g);
    lblCopyOptions->setText(T::lblCopyOptions.in(g));
    setTexts(chkCopyOptions, T::chkCopyOptions, g);
    fraMoveOptions->setTitle(T::fraMoveOptions.in(g));
    setTexts(optMoveOptions, T::optMoveOptions, g);
    lblMoveOptions->setText(T::lblMoveOptions.in(g));
    setTexts(chkMoveOptions, T::chkMoveOptions, g);
    fraBackupOptions1->setTitle(T::fraBackupOptions1.in(g));
    setTexts(optBackupVerification, T::optBackupVerification, g);
    chkQueryForNewNameBefore->setText(T::chkQueryForNewNameBefore.in(g));
    chkQueryForNewNameAfter->setText(T::chkQueryForNewNameAfter.in(g));
    chkQueryIfNotFound->setText(T::chkQueryIfNotFound.in(g));
    lblTargetFolder->setText(T::lblTargetFolder.in(g));
    setTexts(chkTargetFolder, T::chkTargetFolder, g);
    lblSourceFolder->setText(T::lblSourceFolder.in(g));
    setTexts(chkSourceFolder, T::chkSourceFolder, g);
    fraFindStart->setTitle(T::fraFindStart.in(g));
    setTexts(optFindStart, T::optFindStart, g);
    fraFindWindow->setTitle(T::fraFindWindow.in(g));
    setTexts(optFindWindow, T::optFindWindow, g);
    chkShowOptions->setText(T::chkShowOptions.in(g));
    chkSelectTargetFolder->setText(T::chkSelectTargetFolder.in(g));
}

void frmOptions::setControlsFromState()
{
    const OperationOptions o = OptionsFromState(m_state);
    optDeleteOptions[ButtonForValue(o.deleteOption, 4)]->setChecked(true);
    optCopyOptions[o.copyVerify ? 0 : 1]->setChecked(true);
    chkCopyOptions[0]->setChecked(!o.copyConfirm);
    chkCopyOptions[1]->setChecked(o.copyRename);
    optMoveOptions[o.moveVerify ? 0 : 1]->setChecked(true);
    chkMoveOptions[0]->setChecked(!o.moveConfirm);
    chkMoveOptions[1]->setChecked(o.moveRename);
    chkShowOptions->setChecked(o.showOptions);
    chkSelectTargetFolder->setChecked(o.selectTarget);
    optBackupVerification[o.backupVerify ? 0 : 1]->setChecked(true);
    chkQueryForNewNameBefore->setChecked(o.backupQueryBefore);
    chkQueryForNewNameAfter->setChecked(o.backupQueryAfter);
    chkQueryIfNotFound->setChecked(o.backupQueryIfNotFound);
    const int target = BoxForAction(o.backupTargetFolderAction, TargetFolderBoxCount);
    for (int i = 0; i < TargetFolderBoxCount; ++i)
        chkTargetFolder[static_cast<std::size_t>(i)]->setChecked(i == target);
    const int source = BoxForAction(o.backupSourceFolderAction, SourceFolderBoxCount);
    for (int i = 0; i < SourceFolderBoxCount; ++i)
        chkSourceFolder[static_cast<std::size_t>(i)]->setChecked(i == source);
    optFindStart[ButtonForValue(o.findStartPoint, 3)]->setChecked(true);
    optFindWindow[ButtonForValue(o.findWindowSize, 2)]->setChecked(true);
}

OperationOptions frmOptions::chosenOptions() const
{
    OperationOptions o;
    o.deleteOption = 1 + selectedIndex(optDeleteOptions);
    o.copyVerify = optCopyOptions[0]->isChecked();
    o.copyConfirm = !chkCopyOptions[0]->isChecked();
    o.copyRename = chkCopyOptions[1]->isChecked();
    o.moveVerify = optMoveOptions[0]->isChecked();
    o.moveConfirm = !chkMoveOptions[0]->isChecked();
    o.moveRename = chkMoveOptions[1]->isChecked();
    o.showOptions = chkShowOptions->isChecked();
    o.selectTarget = chkSelectTargetFolder->isChecked();
    o.backupVerify = optBackupVerification[0]->isChecked();
    o.backupQueryBefore = chkQueryForNewNameBefore->isChecked();
    o.backupQueryAfter = chkQueryForNewNameAfter->isChecked();
    o.backupQueryIfNotFound = chkQueryIfNotFound->isChecked();
    const auto target = checkedStates(chkTargetFolder);
    o.backupTargetFolderAction = ActionFromBoxes(target, TargetFolderNothingChosen);
    const auto source = checkedStates(chkSourceFolder);
    o.backupSourceFolderAction = ActionFromBoxes(source, SourceFolderNothingChosen);
    o.findStartPoint = 1 + selectedIndex(optFindStart);
    o.findWindowSize = 1 + selectedIndex(optFindWindow);
    return o;
}

void frmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_laidOut)
        return;
    m_laidOut = true;
    CentreOverParent(this);
    sstOptions->setCurrentIndex(TakeOptionsPage(m_state));
    if (sstBackupOptions->currentIndex() == 0)
        sstBackupOptions_Click(0);
    else
        sstBackupOptions->setCurrentIndex(0);
}


void frmOptions::sstBackupOptions_Click(int step)
{
    sstOptions->setTabText(OptionsPageOf::Backup, BackupPageCaption(step, m_state.LanguageGreek));
}

template<std::size_t N>
void frmOptions::exclusiveBox_Click(const std::array<QCheckBox *, N> &boxes, std::size_t clicked)
{
    std::array<bool, N> states = checkedStates(boxes);
    KeepExclusive(states, clicked);
    for (std::size_t i = 0; i < N; ++i)
        boxes[i]->setChecked(states[i]);
}

void frmOptions::cmdOK_Click()
{
    // The dialog stays open when a key could not be stored, so that the user sees
    // the choices that were not kept and can try again or cancel.
    const OperationOptions chosen = chosenOptions();
    if (RunTrapped(m_prompter, m_state, "072", [&] { StoreOptions(m_state, chosen); }))
        accept();
}
