// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class frmMain;

// What the process sets up around the window, as each platform needs it.
namespace Platform {

// What keeps the window system that Qt would open from starting, where Qt
// would only abort: no display named (over SSH), or one named that cannot be
// reached (no server there, a forwarded socket that is gone). Empty when
// some platform of the ones Qt tries in turn can start. platformArgument and
// displayArgument are the -platform and -display options' values, if any.
QString displayProblem(const QString &platformArgument, const QString &displayArgument);

// Shows the text that answers the command line (usage, version, an
// argument error) where the user who started the program reads it: the
// terminal, or on Windows, where a program with a window has no console of
// its own, the console it was started from or else a message box.
void printText(const QString &text, bool error);

// Before anything else runs.
void prepareProcess();

// The program's arguments as text, its own name first. On Linux they are
// bytes, decoded as file names are; those that are not valid UTF-8 go into
// notUtf8 too, decoded, since they would name another file. Windows hands
// the command line over whole in UTF-16, so a name in any script arrives as
// typed, whatever the ANSI code page.
QStringList commandLine(int argc, char *argv[], QStringList *notUtf8);

// A request to end the process from outside (SIGTERM, Ctrl+C) closes the
// window the way the user would, so the folder is still stored.
void closeOnQuitSignals(frmMain &window);

} // namespace Platform
