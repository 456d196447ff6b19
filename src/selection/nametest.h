// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Selection {

// The preview's picture test: the name's last three characters (the whole
// name when shorter) must occur, without regard to case, somewhere in
// "jpg, gif, bmp". It tests for a piece of that text, so "if," and ", b"
// pass as well as "JPG".
bool passesPictureNameTest(const QString &name);

} // namespace Selection
