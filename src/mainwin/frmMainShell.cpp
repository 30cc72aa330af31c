#include "mainwin/frmMain.h"

#include "inspect/ShellCommandsGui.h"

#include <QAction>

void frmMain::wireShellCommands()
{
    const auto on = [this](const char *name, ShellAction action) {
        QAction *entry = m_entries.value(QLatin1String(name));
        entry->setEnabled(true);
        connect(entry, &QAction::triggered, this, [this, action] {
            RunShellCommand(action, this, lstSelectedItems, CollectSelection(), m_state, m_prompter);
        });
    };
    on("mnuOptionsOpen", ShellAction::Open);
    on("mnuOptionsPrint", ShellAction::Print);
    on("mnuOptionsProperties", ShellAction::Properties);
    on("mnuOptionsQuickView", ShellAction::QuickView);
}
