// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browserservice.h"

#include "toolkit/systempath_win.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <windows.h>
#include <shellapi.h>

namespace {

using Toolkit::wide;

// The shell's own answers: a result above 32 is success.
constexpr INT_PTR lastFailure = 32;

// The text as one argument of a command line, as programs split theirs
// (CommandLineToArgvW and the C runtime): in double quotes, a quote inside
// escaped by a backslash, and the backslashes just before a quote doubled.
// Unquoted, a page path with a space would reach the browser as two
// arguments, naming two files that do not exist.
QString commandLineArgument(const QString &text)
{
    QString argument = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        argument += QString(c == QLatin1Char('"') ? 2 * backslashes + 1 : backslashes, QLatin1Char('\\'));
        argument += c;
        backslashes = 0;
    }
    argument += QString(2 * backslashes, QLatin1Char('\\'));
    argument += QLatin1Char('"');
    return argument;
}

// Asks the shell which program opens the probe's type of file, and starts
// that program with the page path as its one argument.
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

    bool start(const BrowserProgram &program, const QString &pagePath, QWidget *owner) override
    {
        // The window the user pressed the button in owns the operation, not
        // whichever window has the focus when the call is made.
        const HWND window = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
        const INT_PTR result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
            window, L"open", wide(program.executable), wide(commandLineArgument(pagePath)), nullptr, SW_SHOWNORMAL));
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
