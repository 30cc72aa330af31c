#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "fileops/OptionsCommandsGui.h"
#include "inspect/FindCommandGui.h"
#include "inspect/FindResultModel.h"
#include "inspect/FindRules.h"
#include "inspect/FindTexts.h"
#include "inspect/frmFind.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/ListingModel.h"
#include "output/CompanionRules.h"
#include "output/frmAbout.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTableView>
#include <sys/stat.h>

namespace {

// Any mouse button but the right one on the maker's notice opens the About box; the
// right one is left to the context help.
class AboutOnPress : public QObject
{
public:
    AboutOnPress(QWidget *mainWindow, const AppState &state, Prompter &prompter)
        : QObject(mainWindow), m_main(mainWindow), m_state(state), m_prompter(prompter)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress
            && static_cast<QMouseEvent *>(event)->button() != Qt::RightButton) {
            OpenAboutBox(m_main, m_state, m_prompter);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_main;
    const AppState &m_state;
    Prompter &m_prompter;
};

// The main window's item-menu entry of each action the Find results offer.
QString entryOf(FoundItemAction action)
{
    switch (action) {
    case FoundItemAction::Open:
        return QStringLiteral("mnuOptionsOpen");
    case FoundItemAction::Print:
        return QStringLiteral("mnuOptionsPrint");
    case FoundItemAction::QuickView:
        return QStringLiteral("mnuOptionsQuickView");
    case FoundItemAction::Properties:
        return QStringLiteral("mnuOptionsProperties");
    }
    return {};
}

} // namespace

void frmMain::wireFindAndCompanions()
{
    auto *about = new AboutOnPress(this, m_state, m_prompter);
    lblCopyright->installEventFilter(about);
    picCopyright->installEventFilter(about);

    connect(m_entries.value(QStringLiteral("mnuOptionsFind")), &QAction::triggered, this, [this] { runFind(); });

    const std::pair<const char *, const char *> companions[] = {{"mnuDiskInformation", "Drivelook"},
                                                                {"mnuDirectoryComparison", "Pairview"},
                                                                {"mnuFolderSynchronization", "Mirrorset"},
                                                                {"mnuStructureManager", "Shapekeep"}};
    for (const auto &[entry, key] : companions) {
        const QString keyName = QLatin1String(key);
        connect(m_entries.value(QLatin1String(entry)), &QAction::triggered, this,
                [this, keyName] { StartCompanion(m_prompter, m_state, keyName, CompanionLocationCode); });
    }
}

void frmMain::runFind()
{
    if (!m_find) {
        m_find = new frmFind(m_state, m_prompter, this);
        m_find->showItem = [this](const FoundItem &item) { ShowFoundItem(item); };
        // The result list offers the item menu's shell actions: the item is shown and
        // selected here, and the main window's own entry acts on it.
        m_find->shellActionAvailable = [this](FoundItemAction action) {
            const QAction *entry = menuEntry(entryOf(action));
            return entry && entry->isEnabled();
        };
        m_find->shellAction = [this](FoundItemAction action, const FoundItem &item) {
            if (ShowFoundItem(item))
                if (QAction *entry = menuEntry(entryOf(action)); entry && entry->isEnabled())
                    entry->trigger();
        };
    }
    RunFindCommand(this, m_state, m_prompter, Dir1->path(), *m_find);
}

bool frmMain::ShowFoundItem(const FoundItem &item)
{
    const bool greek = m_state.LanguageGreek;
    bool selected = false;
    runTrapped("108", [&] {
        if (m_state.MonitoringMode) {
            // The mode's restriction holds: only the monitored folders are shown.
            QString monitored;
            for (int i = 0; i < lstMonitoredPaths->count() && monitored.isEmpty(); ++i)
                if (SameFolder(lstMonitoredPaths->item(i)->text(), item.folder))
                    monitored = lstMonitoredPaths->item(i)->text();
            if (monitored.isEmpty()) {
                m_prompter.message(FindTexts::Caption.in(greek),
                                   FindTexts::NotMonitored.in(greek) + NewLine + ExactName::shown(item.folder),
                                   PromptIcon::Information, {PromptButton::Ok}, PromptButton::Ok);
                return;
            }
            monitoredPathClicked(monitored);
        } else {
            GoToFolder(item.folder);
        }
        BringWindowToFrontGui(this);
        selected = selectListedItem(item.name);
        if (!selected) {
            struct stat st {};
            const QString path = FoundItemPath(item);
            if (::lstat(ExactName::toBytes(path).constData(), &st) != 0)
                m_prompter.message(FindTexts::Caption.in(greek),
                                   FindTexts::ItemGone.in(greek) + NewLine + ExactName::shown(path),
                                   PromptIcon::Information, {PromptButton::Ok}, PromptButton::Ok);
        }
    });
    return selected;
}

// Selects the listed item of that exact name; false when the listing does not show
// it (gone, or left out by the listing's filters).
bool frmMain::selectListedItem(const QString &name)
{
    const auto *model = static_cast<const ListingModel *>(lvwInfo->model());
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->exactName(row) != name)
            continue;
        const QModelIndex index = model->index(row, 0);
        lvwInfo->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        lvwInfo->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        lvwInfo->scrollTo(index);
        lvwInfo->setFocus();
        return true;
    }
    return false;
}
