// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <optional>

namespace Platform {

// What keeps the window system that Qt would open from starting, where Qt
// would only abort: no display named (over SSH), or one named that cannot be
// reached (no server there, a forwarded socket that is gone). Nothing when
// some platform of the ones Qt tries in turn can start; else the displays
// named that cannot be reached, none when no display was named at all.
// platformArgument and displayArgument are the -platform and -display
// options' values, if any.
std::optional<QStringList> unreachableDisplays(const QString &platformArgument, const QString &displayArgument);

} // namespace Platform
