#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the item menu's Open, Print, Properties and Quick view do with one item, the
// way the desktop does it: the MIME type's default application (GIO's MIME defaults),
// CUPS's lp, the file manager's D-Bus interface, the configured quick viewer.
// Paths are exact strings (ExactName); every program gets the item as one argument
// of its own, never through a shell, so no name can become a command or an option.

// Results of open and print keep the shell's convention: above 32 is success, 32 or
// less a failure whose text ShellExecuteErrorText gives.
namespace ShellResult {
inline constexpr int Done = 42;
inline constexpr int FileNotFound = 2;
inline constexpr int AccessDenied = 5;
inline constexpr int BadAssociation = 27; // the default application cannot be started
inline constexpr int NoAssociation = 31;
inline bool failed(int result) { return result <= 32; }
} // namespace ShellResult

QString ShellExecuteErrorText(int result, bool greek);

// 2 when the item is missing, 5 when it cannot be read, else Done.
int ItemAccessResult(const QString &path);

// The item's MIME type as the desktop sees it (name and content).
QString ContentTypeOf(const QString &path);

// The .desktop file of the type's default application; "" when there is none.
QString DefaultApplicationFor(const QString &mimeType);

// Open: "gio launch DESKTOP-FILE PATH".
QStringList OpenArguments(const QString &desktopFile, const QString &path);
int ShellOpen(const QString &path);

// Text, PDF, PostScript and images go to the printer; nothing else does.
bool IsPrintableType(const QString &mimeType);
// Print: "lp -- PATH" (the default printer).
QStringList PrintArguments(const QString &path);
struct PrintOutcome
{
    int result = ShellResult::Done;
    bool noDefaultPrinter = false;
};
// Throws RuntimeError when lp refuses the job (its own words in the description).
PrintOutcome ShellPrint(const QString &path, bool greek);

// The quick viewer's command line: `quickViewPath` split as a command line, the item
// one more argument. nullopt when there is no program in it or a quote is left open.
std::optional<QStringList> QuickViewCommand(const QString &quickViewPath, const QString &path);
// Throws RuntimeError with a message of its own for an empty or unusable command, a
// missing item, or a viewer that does not start.
void ShellQuickView(const QString &quickViewPath, const QString &path, bool greek);

// Asks the desktop's file manager (org.freedesktop.FileManager1 on the session bus)
// to show the item's properties; false when there is no bus, no file manager offers
// the call, or it fails.
bool ShowPropertiesThroughFileManager(const QString &path);

// "file:///a%20b": the URI of the item's exact bytes.
QString FileUri(const QString &path);
