// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The processor time the calling thread has used so far, in nanoseconds, or
// -1 when the system cannot tell. Unlike the time on the clock it does not
// grow while the thread waits for the disk or for a core that other
// programs hold. One file per system: the calls differ.
qint64 threadCpuNanoseconds();
