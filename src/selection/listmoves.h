// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class SortedListBox;

namespace Selection {

// Moves every selected name of `source` to `destination`, where each takes
// its sorted place. Names that are not selected stay where they are.
void moveSelected(SortedListBox &source, SortedListBox &destination);

} // namespace Selection
