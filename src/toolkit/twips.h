// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <cmath>

// The window's layout is designed in twips. Qt works in logical pixels and
// applies the screen's device-pixel ratio itself, so 15 twips to the logical
// pixel keeps the layout right on high-DPI screens too. A user who asks for
// larger text gets the layout larger by the same ratio (scale()), as a
// higher DPI would give it.
namespace Twips {

inline constexpr int perPixel = 15;

namespace Detail {
inline double scale = 1.0;
}

// Logical pixels per designed pixel; 1 unless the window asked for more.
inline double scale()
{
    return Detail::scale;
}

// Values below 1 and non-finite ones give 1: the layout never shrinks.
inline void setScale(double factor)
{
    Detail::scale = std::isfinite(factor) && factor > 1.0 ? factor : 1.0;
}

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips * scale() / perPixel));
}

inline double fromPixels(int pixels)
{
    return static_cast<double>(pixels) * perPixel / scale();
}

inline QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Where a control lies in a container `containerWidth` pixels wide, from
// where the layout puts it left to right (`designed`, in pixels): there, or,
// right to left, mirrored across the container. The mirror is taken in whole
// pixels, so controls that meet or overlap left to right meet or overlap alike
// right to left; mirroring a placed rectangle gives the designed one back.
inline QRect placed(const QRect &designed, Qt::LayoutDirection direction, int containerWidth)
{
    if (direction != Qt::RightToLeft)
        return designed;
    return QRect(containerWidth - designed.x() - designed.width(), designed.y(), designed.width(), designed.height());
}

} // namespace Twips
