// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QString>

#include <string>

#include <windows.h>
#include <shellapi.h>

namespace Platform {

void printText(const QString &text, bool error)
{
    HANDLE handle = ::GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    bool ownHandle = false;
    // A window program started from a terminal has no handles of its own;
    // the text goes to that terminal's console, else to a box.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        if (::AttachConsole(ATTACH_PARENT_PROCESS))
            handle = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
            const std::wstring shown = text.trimmed().toStdWString();
            ::MessageBoxW(nullptr, shown.c_str(), L"Kelvane", error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
            return;
        }
        ownHandle = true;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        // A console shows UTF-16 as it is; the ANSI code page would turn
        // every character it lacks into a question mark.
        const std::wstring wide = text.toStdWString();
        ::WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        // A file or a pipe gets UTF-8, with the lines Windows text files have.
        QString lines = text;
        const QByteArray bytes = lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8();
        ::WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
    }
    if (ownHandle)
        ::CloseHandle(handle);
}

void prepareProcess()
{
    // A drive without its disk (an empty card reader, a removed disc) makes
    // the system ask "There is no disk in the drive" in a box of its own,
    // which waits for an answer, before our own message can say so. Every
    // file call then fails with its reason instead. The modes the process
    // was started with stay.
    ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
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

} // namespace Platform
