#pragma once

#include "inspect/FindSearch.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

struct AppState;
class Prompter;
class FindResultModel;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

// What the result list's item menu can ask of the desktop for one found item.
enum class FoundItemAction { Open, Print, QuickView, Properties };

// The Find window: modeless, one for the program. The search runs on a thread of its
// own (FindSearch) and the window collects what it found a few dozen times a second,
// so it stays responsive and Stop keeps the results.
class frmFind : public QDialog
{
    Q_OBJECT
public:
    frmFind(AppState &state, Prompter &prompter, QWidget *mainWindow);
    ~frmFind() override;

    // Captions every control in the current language.
    void applyLanguage();
    // Shows the window captioned in the current language, with `folder` as the start folder.
    void prepare(const QString &folder);

    // Shows a found item in the main window (its folder, the item selected).
    std::function<void(const FoundItem &)> showItem;
    // The desktop's actions on a found item, and whether each is there; an entry stays
    // disabled while either is unset or says no.
    std::function<void(FoundItemAction, const FoundItem &)> shellAction;
    std::function<bool(FoundItemAction)> shellActionAvailable;

    FindCriteria criteria() const;
    bool searching() const { return m_search && !m_search->finished(); }
    // The found item shown in row `row` of the (sorted) result list.
    const FoundItem &resultAt(int row) const;
    int resultCount() const;
    // Collects results until the search has ended (tests, and a closing window).
    void waitForSearch();

    QLabel *lblNamePattern = nullptr;
    QLineEdit *txtNamePattern = nullptr;
    QLabel *lblStartFolder = nullptr;
    QLineEdit *txtStartFolder = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QCheckBox *chkSubFolders = nullptr;
    QLabel *lblText = nullptr;
    QLineEdit *txtText = nullptr;
    QCheckBox *chkModifiedFrom = nullptr;
    QDateEdit *dtpModifiedFrom = nullptr;
    QCheckBox *chkModifiedTo = nullptr;
    QDateEdit *dtpModifiedTo = nullptr;
    QGroupBox *fraKind = nullptr;
    std::array<QRadioButton *, 3> optKind{};
    QPushButton *cmdFind = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdClose = nullptr;
    QTableView *lvwResults = nullptr;
    QLabel *lblCount = nullptr;
    QLabel *lblFolder = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    void buildLayout();
    void startSearch();
    void stopSearch();
    void poll();
    void finishSearch();
    void reportEnd();
    void browse();
    void showCurrentItem();
    void showResultMenu(const QPoint &pos);
    void updateStatus();

    AppState &m_state;
    Prompter &m_prompter;
    QString m_startFolder; // exact; the text box shows it through ExactName::shown
    FindResultModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QTimer *m_poll = nullptr;
    std::unique_ptr<FindSearch> m_search;
    bool m_ended = true; // the search's end has been taken in (and reported)
};
