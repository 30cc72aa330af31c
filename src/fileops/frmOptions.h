#pragma once

#include "fileops/OptionsRules.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Prompter;
struct AppState;

// The operation options dialog. It loads itself from the application state when it
// is built; OK stores every option into the state and the settings file, Cancel and
// the window frame store nothing.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    frmOptions(AppState &state, Prompter &prompter, QWidget *parent = nullptr);

    // False when loading failed (already reported); the dialog is then not shown.
    bool loaded() const { return m_loaded; }

    // The options as the controls hold them now.
    OperationOptions chosenOptions() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    QWidget *buildDeletePage();
    QWidget *buildCopyOrMovePage(QGroupBox *&frame, std::array<QRadioButton *, 2> &verify, QLabel *&label,
                                 std::array<QCheckBox *, 2> &boxes, const QString &name);
    QWidget *buildBackupPage();
    QWidget *buildFindPage();
    void setCaptions();
    void setControlsFromState();

    void cmdOK_Click();
    void sstBackupOptions_Click(int step);
    template<std::size_t N>
    void exclusiveBox_Click(const std::array<QCheckBox *, N> &boxes, std::size_t clicked);

    AppState &m_state;
    Prompter &m_prompter;
    bool m_loaded = false;
    bool m_laidOut = false;

public:
    // Controls, named as the program's help and tests know them.
    QTabWidget *sstOptions = nullptr;
    QTabWidget *sstBackupOptions = nullptr;
    QGroupBox *fraDeleteOptions = nullptr;
    std::array<QRadioButton *, 4> optDeleteOptions{};
    QGroupBox *fraCopyOptions = nullptr;
    std::array<QRadioButton *, 2> optCopyOptions{};
    QLabel *lblCopyOptions = nullptr;
    std::array<QCheckBox *, 2> chkCopyOptions{};
    QGroupBox *fraMoveOptions = nullptr;
    std::array<QRadioButton *, 2> optMoveOptions{};
    QLabel *lblMoveOptions = nullptr;
    std::array<QCheckBox *, 2> chkMoveOptions{};
    QGroupBox *fraBackupOptions1 = nullptr;
    std::array<QRadioButton *, 2> optBackupVerification{};
    QCheckBox *chkQueryForNewNameBefore = nullptr;
    QCheckBox *chkQueryForNewNameAfter = nullptr;
    QCheckBox *chkQueryIfNotFound = nullptr;
    QGroupBox *fraBackupOptions2 = nullptr;
    QLabel *lblTargetFolder = nullptr;
    std::array<QCheckBox *, TargetFolderBoxCount> chkTargetFolder{};
    QGroupBox *fraBackupOptions3 = nullptr;
    QLabel *lblSourceFolder = nullptr;
    std::array<QCheckBox *, SourceFolderBoxCount> chkSourceFolder{};
    QGroupBox *fraFindStart = nullptr;
    std::array<QRadioButton *, 3> optFindStart{};
    QGroupBox *fraFindWindow = nullptr;
    std::array<QRadioButton *, 2> optFindWindow{};
    QCheckBox *chkShowOptions = nullptr;
    QCheckBox *chkSelectTargetFolder = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
