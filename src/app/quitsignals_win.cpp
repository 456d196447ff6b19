// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quitsignals.h"

#include <QString>

#include <windows.h>
#include <shellapi.h>

namespace Platform {

// A Windows session always has its desktop.
bool missingDisplay(const QString &)
{
    return false;
}

void prepareProcess()
{
}

// argv holds the ANSI code page's form of the command line, where a Greek or
// Japanese name is lost to question marks; the system keeps the original.
QStringList commandLine(int, char *[], QStringList *)
{
    QStringList arguments;
    int count = 0;
    wchar_t **words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!words)
        return arguments;
    for (int i = 0; i < count; ++i)
        arguments << QString::fromWCharArray(words[i]);
    ::LocalFree(words);
    return arguments;
}

// A Windows program with a window is asked to end through the window itself
// (WM_CLOSE), which Qt turns into a close event; there is nothing to add.
void closeOnQuitSignals(frmMain &)
{
}

} // namespace Platform
