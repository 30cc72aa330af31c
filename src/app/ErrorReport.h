#pragma once

#include <QString>
#include <functional>

struct AppState;
class Prompter;

// The standard error report of a command that failed: the error's number and the
// system's description, titled with the command's three-digit location code.
QString RuntimeErrorText(int number, const QString &description, bool greek);
void ReportRuntimeError(Prompter &prompter, const AppState &state, int number, const QString &description,
                        const QString &locationCode);

// Runs a command's body under the error trap: a RuntimeError (or any other exception)
// ends the body and is reported under `locationCode`. Returns false when it failed.
bool RunTrapped(Prompter &prompter, const AppState &state, const char *locationCode,
                const std::function<void()> &body);
