// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include "toolkit/folderlisting.h"

#include <QString>

#include <cstdio>
#include <signal.h>

namespace Platform {

void printText(const QString &text, bool error)
{
    std::fputs(qPrintable(text), error ? stderr : stdout);
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
