// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/displayprobe.h"

namespace Platform {

// Without X11 or Wayland there is no display server to miss: a Windows
// session always has its desktop.
QString displayProblem(const QString &, const QString &)
{
    return QString();
}

} // namespace Platform
