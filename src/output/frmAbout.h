#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QLabel;
class QPushButton;

// The About box: the program's icon, title, version, description and disclaimer, and
// a button that starts the desktop's system-information program.
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
    void applyLanguage();
    void StartSysInfo();

    const AppState &m_state;
    Prompter &m_prompter;
    bool m_centred = false;
};

// Pressing any mouse button but the right one on lblCopyright or picCopyright: the
// About box, modal over the main window, which is brought to the front afterwards.
// Errors while it loads are reported under 048.
void OpenAboutBox(QWidget *mainWindow, const AppState &state, Prompter &prompter);
