#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "app/WaitCursorGui.h"
#include "fileops/OptionsCommandsGui.h"
#include "mainwin/CountLine.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/ListingModel.h"
#include "mainwin/ListingRules.h"
#include "mainwin/ListingSelection.h"
#include "mainwin/ListingTexts.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QLocale>
#include <QTime>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>

namespace {

bool isUserInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

ListingModel *listingOf(QTableView *view)
{
    return static_cast<ListingModel *>(view->model());
}

} // namespace

void frmMain::EnumerateFolder()
{
    WaitCursor busy(this);
    listingOf(lvwInfo)->enumerate(m_state, Dir1->path(), txtFileType->text());
}

void frmMain::DisplayListing()
{
    if (m_state.ListingStale) {
        // A folder that cannot be read leaves an empty listing; the display still runs
        // so that the labels and counters tell the truth.
        runTrapped("058", [&] { EnumerateFolder(); });
    }
    runTrapped("057", [&] {
        WaitCursor busy(this);
        listingOf(lvwInfo)->display(m_state);
        QHeaderView *header = lvwInfo->horizontalHeader();
        const QFontMetrics metrics(header->font());
        m_settingWidths = true;
        const auto restoreWidths = qScopeGuard([this] { m_settingWidths = false; });
        for (int column = 0; column < ListingColumnCount; ++column)
            lvwInfo->setColumnWidth(column, ListingColumnWidth(
                                                column, [&](const QString &t) { return metrics.horizontalAdvance(t); },
                                                logicalDpiX() / 96.0));
        // The date and time columns hold the system's formats, which may be longer than
        // the classic widths allow.
        const QLocale locale = QLocale::system();
        int dateWidth = 0;
        for (int month = 1; month <= 12; ++month)
            dateWidth = std::max(dateWidth, lvwInfo->fontMetrics().horizontalAdvance(
                                                locale.toString(QDate(2000, month, 28), QLocale::ShortFormat)));
        const int timeWidth = lvwInfo->fontMetrics().horizontalAdvance(
            locale.toString(QTime(23, 58, 58), timeFormatWithSeconds(locale)));
        // The size column fits the largest size listed, with the locale's separators:
        // a size cut to "11,620,..." tells nothing.
        std::int64_t largest = 0;
        for (const ListedItem &item : listingOf(lvwInfo)->table())
            largest = std::max(largest, item.size);
        const int sizeWidth = lvwInfo->fontMetrics().horizontalAdvance(locale.toString(qlonglong(largest)));
        lvwInfo->setColumnWidth(1, std::max(lvwInfo->columnWidth(1), sizeWidth + 14));
        lvwInfo->setColumnWidth(2, std::max(lvwInfo->columnWidth(2), dateWidth + 14));
        lvwInfo->setColumnWidth(3, std::max(lvwInfo->columnWidth(3), timeWidth + 14));
        // Nor is a caption cut: the Greek ones are longer than the English.
        for (const int column : {1, 2, 3})
            lvwInfo->setColumnWidth(column, std::max(lvwInfo->columnWidth(column), header->sectionSizeHint(column)));
        // Widths the user set stay through every refresh and sort.
        for (auto it = m_columnWidths.cbegin(); it != m_columnWidths.cend(); ++it)
            lvwInfo->setColumnWidth(it.key(), it.value());
        UpdateInfoLabels();
    });
}

void frmMain::UpdateInfoLabels()
{
    lblCurrentPath->setText(CurrentPathLabelText(m_state));
    lblInfo->setText(InfoLabelText(m_state));
}

void frmMain::onHeaderClicked(int section)
{
    runTrapped("059", [&] {
        if (ApplyHeaderClick(m_state, ListingColumnKey(section)) == HeaderClick::ShowSortByKindMessage) {
            m_prompter.inform(m_state.AppTitle, ListingTexts::SortByKindMessage.in(m_state.LanguageGreek));
            return;
        }
        DisplayListing();
        writeSetting(m_state.IniPath, Keys::SortColumn, m_state.SortColumn);
        writeSetting(m_state.IniPath, Keys::SortOrder, m_state.SortOrder);
    });
}

void frmMain::onAppearanceClicked()
{
    if (m_state.Initializing)
        return;
    runTrapped("044", [&] {
        const AppearanceOutcome outcome =
            ApplyAppearanceClick(m_state, chkAppearance[0]->isChecked(), chkAppearance[1]->isChecked());
        if (outcome.showBothClearedMessage)
            m_prompter.inform(m_state.AppTitle, ListingTexts::BothAppearanceCleared.in(m_state.LanguageGreek));
        chkAppearance[0]->setChecked(outcome.foldersChecked);
        chkAppearance[1]->setChecked(outcome.filesChecked);
        chkAppearance[0]->setEnabled(outcome.foldersEnabled);
        chkAppearance[1]->setEnabled(outcome.filesEnabled);
        fraOrderOfAppearance->setEnabled(outcome.orderOfAppearanceEnabled);
        writeSetting(m_state.IniPath, Keys::Folders, m_state.ShowFolders);
        writeSetting(m_state.IniPath, Keys::Files, m_state.ShowFiles);
        DisplayListing();
    });
}

void frmMain::onPropertyClicked()
{
    if (m_state.Initializing)
        return;
    runTrapped("043", [&] {
        m_state.RestrictHidden = chkFileProperties[0]->isChecked();
        m_state.RestrictSystem = chkFileProperties[1]->isChecked();
        m_state.RestrictReadOnly = chkFileProperties[2]->isChecked();
        m_state.RestrictArchive = chkFileProperties[3]->isChecked();
        writeSetting(m_state.IniPath, Keys::Hidden, m_state.RestrictHidden);
        writeSetting(m_state.IniPath, Keys::System, m_state.RestrictSystem);
        writeSetting(m_state.IniPath, Keys::ReadOnly, m_state.RestrictReadOnly);
        writeSetting(m_state.IniPath, Keys::Archive, m_state.RestrictArchive);
        DisplayListing();
    });
}

void frmMain::onPropertyRestrictionsClicked()
{
    runTrapped("043", [&] {
        cmdPropertyRestrictions->setText(CyclePropertyRestrictions(m_state));
        writeSetting(m_state.IniPath, Keys::PropertyRestrictions, m_state.PropertyRestrictions);
        DisplayListing();
    });
}

void frmMain::onOrderClicked(int index)
{
    if (m_state.Initializing || !optAppearance[index]->isChecked())
        return;
    runTrapped("045", [&] {
        ApplyOrderOfAppearance(m_state, index);
        writeSetting(m_state.IniPath, Keys::OrderOfAppearance, m_state.OrderOfAppearance);
        DisplayListing();
    });
}

void frmMain::SelectAll()
{
    lvwInfo->selectionModel()->select(AllListingRows(*lvwInfo->model()),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void frmMain::ReverseSelection()
{
    lvwInfo->selectionModel()->select(AllListingRows(*lvwInfo->model()),
                                      QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

QStringList frmMain::CollectSelection()
{
    const QStringList entries =
        ::CollectSelection(*listingOf(lvwInfo), lvwInfo->selectionModel()->selectedRows(), m_state.CurrentPath);
    lstSelectedItems->clear();
    lstSelectedItems->addItems(entries);
    return entries;
}

// A right click on an item opens the item menu; on an empty place, the commands menu.
void frmMain::showListingMenu(const QPoint &globalPos)
{
    (m_state.ClickedOnItem ? mnuOptions : mnuCommands)->exec(globalPos);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_fileOperationRunning) {
        event->ignore();
        return;
    }
    if (!m_columnWidths.isEmpty() && !m_state.IniPath.isEmpty())
        writeSetting(m_state.IniPath, Keys::ListingColumnWidths, ColumnWidthsText(m_columnWidths));
    QMainWindow::closeEvent(event);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (m_fileOperationRunning && isUserInput(event)) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this)
            return true;
    }
    if (watched == lvwInfo->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            m_state.MouseButton = mouse->button();
            const QModelIndex hit = lvwInfo->indexAt(mouse->position().toPoint());
            m_state.ClickedOnItem = hit.isValid();
            // A right click on an unselected item makes it the selection, as people expect.
            if (mouse->button() == Qt::RightButton && hit.isValid()
                && !lvwInfo->selectionModel()->isRowSelected(hit.row(), QModelIndex())) {
                lvwInfo->selectionModel()->select(hit, QItemSelectionModel::ClearAndSelect
                                                           | QItemSelectionModel::Rows);
                lvwInfo->selectionModel()->setCurrentIndex(hit, QItemSelectionModel::NoUpdate);
            }
            if (mouse->button() == Qt::RightButton)
                return true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::RightButton && m_state.MouseButton == Qt::RightButton) {
                showListingMenu(mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    if (event->type() == QEvent::KeyPress && QApplication::activeModalWidget() == nullptr) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this && handleShortcut(key))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
