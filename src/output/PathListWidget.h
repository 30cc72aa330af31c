#pragma once

#include "output/PathList.h"

#include <QPoint>
#include <Qt>

class QAbstractButton;
class QListWidget;
class QWidget;

// Fills `list` from the list file of `kind`: `button` (the one that acts on the chosen
// path) is disabled until a path is chosen; the paths are listed in file order with
// none selected; the list is enabled when it holds a path and disabled when it holds
// none; when the file does not exist the list stays empty and keeps its enabled state.
// Returns the number of paths listed.
int LoadPathListInto(Prompter &prompter, const AppState &state, PathListKind kind, QAbstractButton *button,
                     QListWidget *list);

// Sets the list's tooltip to the full text of the item under `position` (viewport
// coordinates), or clears it; only while no mouse button is held.
void ShowListItemTip(QListWidget *list, Qt::MouseButtons buttons, const QPoint &position);

// Makes `list` call ShowListItemTip on every pointer movement over it, so paths wider
// than the list can be read.
void InstallListItemTip(QListWidget *list);

// Gives a control its help topic: as its What's-This text and as the "helpTopic"
// property the program's context help reads.
void SetHelpTopic(QWidget *control, const QString &topic);
