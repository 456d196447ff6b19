// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/slotgeometry.h"

#include <algorithm>
#include <cmath>

namespace Board {

SlotPlacement placeSlot(int n, const TwipsRect &templateRect)
{
    SlotPlacement place;
    place.row = rowOf(n);
    place.column = (n - 1) % columns;
    place.top = static_cast<float>(place.row) * templateRect.height + templateRect.top;
    place.left = static_cast<float>(place.column) * templateRect.width + templateRect.left;
    return place;
}

float frameTopForScroll(int position, float templateHeight)
{
    return static_cast<float>(position) * templateHeight * -1.0f;
}

float boardFrameHeight(int slotCount, const TwipsRect &templateRect)
{
    const float designed = designedFrameHeight * frameHeightFactor;
    if (slotCount <= 0)
        return designed;
    const SlotPlacement last = placeSlot(slotCount, templateRect);
    return std::max(designed, last.top + templateRect.height + templateRect.top);
}

RowSpan rowsAround(int position, float viewportHeight, float rowHeight, int screens)
{
    const int shown = rowHeight > 0 ? std::max(1, static_cast<int>(std::ceil(viewportHeight / rowHeight))) : 1;
    const int margin = shown * std::max(screens, 0);
    return RowSpan{std::max(0, position - margin), position + shown - 1 + margin};
}

} // namespace Board
