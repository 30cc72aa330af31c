#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "app/DataPaths.h"
#include "app/Settings.h"
#include "app/StartupTexts.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/FolderPaths.h"
#include "mainwin/ListingRules.h"
#include "platform/Prompter.h"
#include "platform/Volumes.h"
#include "platform/ExactName.h"
#include "platform/PathIdentity.h"
#include "platform/RuntimeError.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QLockFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>
#include <QTableView>
#include <QToolButton>
#include <cerrno>
#include <unistd.h>

namespace {
const QString FallbackFolder = QStringLiteral("/");
}

bool frmMain::load()
{
    m_state.AppTitle = QStringLiteral("Tidyhall / Tidyhall");
    try {
        BuildDataPaths(m_state, ResolveDataFolder(QCoreApplication::applicationDirPath()));
        if (refuseSecondCopy())
            return false;
        // No listing yet: the folder is chosen further on.
        txtFileType->blockSignals(true);
        txtFileType->setText(QStringLiteral("*.*"));
        txtFileType->blockSignals(false);
        ReadSettings(m_state);
        m_columnWidths = ColumnWidthsFromText(readText(m_state.IniPath, Keys::ListingColumnWidths));
        cmdPrint->setEnabled(!m_state.PrintFontName.isEmpty());
        applyFilterControls();
        changeToInitialPath();

        m_state.ListingStale = true;
        m_state.OrderChanged = true;
        DisplayListing();
        m_state.ClickedOnItem = false;
        m_state.OptionsPage = 0;
        ApplyLanguage(m_state.LanguageGreek ? 0 : 1);
        showSpecialEntries();
        lvwInfo->setShowGrid(true);
        return true;
    } catch (const RuntimeError &e) {
        m_prompter.message(m_state.AppTitle + QStringLiteral(", 050."), StartupTexts::fatal(e.number, e.description),
                           PromptIcon::Critical, {PromptButton::Ok}, PromptButton::Ok);
    } catch (const std::exception &e) {
        m_prompter.message(m_state.AppTitle + QStringLiteral(", 050."),
                           StartupTexts::fatal(ErrorNumber::PathFileAccessError, QString::fromLocal8Bit(e.what())),
                           PromptIcon::Critical, {PromptButton::Ok}, PromptButton::Ok);
    }
    return false;
}

// One running copy per data folder. A data folder that cannot be written holds no
// lock; the program still starts.
bool frmMain::refuseSecondCopy()
{
    const QString lockPath = m_state.DataFolder + QStringLiteral("/Tidyhall.lock");
    m_lock = std::make_unique<QLockFile>(lockPath);
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0) || m_lock->error() != QLockFile::LockFailedError)
        return false;
    // A lock that names no copy (left empty by a crash, damaged, or a folder in its
    // place) is no copy running: with no age limit on locks it would otherwise keep
    // the program from ever starting again.
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_lock->getLockInfo(&pid, &host, &application)) {
        m_lock->removeStaleLockFile();
        if (m_lock->tryLock(0) || m_lock->error() != QLockFile::LockFailedError || !QFileInfo(lockPath).isFile())
            return false;
    }
    // A copy on another computer sharing this data folder cannot be checked on from
    // here; the user may know it has ended and take the lock over.
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        if (m_prompter.message(m_state.AppTitle, StartupTexts::foreignLock(host, lockPath), PromptIcon::Question,
                               {PromptButton::Yes, PromptButton::No}, PromptButton::No)
            == PromptButton::Yes) {
            m_lock->removeStaleLockFile();
            if (m_lock->tryLock(0))
                return false;
        } else {
            return true;
        }
    }
    m_state.AppTitle = StartupTexts::DuplicateInstanceTitle;
    m_prompter.message(m_state.AppTitle, StartupTexts::duplicateInstance(), PromptIcon::Critical, {PromptButton::Ok},
                       PromptButton::Ok);
    return true;
}

void frmMain::applyFilterControls()
{
    m_state.Initializing = true;
    chkFileProperties[0]->setChecked(m_state.RestrictHidden);
    chkFileProperties[1]->setChecked(m_state.RestrictSystem);
    chkFileProperties[2]->setChecked(m_state.RestrictReadOnly);
    chkFileProperties[3]->setChecked(m_state.RestrictArchive);

    const AppearanceOutcome appearance = AppearanceControls(m_state);
    chkAppearance[0]->setChecked(m_state.ShowFolders);
    chkAppearance[1]->setChecked(m_state.ShowFiles);
    chkAppearance[0]->setEnabled(appearance.foldersEnabled);
    chkAppearance[1]->setEnabled(appearance.filesEnabled);

    optAppearance[m_state.OrderOfAppearance - 1]->setChecked(true);
    fraOrderOfAppearance->setEnabled(appearance.orderOfAppearanceEnabled);
    cmdPropertyRestrictions->setText(PropertyRestrictionsCaption(m_state.PropertyRestrictions));
    m_state.Initializing = false;
}

// Goes to the initial path; when it is not set, or is not a folder that can be read,
// says so in both languages and lists "/" instead (the settings file keeps its value).
void frmMain::changeToInitialPath()
{
    const QString initial = m_state.InitialPath;
    // A relative initial path is read from the data folder, never from wherever the
    // program happened to be started.
    QString folder = PathIdentity::normalised(initial.isEmpty() || initial.startsWith(QLatin1Char('/'))
                                                  ? initial
                                                  : m_state.DataFolder + QLatin1Char('/') + initial);
    const auto found = PathIdentity::followedIdentity(ExactName::toBytes(folder));
    const bool usable = !folder.isEmpty() && found && found->isFolder()
                        && ::access(ExactName::toBytes(folder).constData(), R_OK | X_OK) == 0;
    if (!usable) {
        const QString text = m_state.InitialPath.isEmpty()
                                 ? StartupTexts::noInitialPath(FallbackFolder)
                                 : StartupTexts::initialPathNotFound(ExactName::shown(m_state.InitialPath), FallbackFolder);
        m_prompter.message(m_state.AppTitle, text, PromptIcon::Information, {PromptButton::Ok}, PromptButton::Ok);
        m_state.InitialPath = FallbackFolder;
        folder = FallbackFolder;
    }
    setCurrentFolder(folder);
    fillDriveList();
    selectDriveOf(folder);
    Dir1->blockSignals(true);
    Dir1->setPath(folder);
    Dir1->blockSignals(false);
    m_volumeFolders.insert(volumeOf(folder).mountPoint, withoutTrailingSlash(folder));
}
