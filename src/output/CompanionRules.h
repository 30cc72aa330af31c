#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct AppState;
class Prompter;

// A program and its arguments, each argument passed on its own (never through a shell).
struct CommandLine
{
    QString program;
    QStringList arguments;
};

// The command a companion key's value stands for: a value naming an existing program
// file (blanks in its path included) runs as it is, with no arguments; any other value
// is split as a command line (blanks separate, double quotes group, a doubled quote
// inside quotes is a quote). Nothing (nullopt) for an empty value. The value is cut at
// its first NUL, as the settings have always been read.
std::optional<CommandLine> CompanionCommandLine(const QString &value,
                                                const std::function<bool(const QString &)> &isProgramFile);

// True for an executable regular file at `path` (exact name).
bool IsProgramFile(const QString &path);

// The Special.ini keys of the four companion programs and of the system-information
// tool, section "Applications".
namespace CompanionKeys {
inline constexpr const char *Section = "Applications";
inline constexpr const char *SystemInfo = "SystemInfo";
}

// Starts the companion program of `key` ("Drivelook", ...) from Special.ini, without
// waiting for it. A missing file, a missing or empty key, or a program that cannot be
// started is reported through the standard error report under `locationCode`, naming
// the key; the program goes on. Returns true when the program was started.
bool StartCompanion(Prompter &prompter, const AppState &state, const QString &key, const char *locationCode);

// The location code of the companion programs' error report.
inline constexpr const char *CompanionLocationCode = "127";
