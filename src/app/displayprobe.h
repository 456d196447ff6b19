// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Platform {

// What keeps the window system that Qt would open from starting, where Qt
// would only abort: no display named (over SSH), or one named that cannot be
// reached (no server there, a forwarded socket that is gone). Empty when
// some platform of the ones Qt tries in turn can start. platformArgument and
// displayArgument are the -platform and -display options' values, if any.
QString displayProblem(const QString &platformArgument, const QString &displayArgument);

} // namespace Platform
