// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class frmMain;

// What the process sets up around the window, as each platform needs it.
namespace Platform {

// A request to end the process from outside (SIGTERM, Ctrl+C) closes the
// window the way the user would, so the folder is still stored.
void closeOnQuitSignals(frmMain &window);

} // namespace Platform
