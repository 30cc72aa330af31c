#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/ErrorReport.h"
#include "app/WidgetPrompter.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/MainTexts.h"
#include "output/PrintJobGui.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

// The icons and help files are built into the GUI library, a static library whose
// resources must be registered by name.
static void registerResources()
{
    Q_INIT_RESOURCE(tidyhall);
}

frmMain::frmMain(AppState &state, Prompter &prompter, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_prompter(prompter), m_help(std::make_unique<ContextHelp>(state)),
      m_printServices(PrintServices::system(prompter))
{
    registerResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(m_state.AppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tidyhall.svg")));
    buildControls();
    buildLayout();
    buildMenus();
    wireControls();
    wireMenus();
    wirePaths();
    wireFileCommands();
    wireRootBackup();
    wireOutput();
    wireShellCommands();
    wireFindAndCompanions();
    assignHelpTopics();
    resize(1100, 700);
}

frmMain::~frmMain() = default;

bool frmMain::runTrapped(const char *code, const std::function<void()> &body)
{
    return RunTrapped(m_prompter, m_state, code, body);
}

QAction *frmMain::menuEntry(const QString &name) const
{
    return m_entries.value(name);
}

namespace {

QToolButton *iconButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(false);
    button->setMinimumSize(36, 36);
    return button;
}

QToolButton *resourceButton(QWidget *parent, const char *name, const char *icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(icon) + QStringLiteral(".svg")));
    button->setIconSize(QSize(24, 24));
    button->setMinimumSize(36, 36);
    return button;
}

template <typename T>
T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

void frmMain::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);

    Drive1 = named(new QComboBox(central), QStringLiteral("Drive1"));
    Drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Dir1 = named(new FolderListWidget(central), QStringLiteral("Dir1"));
    lstMonitoredPaths = named(new QListWidget(central), QStringLiteral("lstMonitoredPaths"));
    lstMonitoredPaths->hide();

    lblFileType = named(new QLabel(central), QStringLiteral("lblFileType"));
    txtFileType = named(new QLineEdit(central), QStringLiteral("txtFileType"));
    cmdAsterisk = named(new QPushButton(QStringLiteral("*.*"), central), QStringLiteral("cmdAsterisk"));
    lblFileType->setBuddy(txtFileType);

    fraAppearance = named(new QGroupBox(central), QStringLiteral("fraAppearance"));
    for (int i = 0; i < 2; ++i)
        chkAppearance[i] = named(new QCheckBox(fraAppearance), QStringLiteral("chkAppearance(%1)").arg(i));
    fraFileProperties = named(new QGroupBox(central), QStringLiteral("fraFileProperties"));
    for (int i = 0; i < 4; ++i)
        chkFileProperties[i] = named(new QCheckBox(fraFileProperties), QStringLiteral("chkFileProperties(%1)").arg(i));
    cmdPropertyRestrictions = named(new QPushButton(QStringLiteral("+"), fraFileProperties),
                                    QStringLiteral("cmdPropertyRestrictions"));
    cmdPropertyRestrictions->setFixedWidth(32);
    fraOrderOfAppearance = named(new QGroupBox(central), QStringLiteral("fraOrderOfAppearance"));
    for (int i = 0; i < 3; ++i)
        optAppearance[i] = named(new QRadioButton(fraOrderOfAppearance), QStringLiteral("optAppearance(%1)").arg(i));

    cmdDisplayInfo = iconButton(central, "cmdDisplayInfo", QStyle::SP_FileDialogDetailedView);
    cmdRefresh = iconButton(central, "cmdRefresh", QStyle::SP_BrowserReload);
    cmdUpOneLevel = iconButton(central, "cmdUpOneLevel", QStyle::SP_FileDialogToParent);
    cmdSavePath = iconButton(central, "cmdSavePath", QStyle::SP_DialogSaveButton);
    cmdRecentPath = iconButton(central, "cmdRecentPath", QStyle::SP_DirOpenIcon);
    cmdPrint = resourceButton(central, "cmdPrint", "print");
    cmdPageSetup = resourceButton(central, "cmdPageSetup", "pagesetup");
    cmdOptions = resourceButton(central, "cmdOptions", "options");
    cmdLanguage[0] = named(new QPushButton(QString::fromUtf8(MainTexts::LanguageGreekCaption), central),
                           QStringLiteral("cmdLanguage(0)"));
    cmdLanguage[1] = named(new QPushButton(QString::fromUtf8(MainTexts::LanguageEnglishCaption), central),
                           QStringLiteral("cmdLanguage(1)"));
    cmdHelp = resourceButton(central, "cmdHelp", "help");
    cmdEnd = resourceButton(central, "cmdEnd", "exit");
    cmdStopMonitoring = resourceButton(central, "cmdStopMonitoring", "stop");
    cmdStopMonitoring->hide();

    // Holders of the two listing menus' help topics; never shown.
    cmdSelections = named(new QPushButton(QString::fromLatin1(MainTexts::SelectionsCaption), central),
                          QStringLiteral("cmdSelections"));
    cmdCommands = named(new QPushButton(QString::fromLatin1(MainTexts::CommandsCaption), central),
                        QStringLiteral("cmdCommands"));
    cmdSelections->hide();
    cmdCommands->hide();

    lblCurrentPath = named(new QLabel(central), QStringLiteral("lblCurrentPath"));
    lblCurrentPath->setFrameShape(QFrame::StyledPanel);
    lblCurrentPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lvwInfo = named(new QTableView(central), QStringLiteral("lvwInfo"));
    lvwInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwInfo->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwInfo->setShowGrid(true);
    lvwInfo->verticalHeader()->hide();
    lvwInfo->setWordWrap(false);
    lvwInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwInfo->horizontalHeader()->setSectionsClickable(true);
    lvwInfo->horizontalHeader()->setHighlightSections(false);
    lvwInfo->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    lvwInfo->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lblInfo = named(new QLabel(central), QStringLiteral("lblInfo"));
    lblInfo->setFrameShape(QFrame::StyledPanel);
    lblCopyright = named(new QLabel(central), QStringLiteral("lblCopyright"));
    picCopyright = named(new QLabel(central), QStringLiteral("picCopyright"));
    picCopyright->setPixmap(QIcon(QStringLiteral(":/icons/tidyhall.svg")).pixmap(20, 20));
    lstSelectedItems = named(new QListWidget(central), QStringLiteral("lstSelectedItems"));
    lstSelectedItems->hide();
}
