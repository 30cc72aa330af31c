#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The GUI text editor the program opens a list file in and waits for. The file's path
// goes after `arguments`.
struct EditorCommand
{
    QString program;
    QStringList arguments;
};

// The first of: $TIDYHALL_EDITOR; the desktop's default application for text/plain
// (xdg-mime); the common editors found on the PATH. Each is started so that it
// returns only when the file is closed. nullopt when none is found.
std::optional<EditorCommand> LocateTextEditor();

// The pieces, for the rules they hold.

// $TIDYHALL_EDITOR: the name of a program, or a command line with its options
// ("kate --block"). A value that names an existing file is taken whole, spaces and all.
std::optional<EditorCommand> EditorFromSetting(const QString &value);

// The Exec line of a .desktop file, without its field codes, with the options that
// make a known editor wait.
std::optional<EditorCommand> EditorFromDesktopExec(const QString &exec);

// The Exec value of the [Desktop Entry] group of a .desktop file's text.
QString DesktopEntryExec(const QString &desktopFileText);

// The options that make a known editor stay until the file is closed instead of
// handing it to an instance already running: "gedit" gives --new-window --wait.
QStringList BlockingArguments(const QString &program);

// The editors tried when the desktop names none, in order.
QStringList CommonEditors();
