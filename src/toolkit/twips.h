// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// The window's layout is designed in twips. Qt works in logical pixels and
// applies the screen's device-pixel ratio itself, so a fixed 15 twips to the
// logical pixel keeps the layout right on high-DPI screens too.
namespace Twips {

inline constexpr int perPixel = 15;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel));
}

inline double fromPixels(int pixels)
{
    return static_cast<double>(pixels) * perPixel;
}

inline QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
