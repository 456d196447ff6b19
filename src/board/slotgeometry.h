// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Board geometry, in twips. Single precision, as the board's layout values
// have always been computed.
struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// Rows first to last of the board, both included; empty when last < first.
struct RowSpan
{
    int first = 0;
    int last = -1;

    bool contains(int row) const { return row >= first && row <= last; }
};

struct SlotPlacement
{
    int row = 0;
    int column = 0;
    float left = 0;
    float top = 0;
};

namespace Board {

inline constexpr int columns = 4;
inline constexpr float designedFrameHeight = 6375.0f;
inline constexpr int frameHeightFactor = 10;

// The row of slot n (from 1): (n - 1) div 4.
inline constexpr int rowOf(int n)
{
    return (n - 1) / columns;
}

// Where slot n (from 1) lies: row (n - 1) div 4, column (n - 1) mod 4, in
// steps of the template's size from the template's own place.
SlotPlacement placeSlot(int n, const TwipsRect &templateRect);

// The board frame's Top for scroll position p: one row per step.
float frameTopForScroll(int position, float templateHeight);

// The board frame's height for a board of `slotCount` slots: ten times the
// designed height, or more when that is what it takes for every row to fit.
float boardFrameHeight(int slotCount, const TwipsRect &templateRect);

// The rows that scroll position p shows in a viewport of that height, and
// `screens` viewports' worth of rows above and below them.
RowSpan rowsAround(int position, float viewportHeight, float rowHeight, int screens);

} // namespace Board
