// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class frmMain;
class QString;

// What the process sets up around the window, as each platform needs it.
namespace Platform {

// Whether the window system the program is about to open needs a display
// server that the session does not name (over SSH), where Qt would only
// abort. platformArgument is the -platform option's value, if any.
bool missingDisplay(const QString &platformArgument);

// Before anything else runs.
void prepareProcess();

// A request to end the process from outside (SIGTERM, Ctrl+C) closes the
// window the way the user would, so the folder is still stored.
void closeOnQuitSignals(frmMain &window);

} // namespace Platform
