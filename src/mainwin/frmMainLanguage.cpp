#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "app/QtGreekTranslator.h"
#include "app/Settings.h"
#include "inspect/frmFind.h"
#include "mainwin/ListingModel.h"
#include "mainwin/MainTexts.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

QString frmMain::makerNotice() const
{
    return MainTexts::MakerNotice.in(m_state.LanguageGreek)
           + QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
}

void frmMain::ApplyLanguage(int index)
{
    runTrapped("042", [&] {
        const bool greek = index == 0;
        m_state.LanguageGreek = greek;
        UseGreekForQtTexts(greek);
        m_state.AppTitle = QString::fromLatin1(MainTexts::AppTitle);

        using namespace MainTexts;
        cmdPropertyRestrictions->setToolTip(TipPropertyRestrictions.in(greek));
        cmdUpOneLevel->setToolTip(TipUpOneLevel.in(greek));
        cmdSavePath->setToolTip(TipSavePath.in(greek));
        cmdRecentPath->setToolTip(TipRecentPath.in(greek));
        cmdRefresh->setToolTip(TipRefresh.in(greek));
        cmdPageSetup->setToolTip(TipPageSetup.in(greek));
        cmdPrint->setToolTip(TipPrint.in(greek));
        cmdStopMonitoring->setToolTip(TipStopMonitoring.in(greek));
        cmdHelp->setToolTip(TipHelp.in(greek));
        cmdEnd->setToolTip(TipEnd.in(greek));
        cmdOptions->setToolTip(TipOptions.in(greek));
        cmdDisplayInfo->setToolTip(TipDisplayInfo.in(greek));
        cmdAsterisk->setToolTip(TipAsterisk.in(greek));
        lblCopyright->setToolTip(TipCopyright.in(greek));
        picCopyright->setToolTip(TipCopyrightMark.in(greek));
        captionMenus();
        // The Find window stays open beside the main window and follows the switch.
        if (m_find)
            m_find->applyLanguage();

        lblFileType->setText(FileType.in(greek));
        fraFileProperties->setTitle(FileProperties.in(greek));
        chkFileProperties[0]->setText(PropertyHidden.in(greek));
        chkFileProperties[1]->setText(PropertySystem.in(greek));
        chkFileProperties[2]->setText(PropertyReadOnly.in(greek));
        chkFileProperties[3]->setText(PropertyArchive.in(greek));
        fraAppearance->setTitle(Appearance.in(greek));
        chkAppearance[0]->setText(AppearanceFolders.in(greek));
        chkAppearance[1]->setText(AppearanceFiles.in(greek));
        fraOrderOfAppearance->setTitle(OrderOfAppearance.in(greek));
        optAppearance[0]->setText(NoOrder.in(greek));
        optAppearance[1]->setText(FoldersFirst.in(greek));
        optAppearance[2]->setText(FilesFirst.in(greek));

        // The column captions follow the language in place; the listing is not rebuilt.
        if (auto *model = qobject_cast<ListingModel *>(lvwInfo->model()))
            model->setLanguage(greek);

        setWindowTitle(m_state.AppTitle);
        lblCopyright->setText(makerNotice());
        UpdateInfoLabels();
        writeSetting(m_state.IniPath, Keys::Language, greek);
    });
}
