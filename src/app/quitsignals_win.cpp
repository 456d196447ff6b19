// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quitsignals.h"

#include <QString>

#include <cstdio>
#include <string>

#include <windows.h>
#include <shellapi.h>

namespace Platform {

// A Windows session always has its desktop.
QString displayProblem(const QString &, const QString &)
{
    return QString();
}

void printText(const QString &text, bool error)
{
    FILE *stream = error ? stderr : stdout;
    const HANDLE handle = ::GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    // Redirected to a file or a pipe, or started from a terminal that
    // handed its handles on: the text goes there as it is.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS) || !std::freopen("CONOUT$", "w", stream)) {
            const std::wstring shown = text.trimmed().toStdWString();
            ::MessageBoxW(nullptr, shown.c_str(), L"Kelvane", error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
            return;
        }
    }
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

void prepareProcess()
{
    // A drive without its disk (an empty card reader, a removed disc) makes
    // the system ask "There is no disk in the drive" in a box of its own,
    // which waits for an answer, before our own message can say so. Every
    // file call then fails with its reason instead.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
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
