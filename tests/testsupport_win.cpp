// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <windows.h>
#include <psapi.h>

const bool OnWindows = true;

const char *const CacheHomeVariable = "LOCALAPPDATA";

long peakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters {};
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return long(counters.PeakWorkingSetSize / (1024 * 1024));
}

QString noSuchFileReason()
{
    return qt_error_string(ERROR_FILE_NOT_FOUND);
}

bool giveToAnotherUser(const QString &)
{
    return false;
}
