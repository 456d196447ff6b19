// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quitsignals.h"

#include "app/frmmain.h"
#include "toolkit/folderlisting.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QString>

#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int)
{
    const char byte = 1;
    if (::write(quitPipe[1], &byte, 1) < 0) {
        // The pipe is full: a quit is already pending.
    }
}

} // namespace

namespace Platform {

void printText(const QString &text, bool error)
{
    std::fputs(qPrintable(text), error ? stderr : stdout);
}

bool missingDisplay(const QString &platformArgument)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    const QString platforms = platformArgument.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platformArgument;
    // Qt tries each platform of a list in turn; one that draws without a
    // display server (offscreen, vnc, linuxfb, ...) can start.
    for (const QString &entry : platforms.split(QLatin1Char(';'))) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (!name.isEmpty() && name != QLatin1String("xcb") && !name.startsWith(QLatin1String("wayland")))
            return false;
    }
    return true;
}

// SIGTERM at logout and Ctrl+C in a terminal close the window the way the
// user would, so the folder is still stored. Signals that the caller ignores
// (nohup) stay ignored.
void closeOnQuitSignals(frmMain &window)
{
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        notifier->setEnabled(false);
        window.close();
        // Also leaves a message box that is open at the time.
        QCoreApplication::quit();
    });
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction old = {};
        if (::sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = onQuitSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(number, &action, nullptr);
    }
}

QStringList commandLine(int argc, char *argv[], QStringList *notUtf8)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
        if (Toolkit::textOfName(argv[i]).isNull())
            *notUtf8 << arguments.constLast();
    }
    return arguments;
}

void prepareProcess()
{
    // Past a file size limit a write fails with its reason instead of
    // ending the program half way through rewriting a page in place.
    ::signal(SIGXFSZ, SIG_IGN);
}

} // namespace Platform
