// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class frmMain;

// The keys that let the road of one page be walked without a mouse. Each
// runs the handler that the matching click runs; no key has a meaning of
// its own.
namespace KeyRoad {

enum class Step { Previous, Same, Next };

// The slot that a step from `current` reaches on a board of `count` slots,
// or 0 when there is none: before the first slot, past the last, or nothing
// to stay on while no slot is described yet. A current slot that a shorter
// refresh removed steps back to the last slot there is.
int slotFor(Step step, int current, int count);

// The scroll position (one row a step) that shows `row` whole, when
// `wholeRows` rows fit the viewport; `position` itself when it already does.
int positionShowing(int row, int position, int wholeRows);

// In the description box, Page Down, Page Up and Enter click the next, the
// previous and the current thumbnail. Enter in the file list presses ">",
// Delete in the page list presses "<".
void install(frmMain &form);

} // namespace KeyRoad
