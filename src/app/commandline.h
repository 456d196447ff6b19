// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The process as it was started: its arguments, the terminal it answers,
// what it sets up before anything else runs.
namespace Platform {

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

} // namespace Platform
