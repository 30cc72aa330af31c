#pragma once

#include "output/CompanionRules.h"

#include <QString>
#include <functional>
#include <optional>

// The version as the About box shows it: each number with at least four digits,
// joined by "." (1.2.3 is "0001.0002.0003").
QString AboutVersionText(int major, int minor, int patch);
// The program's own version, from the build.
QString ProgramVersionText();

// The desktops' own system-information programs, tried in this order.
struct KnownSysInfoTool
{
    const char *program;
    const char *argument; // null when none
};
inline constexpr KnownSysInfoTool KnownSysInfoTools[] = {
    {"kinfocenter", nullptr},              // KDE Plasma
    {"gnome-control-center", "info-overview"}, // GNOME Settings, "About"
    {"xfce4-about", nullptr},              // Xfce
    {"hardinfo", nullptr},                 // desktop-neutral system profiler
    {"lshw-gtk", nullptr},
};

// The system-information tool to start: the command of the SystemInfo key in
// Special.ini's "Applications" section when set, else the first of KnownSysInfoTools
// that `findProgram` finds (it gives the full path, or ""), else nullopt: unavailable.
std::optional<CommandLine> SysInfoCommand(const QString &specialIni,
                                          const std::function<QString(const QString &)> &findProgram,
                                          const std::function<bool(const QString &)> &isProgramFile);
