// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/cputime.h"

#include <ctime>

qint64 threadCpuNanoseconds()
{
    timespec now {};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return -1;
    return qint64(now.tv_sec) * 1000000000 + qint64(now.tv_nsec);
}
