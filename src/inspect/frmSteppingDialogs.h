#pragma once

#include "inspect/ShellCommandsGui.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class SteppingPanelWidget;
class Prompter;
struct AppState;

// A stepping dialog: walks through the selected items (lstSelectedItems entries) and
// applies its shell action to the item shown whenever the action button is pressed.
// It opens on item 1 and stays open until "Enough" or the window frame closes it.
class frmStepping : public QDialog
{
    Q_OBJECT
public:
    frmStepping(ShellAction action, const QStringList &entries, AppState &state, Prompter &prompter,
                QWidget *parent = nullptr);

    ShellAction action() const { return m_action; }
    SteppingPanelWidget *panel() const { return m_panel; }

    std::array<QPushButton *, 4> cmdStep{};
    QLabel *lblName = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    QPushButton *actionButton() const;

private:
    void load(const QStringList &entries);
    void act();

    ShellAction m_action;
    AppState &m_state;
    Prompter &m_prompter;
    SteppingPanelWidget *m_panel = nullptr;
    bool m_centred = false;
};

class frmOpen : public frmStepping
{
    Q_OBJECT
public:
    frmOpen(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent = nullptr);
    QPushButton *cmdOpen = nullptr;
};

class frmPrintViaApplication : public frmStepping
{
    Q_OBJECT
public:
    frmPrintViaApplication(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent = nullptr);
    QPushButton *cmdPrint = nullptr;
};

class frmProperties : public frmStepping
{
    Q_OBJECT
public:
    frmProperties(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent = nullptr);
    QPushButton *cmdProperties = nullptr;
};

class frmQuickView : public frmStepping
{
    Q_OBJECT
public:
    frmQuickView(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent = nullptr);
    QPushButton *cmdQuickView = nullptr;
};
