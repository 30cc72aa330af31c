#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class Prompter;
struct AppState;

// The Archive-bit check: from a chosen starting point, lists every folder and every
// file of a chosen type whose Archive attribute is set, with their counts and the
// total size of the files. It only reads. While it walks, the window shows the folder
// being read and the items found so far, and Stop ends the walk keeping them.
class frmArchive : public QDialog
{
    Q_OBJECT
public:
    // `browseForFolder` asks for the starting point of the third choice ("" on Cancel).
    frmArchive(AppState &state, Prompter &prompter, std::function<QString(const QString &prompt)> browseForFolder,
               QWidget *parent = nullptr);

    QGroupBox *fraChooseTarget = nullptr;
    std::array<QRadioButton *, 3> optChooseTarget{};
    QLabel *lblFileType = nullptr;
    QLineEdit *txtFileType = nullptr;
    QPushButton *cmdAsterisk = nullptr;
    QPushButton *cmdStartChecking = nullptr;
    QPushButton *cmdStop = nullptr;
    QLabel *lblFolderBeingRead = nullptr;
    QListWidget *lstObjectNames = nullptr;
    QLabel *lblObjectNames = nullptr;
    QPushButton *cmdOK = nullptr;

    bool checking() const { return m_checking; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void build();
    void caption();
    void startChecking();
    void confirm();
    void setChecking(bool on);

    AppState &m_state;
    Prompter &m_prompter;
    std::function<QString(const QString &)> m_browse;
    bool m_checking = false;
    bool m_stopRequested = false;
    bool m_placed = false;
};

// mnuOptionsArchiveBit: the check, modal over the main window, which is brought to the
// front again when it closes.
void OpenArchiveCheckGui(QWidget *mainWindow, AppState &state, Prompter &prompter);
