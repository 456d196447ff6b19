// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/displayprobe.h"

namespace Platform {

// Without X11 or Wayland there is no display server to miss: a Windows
// session always has its desktop.
std::optional<QStringList> unreachableDisplays(const QString &, const QString &)
{
    return std::nullopt;
}

} // namespace Platform
