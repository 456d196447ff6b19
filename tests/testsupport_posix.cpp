// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

const bool OnWindows = false;

const char *const CacheHomeVariable = "XDG_CACHE_HOME";

long peakMegabytes()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
    return usage.ru_maxrss / 1024;
}

QString noSuchFileReason()
{
    return QString::fromLocal8Bit(std::strerror(ENOENT));
}

bool giveToAnotherUser(const QString &path)
{
    return ::geteuid() == 0 && ::lchown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
}
