#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Prompter;
class UpDownWidget;
struct AppState;

// Page setup: which printer font (and so which page language), its size, the margins
// and the item lines per page. OK stores them in the state and the settings file,
// Cancel changes nothing.
class frmPageSetup : public QDialog
{
    Q_OBJECT
public:
    frmPageSetup(AppState &state, Prompter &prompter, QWidget *parent = nullptr);

    QGroupBox *fraFont = nullptr;
    QRadioButton *chkCourierNew = nullptr;
    QRadioButton *chkCourierNewGreek = nullptr;
    QLabel *lblFontSizeTitle = nullptr;
    QLabel *lblFontSize = nullptr;
    UpDownWidget *updFontSize = nullptr;
    QLabel *lblFontSizeMinMax = nullptr;
    QGroupBox *fraMargin = nullptr;
    QLabel *lblTopMarginTitle = nullptr;
    QLabel *lblTopMargin = nullptr;
    UpDownWidget *updTopMargin = nullptr;
    QLabel *lblTopMarginMinMax = nullptr;
    QLabel *lblLeftMarginTitle = nullptr;
    QLabel *lblLeftMargin = nullptr;
    UpDownWidget *updLeftMargin = nullptr;
    QLabel *lblLeftMarginMinMax = nullptr;
    QLabel *lblLinesPerPageTitle = nullptr;
    QLabel *lblLinesPerPage = nullptr;
    UpDownWidget *updLinesPerPage = nullptr;
    QLabel *lblLinesPerPageMinMax = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void load();
    void cmdOK_Click();

    AppState &m_state;
    Prompter &m_prompter;
    bool m_centred = false;
};
