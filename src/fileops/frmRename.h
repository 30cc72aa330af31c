#pragma once

#include "inspect/SelectionStepper.h"

#include <QDialog>

struct AppState;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;

// Renames several selected items one after another: the item shown, its new name,
// Rename, Next and Enough. Opened modally by the Rename command.
class frmRename : public QDialog
{
    Q_OBJECT
public:
    // `entries` are lstSelectedItems entries (path + NUL).
    frmRename(const QStringList &entries, const AppState &state, Prompter &prompter, QWidget *parent = nullptr);

    int position() const { return m_stepper.position(); }

    QLabel *lblName = nullptr;
    QLineEdit *txtName = nullptr;
    QLabel *lblInstructions = nullptr;
    QLineEdit *txtNewName = nullptr;
    QPushButton *cmdRename = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showItem();
    void renameItem();
    void nextItem();

    const AppState &m_state;
    Prompter &m_prompter;
    SelectionStepper m_stepper;
};
