#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "platform/Bilingual.h"
#include "fileops/OptionsCommandsGui.h"
#include "app/ContextHelpGui.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/FolderPaths.h"
#include "mainwin/MainTexts.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"
#include "platform/ExactName.h"
#include "platform/PathIdentity.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <unistd.h>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QToolButton>

void frmMain::fillDriveList()
{
    m_fillingDrives = true;
    const QString current = Drive1->currentData().toString();
    Drive1->clear();
    for (const Volume &volume : listVolumes()) {
        const QString text = volume.label.isEmpty() ? volume.mountPoint
                                                    : volume.mountPoint + QStringLiteral("  [") + volume.label
                                                          + QLatin1Char(']');
        Drive1->addItem(text, volume.mountPoint);
    }
    const int again = Drive1->findData(current);
    if (again >= 0)
        Drive1->setCurrentIndex(again);
    m_fillingDrives = false;
}

// Shows the volume of `folder` in the drive list without opening its folder.
void frmMain::selectDriveOf(const QString &folder)
{
    const QString mountPoint = volumeOf(folder).mountPoint;
    int index = Drive1->findData(mountPoint);
    if (index < 0) {
        Drive1->addItem(mountPoint, mountPoint);
        index = Drive1->count() - 1;
    }
    m_fillingDrives = true;
    Drive1->setCurrentIndex(index);
    m_fillingDrives = false;
}

// A volume chosen in the drive list opens the folder last shown on it (its top the
// first time, or when that folder has gone since), as each drive keeps its own current
// folder. A volume that cannot be reached is reported and "/" is listed instead; either
// way the list ends up naming the volume the tree shows.
void frmMain::onDriveChosen(int index)
{
    if (m_fillingDrives || index < 0)
        return;
    const QString mountPoint = Drive1->itemData(index).toString();
    const bool ok = runTrapped("049", [&] {
        const auto point = PathIdentity::followedIdentity(ExactName::toBytes(mountPoint));
        if (!point || !point->isFolder())
            throw RuntimeError(ErrorNumber::DiskNotReady, MainTexts::DeviceUnavailable, mountPoint);
        const QString remembered = m_volumeFolders.value(mountPoint, mountPoint);
        try {
            Dir1->setPath(remembered);
        } catch (const RuntimeError &) {
            if (remembered == mountPoint)
                throw;
            m_volumeFolders.remove(mountPoint);
            Dir1->setPath(mountPoint);
        }
    });
    if (!ok) {
        m_volumeFolders.remove(mountPoint);
        runTrapped("049", [&] { Dir1->setPath(QStringLiteral("/")); });
    }
    selectDriveOf(Dir1->path());
}

void frmMain::onFolderChanged(const QString &folder)
{
    m_volumeFolders.insert(volumeOf(folder).mountPoint, folder);
    selectDriveOf(folder);
    setCurrentFolder(folder);
    m_state.ListingStale = true;
    DisplayListing();
}

void frmMain::onOpenFolder(const QString &folder)
{
    runTrapped("058", [&] { Dir1->setPath(folder); });
}

void frmMain::GoToFolder(const QString &folder)
{
    Dir1->setPath(folder);
}

void frmMain::onPatternChanged()
{
    m_state.ListingStale = true;
    DisplayListing();
}

// The pattern box keeps Backspace for itself (handleShortcut); the button always goes
// up, wherever the focus is.
void frmMain::UpOneLevel()
{
    const QString here = Dir1->path().trimmed();
    if (here == QLatin1String("/")) {
        m_prompter.message(MainTexts::UpOneLevelTitle.in(m_state.LanguageGreek),
                           MainTexts::UpOneLevelAtRoot.in(m_state.LanguageGreek), PromptIcon::Critical,
                           {PromptButton::Ok}, PromptButton::Ok);
        return;
    }
    const bool ok = runTrapped("093", [&] {
        const ParentStep step = parentOf(Dir1->path());
        setCurrentFolder(step.parent);
        Dir1->setPath(step.parent);
        Dir1->highlight(step.left);
    });
    if (!ok) {
        setCurrentFolder(QStringLiteral("/"));
        selectDriveOf(QStringLiteral("/"));
        runTrapped("093", [&] { Dir1->setPath(QStringLiteral("/")); });
    }
}

void frmMain::RefreshDrives()
{
    runTrapped("060", [&] { fillDriveList(); selectDriveOf(Dir1->path()); });
    runTrapped("060", [&] { Dir1->refresh(); });
    m_state.ListingStale = true;
    DisplayListing();
}

void frmMain::RefreshFolders()
{
    runTrapped("060", [&] { Dir1->refresh(); });
    m_state.ListingStale = true;
    DisplayListing();
}

void frmMain::RefreshFiles()
{
    RefreshFolders();
    BringWindowToFrontGui(this);
}

// The window sees its keys before its controls do.
bool frmMain::handleShortcut(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    const QWidget *focus = QApplication::focusWidget();
    const bool inPattern =
        focus && focus->objectName().compare(QLatin1String("txtFileType"), Qt::CaseInsensitive) == 0;
    if (key == Qt::Key_A && (mods & Qt::ControlModifier)) {
        lvwInfo->setFocus();
        SelectAll();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (mods & Qt::AltModifier)) {
        if (QAction *a = menuEntry(QStringLiteral("mnuOptionsAttributes")); a && a->isEnabled())
            a->trigger();
        return true;
    }
    // In monitoring mode Enter opens the highlighted folder, as it does in the tree.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && focus == lstMonitoredPaths) {
        if (QListWidgetItem *item = lstMonitoredPaths->currentItem())
            monitoredPathClicked(item->text());
        return true;
    }
    switch (key) {
    case Qt::Key_F1:
        // The overview of the program; a control's own topic is a right click away.
        m_help->showTopic(QStringLiteral("overview"), mapToGlobal(rect().center()), this);
        return true;
    case Qt::Key_Backspace:
        // In the pattern box Backspace edits the pattern.
        if (inPattern)
            return false;
        if (cmdUpOneLevel->isEnabled())
            UpOneLevel();
        return true;
    case Qt::Key_Delete:
        if (inPattern)
            return false;
        if (QAction *a = menuEntry(QStringLiteral("mnuOptionsDelete")); a && a->isEnabled())
            a->trigger();
        return true;
    case Qt::Key_F2:
    case Qt::Key_F3: {
        QAction *a = menuEntry(key == Qt::Key_F2 ? QStringLiteral("mnuOptionsRename") : QStringLiteral("mnuOptionsFind"));
        if (a && a->isEnabled())
            a->trigger();
        return true;
    }
    case Qt::Key_F5:
        // As the other keys, F5 does what its button would, and nothing while the button
        // is disabled (in monitoring mode, say).
        if (cmdRefresh->isEnabled())
            RefreshFiles();
        return true;
    default:
        return false;
    }
}
