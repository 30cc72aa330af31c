#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "mainwin/MenuTexts.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

QMenu *frmMain::buildMenu(const char *name, const MenuEntry *entries, std::size_t count)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QLatin1String(name));
    for (std::size_t i = 0; i < count; ++i) {
        if (!entries[i].name) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(QString());
        action->setObjectName(QLatin1String(entries[i].name));
        m_entries.insert(action->objectName(), action);
    }
    return menu;
}

void frmMain::buildMenus()
{
    mnuOptions = buildMenu("mnuOptions", std::data(MenuTexts::ItemMenu), std::size(MenuTexts::ItemMenu));

    mnuCommands = new QMenu(this);
    mnuCommands->setObjectName(QStringLiteral("mnuCommands"));
    for (const MenuEntry &entry : MenuTexts::SpecialEntries) {
        QAction *action = mnuCommands->addAction(QString::fromUtf8(entry.caption.english));
        action->setObjectName(QLatin1String(entry.name));
        m_entries.insert(action->objectName(), action);
    }
    mnuSpecialDash = mnuCommands->addSeparator();
    mnuSpecialDash->setObjectName(QStringLiteral("mnuSpecialDash"));
    QMenu *commands = buildMenu("mnuCommandsTail", std::data(MenuTexts::CommandsMenu), std::size(MenuTexts::CommandsMenu));
    for (QAction *action : commands->actions())
        mnuCommands->addAction(action);

    mnuRefresh = buildMenu("mnuRefresh", std::data(MenuTexts::RefreshMenu), std::size(MenuTexts::RefreshMenu));
    mnuSavePath = buildMenu("mnuSavePath", std::data(MenuTexts::SavePathMenu), std::size(MenuTexts::SavePathMenu));
    mnuRecallPath = buildMenu("mnuRecallPath", std::data(MenuTexts::RecallPathMenu),
                              std::size(MenuTexts::RecallPathMenu));
}

void frmMain::captionMenus()
{
    const bool greek = m_state.LanguageGreek;
    const auto caption = [&](const MenuEntry *entries, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            if (entries[i].name)
                m_entries.value(QLatin1String(entries[i].name))->setText(entries[i].text(greek));
    };
    caption(std::data(MenuTexts::ItemMenu), std::size(MenuTexts::ItemMenu));
    caption(std::data(MenuTexts::CommandsMenu), std::size(MenuTexts::CommandsMenu));
    caption(std::data(MenuTexts::RefreshMenu), std::size(MenuTexts::RefreshMenu));
    caption(std::data(MenuTexts::SavePathMenu), std::size(MenuTexts::SavePathMenu));
    caption(std::data(MenuTexts::RecallPathMenu), std::size(MenuTexts::RecallPathMenu));
}

void frmMain::showSpecialEntries()
{
    // Only an ordinary file counts as the marker: not a folder, not a hidden file.
    const QFileInfo marker(m_state.OwnerMarkerFile);
    const bool visible = marker.isFile() && !marker.fileName().startsWith(QLatin1Char('.'));
    for (const MenuEntry &entry : MenuTexts::SpecialEntries)
        m_entries.value(QLatin1String(entry.name))->setVisible(visible);
    mnuSpecialDash->setVisible(visible);
}

void frmMain::popupButtonMenu(QMenu *menu)
{
    menu->exec(QCursor::pos());
}

void frmMain::wireMenus()
{
    const auto on = [this](const char *name, auto slot) {
        connect(m_entries.value(QLatin1String(name)), &QAction::triggered, this, slot);
    };
    on("mnuOptionsOptions", [this] { cmdOptions->click(); });
    on("mnuCommandsOptions", [this] { cmdOptions->click(); });
    on("mnuOptionsSelectAll", [this] { SelectAll(); });
    on("mnuOptionsReverseSelection", [this] { ReverseSelection(); });
    on("mnuOptionsHelp", [this] { cmdSelections->click(); });
    on("mnuCommandsHelp", [this] { cmdCommands->click(); });
    on("mnuCommandsRefresh", [this] { RefreshFiles(); });
    on("mnuRefreshDrives", [this] { RefreshDrives(); });
    on("mnuRefreshFolders", [this] { RefreshFolders(); });
    on("mnuRefreshFiles", [this] { RefreshFiles(); });
    on("mnuRefreshHelp", [this] { showTopicOf(cmdRefresh); });
    on("mnuSavePathHelp", [this] { showTopicOf(cmdSavePath); });
    on("mnuRecallPathHelp", [this] { showTopicOf(cmdRecentPath); });

    connect(cmdRefresh, &QToolButton::clicked, this, [this] { popupButtonMenu(mnuRefresh); });
    connect(cmdSavePath, &QToolButton::clicked, this, [this] { popupButtonMenu(mnuSavePath); });
    connect(cmdRecentPath, &QToolButton::clicked, this, [this] { popupButtonMenu(mnuRecallPath); });
    connect(cmdSelections, &QPushButton::clicked, this, [this] { showTopicOf(cmdSelections); });
    connect(cmdCommands, &QPushButton::clicked, this, [this] { showTopicOf(cmdCommands); });
}

void frmMain::showTopicOf(QWidget *holder)
{
    m_help->showTopic(ContextHelp::topicOf(holder), QCursor::pos(), this);
}
