// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace Toolkit {

// A count of the keys, mouse buttons, wheel turns and touches the user has
// given any window of the program so far. Work that ends in the background
// compares two counts to learn whether the user has gone on working since
// it began: a modal box that appears then would take the keys meant for
// somewhere else. Counting starts at the first call.
quint64 userInputCount();

} // namespace Toolkit
