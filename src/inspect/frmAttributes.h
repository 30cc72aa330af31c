#pragma once

#include "inspect/AttributeRules.h"

#include <QDialog>
#include <array>

struct AppState;
class Prompter;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class SteppingPanelWidget;
class UpDownWidget;

// The attributes and dates editor: walks through the selected items, shows each one's
// kind, attributes and times, and writes new attributes and (for files) new times.
class frmAttributes : public QDialog
{
    Q_OBJECT
public:
    // `entries` are lstSelectedItems entries (path + NUL).
    frmAttributes(const QStringList &entries, const AppState &state, Prompter &prompter, QWidget *parent = nullptr);

    // One group of new-date fields: year, month, day and, but for the access time,
    // hour, minute, second; each a number label with its up-down control.
    struct DateGroup
    {
        QLabel *caption = nullptr;
        std::array<QLabel *, 6> fields{};
        std::array<UpDownWidget *, 6> upDowns{};
        int count = 6;
        QToolButton *cmdSystem = nullptr;
        QToolButton *cmdSave = nullptr;
    };

    SteppingPanelWidget *stepping = nullptr; // lblName, txtName, cmdStep(0..3), cmdCancel
    QLabel *lblCurrentProperties = nullptr;
    QLineEdit *txtCurrentProperties = nullptr;
    QLabel *lblCurrentDates = nullptr;
    QPlainTextEdit *txtCurrentDates = nullptr;
    QLabel *lblSystemDate = nullptr;
    QLineEdit *txtSystemDate = nullptr;
    QPushButton *cmdSystemDate = nullptr;
    QGroupBox *fraNewProperties = nullptr;
    std::array<QCheckBox *, 4> chkNewProperties{}; // Hidden, System, Read only, Archive
    QCheckBox *chkAttributesOption = nullptr;
    QPushButton *cmdSaveProperties = nullptr;
    QGroupBox *fraNewDates = nullptr;
    DateGroup created; // lblNewDateC, lblNewYearC ... updNewSecondC, cmdSystemCreated, cmdSaveCreated
    DateGroup modified;
    DateGroup accessed;
    QPushButton *cmdSaveDates = nullptr;
    // Says so where the volume keeps no creation time that can be changed.
    QLabel *lblCreatedNotKept = nullptr;

private:
    DateGroup makeGroup(QChar suffix, int count);
    void captionAll();
    void showItem();
    bool describeItem(const QString &path);
    void updateSystemDate();
    void setGroup(DateGroup &group, const DateParts &parts);
    DateParts readGroup(const DateGroup &group) const;
    void saveProperties();
    void saveChosenDates(bool c, bool m, bool a, const char *locationCode);

    const AppState &m_state;
    Prompter &m_prompter;
    DateParts m_systemDate;
    bool m_isFolder = false;
    std::array<bool, 4> m_flags{};
};
