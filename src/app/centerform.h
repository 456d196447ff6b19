// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QSizeF>

#include <functional>

class QWidget;

namespace Module1 {

// Where a window of the given outer size goes on a screen of the given size,
// in twips: the difference rounded half to even to a 32-bit integer, then
// halved toward zero. Nothing is clamped.
int centeredOffset(float screenTwips, float windowTwips);

// Moves the window to the middle of the screen: Top, then Left, from its
// outer size, title bar and borders included, in one move. A window not yet
// shown takes the frame that the window manager announces; one that is not
// framed yet, without such an announcement, is centred again once its frame
// is known.
void CenterForm(QWidget &form);

// The factor, from 1 up to `wanted`, by which a window of `client` logical
// pixels at its designed size may grow so that CenterForm still puts it,
// with the frame its window manager will give it, inside the work area of
// its screen. Below 1 the window stays at its designed size, wherever that
// puts it.
double fittingScale(QWidget &form, double wanted, const QSize &client);

// The screen's size in twips, 15 to the pixel. Tests put their own screen,
// all of it free of panels, in its place; an empty function restores the
// real one. Returns the previous provider.
using ScreenSizeProvider = std::function<QSizeF()>;
ScreenSizeProvider setScreenSizeProvider(ScreenSizeProvider provider);

} // namespace Module1
