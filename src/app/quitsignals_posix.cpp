// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quitsignals.h"

#include "app/frmmain.h"

#include <QCoreApplication>
#include <QSocketNotifier>

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

} // namespace Platform
