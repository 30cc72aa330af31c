#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class Prompter;
struct AppState;

// The About box: the program's title, version and description, opened modally from the
// maker's notice and mark of the main window.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(const AppState &state, Prompter &prompter, QWidget *parent = nullptr);

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdSysInfo = nullptr;
    QPushButton *cmdOK = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const AppState &m_state;
    Prompter &m_prompter;
    bool m_centred = false;
};

// "0001.0002.0003" for version 1.2.3: each number with at least four digits.
QString AboutVersionText(int major, int minor, int revision);
