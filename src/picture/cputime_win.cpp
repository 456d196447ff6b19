// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/cputime.h"

#include <windows.h>

namespace {

qint64 ticksOf(const FILETIME &time)
{
    return qint64((quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

} // namespace

qint64 threadCpuNanoseconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return -1;
    // Ticks of 100 ns, counted at the scheduler's quantum, some 16 ms.
    return (ticksOf(kernel) + ticksOf(user)) * 100;
}
