#pragma once

#include <QHash>
#include <QMap>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;
struct PathDestination;
struct FoundItem;
class frmFind;
class ContextHelp;
class FolderListWidget;
class Prompter;
struct AppState;
struct MenuEntry;
struct PrintServices;

// The main window: one folder's listing with its filters and order, the navigation
// controls on the left, the button row on top, and the pop-up menus through which
// every command is reached.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    frmMain(AppState &state, Prompter &prompter, QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence; false when the program must end (a second copy, or a
    // fatal error already reported).
    bool load();

    // Controls, named as users and the help file know them.
    QComboBox *Drive1 = nullptr;
    FolderListWidget *Dir1 = nullptr;
    QListWidget *lstMonitoredPaths = nullptr;
    QLabel *lblFileType = nullptr;
    QLineEdit *txtFileType = nullptr;
    QPushButton *cmdAsterisk = nullptr;
    QGroupBox *fraAppearance = nullptr;
    std::array<QCheckBox *, 2> chkAppearance{};
    QGroupBox *fraFileProperties = nullptr;
    std::array<QCheckBox *, 4> chkFileProperties{};
    QPushButton *cmdPropertyRestrictions = nullptr;
    QGroupBox *fraOrderOfAppearance = nullptr;
    std::array<QRadioButton *, 3> optAppearance{};

    QToolButton *cmdDisplayInfo = nullptr;
    QToolButton *cmdRefresh = nullptr;
    QToolButton *cmdUpOneLevel = nullptr;
    QToolButton *cmdSavePath = nullptr;
    QToolButton *cmdRecentPath = nullptr;
    QToolButton *cmdPrint = nullptr;
    QToolButton *cmdPageSetup = nullptr;
    QToolButton *cmdOptions = nullptr;
    std::array<QPushButton *, 2> cmdLanguage{};
    QToolButton *cmdHelp = nullptr;
    QToolButton *cmdEnd = nullptr;
    QToolButton *cmdStopMonitoring = nullptr;
    QPushButton *cmdSelections = nullptr;
    QPushButton *cmdCommands = nullptr;

    QLabel *lblCurrentPath = nullptr;
    QTableView *lvwInfo = nullptr;
    QLabel *lblInfo = nullptr;
    QLabel *lblCopyright = nullptr;
    QLabel *picCopyright = nullptr;
    QListWidget *lstSelectedItems = nullptr;

    QMenu *mnuOptions = nullptr;
    QMenu *mnuCommands = nullptr;
    QMenu *mnuRefresh = nullptr;
    QMenu *mnuSavePath = nullptr;
    QMenu *mnuRecallPath = nullptr;
    QAction *mnuSpecialDash = nullptr;

    // A menu entry by its name ("mnuOptionsCopy"); null when there is none.
    QAction *menuEntry(const QString &name) const;

    // Commands other windows and tests run.
    void DisplayListing();
    void RefreshFiles();
    void UpOneLevel();
    void ApplyLanguage(int index);
    void GoToFolder(const QString &folder);
    void SelectAll();
    void ReverseSelection();
    QStringList CollectSelection();
    void RootBackup();

    ContextHelp &contextHelp() const { return *m_help; }
    // The printer, save dialog and volumes the print and comments dialogs use.
    PrintServices &printServices() const { return *m_printServices; }

    // The one Find window, made when Find is first chosen; null until then.
    frmFind *findWindow() const { return m_find; }
    // Shows a found item: its folder listed, the item selected (frmMainFind.cpp).
    // False when it could not be selected (reported to the user).
    bool ShowFoundItem(const FoundItem &item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window (frmMainLayout.cpp, frmMainMenus.cpp).
    void buildControls();
    void buildLayout();
    void buildMenus();
    QMenu *buildMenu(const char *name, const MenuEntry *entries, std::size_t count);
    void wireControls();
    void wireMenus();
    void assignHelpTopics();
    void captionMenus();

    // Start-up steps (frmMainStartup.cpp).
    bool refuseSecondCopy();
    void changeToInitialPath();
    void applyFilterControls();
    void showSpecialEntries();

    // Navigation (frmMainNavigation.cpp).
    void fillDriveList();
    void selectDriveOf(const QString &folder);
    void onDriveChosen(int index);
    void onFolderChanged(const QString &folder);
    void onOpenFolder(const QString &folder);
    void onPatternChanged();
    void RefreshDrives();
    void RefreshFolders();
    bool handleShortcut(QKeyEvent *event);

    // Listing (frmMainListing.cpp).
    void EnumerateFolder();
    void onHeaderClicked(int section);
    void onAppearanceClicked();
    void onPropertyClicked();
    void onPropertyRestrictionsClicked();
    void onOrderClicked(int index);
    void UpdateInfoLabels();
    void showListingMenu(const QPoint &globalPos);

    // Saved paths and monitoring (frmMainPaths.cpp).
    void wirePaths();
    void saveInitialPath();
    void savePathToList(int kind);
    void recallInitialPath();
    void recallPathFromList(int kind);
    void goToDestination(const PathDestination &destination, const char *code);
    void startMonitoring();
    void stopMonitoring();
    void monitoredPathClicked(const QString &path);
    QString shownVolume() const;

    // Page setup, printing and comments (frmMainOutput.cpp).
    void wireOutput();
    void openPageSetup();
    void openPrint();
    void openComments();

    // Copy, move and delete (frmMainFileOps.cpp).
    void wireFileCommands();
    QStringList selectedNames() const;
    void wireRootBackup();

    // Open, print, properties and quick view (frmMainShell.cpp).
    void wireShellCommands();

    // Find, the About box and the companion programs (frmMainFind.cpp).
    void wireFindAndCompanions();
    void runFind();
    bool selectListedItem(const QString &name);

    // Helpers.
    void showHelpMessage();
    void showTopicOf(QWidget *holder);
    void popupButtonMenu(QMenu *menu);
    bool runTrapped(const char *code, const std::function<void()> &body);
    QString makerNotice() const;

    AppState &m_state;
    Prompter &m_prompter;
    std::unique_ptr<ContextHelp> m_help;
    std::unique_ptr<PrintServices> m_printServices;
    QHash<QString, QAction *> m_entries;
    QHash<QString, QString> m_volumeFolders; // the folder last shown on each volume
    QMap<int, int> m_columnWidths;            // listing columns the user has resized
    bool m_settingWidths = false;
    std::unique_ptr<class QLockFile> m_lock;
    bool m_fillingDrives = false;
    bool m_fileOperationRunning = false; // the main window takes no input meanwhile
    frmFind *m_find = nullptr;
};
