// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/sanitizers.h"

// The decoding helper's whole life: it loads every image plugin, shuts
// itself in (see WorkerProcess::enterSandbox), says it is ready, then
// answers one job after another until its parent goes. Returns the exit
// status. kelvane-decoder's main() is only this call.
int runDecoderWorker(int argc, char **argv);

// The helper's memory limit: what it may map, and what the parent lets it
// hold before ending it.
inline constexpr long long DecoderMemoryBytes = 1LL << 30;
// The processor time one job may take, all the helper's threads together,
// before the parent ends the helper: twice the second a decoding thread may
// take, as scaling a large picture runs on several threads; a sanitizer
// build's decodes take about four times as long.
#ifdef KELVANE_SANITIZED
inline constexpr long long DecoderJobNanoseconds = 8000LL * 1000 * 1000;
#else
inline constexpr long long DecoderJobNanoseconds = 2000LL * 1000 * 1000;
#endif
