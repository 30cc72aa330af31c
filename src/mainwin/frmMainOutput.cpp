#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "fileops/OptionsCommandsGui.h"
#include "mainwin/ListingModel.h"
#include "output/PrintJobGui.h"
#include "output/PrintTexts.h"
#include "output/frmComments.h"
#include "output/frmPageSetup.h"
#include "output/frmPrint.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QComboBox>
#include <QTableView>
#include <QToolButton>

void frmMain::wireOutput()
{
    connect(cmdPageSetup, &QToolButton::clicked, this, [this] { openPageSetup(); });
    connect(cmdPrint, &QToolButton::clicked, this, [this] { openPrint(); });
    connect(m_entries.value(QStringLiteral("mnuOptionsComments")), &QAction::triggered, this,
            [this] { openComments(); });
}

void frmMain::openPageSetup()
{
    {
        frmPageSetup dialog(m_state, m_prompter, this);
        dialog.exec();
    }
    cmdPrint->setEnabled(!m_state.PrintFontName.isEmpty());
    BringWindowToFrontGui(this);
}

void frmMain::openPrint()
{
    if (m_state.FoldersShown + m_state.FilesShown == 0) {
        using namespace PrintTexts;
        const bool greek = m_state.LanguageGreek;
        m_prompter.inform(PrintTitle.in(greek), NothingToPrintHead.in(greek) + ExactName::shown(m_state.CurrentPath)
                                                    + NothingToPrintTail.in(greek));
        return;
    }
    auto *model = static_cast<ListingModel *>(lvwInfo->model());
    PrintListing listing;
    listing.count = model->rowCount();
    listing.item = [model](std::int64_t i) {
        const int row = int(i);
        const ListedItem &entry = model->item(row);
        PrintItemTexts texts;
        texts.name = entry.name;
        texts.size = model->data(model->index(row, 1)).toString();
        texts.date = model->data(model->index(row, 2)).toString();
        texts.time = model->data(model->index(row, 3)).toString();
        texts.folder = entry.isFolder;
        texts.hidden = entry.hidden;
        texts.system = entry.system;
        texts.readOnly = entry.readOnly;
        texts.archive = entry.archive;
        return texts;
    };
    {
        frmPrint dialog(m_state, m_prompter, *m_printServices, listing, this);
        dialog.exec();
    }
    BringWindowToFrontGui(this);
}

void frmMain::openComments()
{
    runTrapped("095", [&] {
        {
            frmComments dialog(m_state, m_prompter, *m_printServices, shownVolume(), this);
            dialog.exec();
        }
        BringWindowToFrontGui(this);
    });
}
