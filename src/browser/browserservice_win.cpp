// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browserservice.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWindow>

#include <windows.h>
#include <shellapi.h>

namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// The shell's own answers: a result above 32 is success.
constexpr INT_PTR lastFailure = 32;

// Asks the shell which program opens the probe's type of file, and starts
// that program with the page path as its parameter string.
class ShellBrowserService : public BrowserService
{
public:
    std::optional<BrowserProgram> findProgram(const QString &probePath) override
    {
        // MAX_PATH, the longest path the shell writes here, and its zero.
        wchar_t executable[MAX_PATH + 1] = {};
        const INT_PTR result = reinterpret_cast<INT_PTR>(
            ::FindExecutableW(wide(QDir::toNativeSeparators(probePath)), nullptr, executable));
        if (result <= lastFailure || !executable[0])
            return std::nullopt;
        BrowserProgram program;
        program.executable = QString::fromWCharArray(executable);
        program.name = QFileInfo(program.executable).completeBaseName();
        return program;
    }

    bool start(const BrowserProgram &program, const QString &pagePath) override
    {
        // The window the user pressed the button in owns the operation.
        HWND owner = nullptr;
        if (QWindow *window = QGuiApplication::focusWindow())
            owner = reinterpret_cast<HWND>(window->winId());
        // The page path goes as it is, without quotes added.
        const INT_PTR result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(owner, L"open", wide(program.executable), wide(pagePath), nullptr, SW_SHOWNORMAL));
        return result > lastFailure;
    }
};

} // namespace

namespace Browser {

BrowserService &platformService()
{
    static ShellBrowserService service;
    return service;
}

QStringList probeFolders()
{
    // The user's temporary folder: the program's own folder under Program
    // Files is not writable for a standard user.
    return {QDir::tempPath()};
}

} // namespace Browser
