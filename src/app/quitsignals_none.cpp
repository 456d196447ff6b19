// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quitsignals.h"

namespace Platform {

// A Windows program with a window is asked to end through the window itself
// (WM_CLOSE), which Qt turns into a close event; there is nothing to add.
void closeOnQuitSignals(frmMain &)
{
}

} // namespace Platform
