#pragma once

#include <QString>
#include <QStringList>

// The one way the program starts outside programs (the editor, the quick viewer, the
// companions, xdg-open, lp). Arguments go to the program one by one, never through a
// shell, so a name with spaces, quotes or a leading dash stays one argument.
//
// A stand-in, when set, is started in place of every program, with the program and
// its arguments as its own arguments; tests use it to see exactly what would run.
// It comes from setStandIn() or, when none is set there, $TIDYHALL_LAUNCH_STANDIN.
//
// The program, its arguments and the working folder are exact strings (ExactName):
// each reaches the program as the very bytes it stands for, so a file name that is
// not UTF-8 names the same file in the started program.
namespace Launcher {

void setStandIn(const QString &program);
QString standIn();

// Starts the program and returns at once. Throws RuntimeError when it cannot start.
void startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder = {});

// What a program that ran to its end wrote, and its exit code (-1 when it crashed).
struct Output
{
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

// Starts the program with nothing on its standard input, waits until it ends and
// returns what it wrote. Throws RuntimeError when it cannot start.
Output runAndRead(const QString &program, const QStringList &arguments);

// Starts the program and waits, without a time limit and without handling window
// events, until it ends; returns its exit code (-1 when it crashed). The program
// shares our standard streams, environment and working folder. Throws RuntimeError
// when it cannot start.
int runAndWait(const QString &program, const QStringList &arguments);

}
