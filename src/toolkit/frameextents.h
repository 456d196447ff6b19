// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

#include <optional>

class QWidget;

namespace Toolkit {

// The frame that the window manager will put around a window that is not
// shown yet, in logical pixels, asked through _NET_REQUEST_FRAME_EXTENTS.
// Nothing when the platform is not X11, the window manager does not offer
// the request, or it does not answer within a moment. Creates the window's
// native window.
std::optional<QMargins> announcedFrameMargins(QWidget &window);

// A window's outer frame and its screen as the system has them, in the
// screen's own pixels: after the limits the system puts on a window's size
// (Windows keeps a window within its screen plus its frame) and with the
// frame it really draws, which Qt's own reckoning may miss by a few pixels.
struct SystemFrame
{
    QRect frame;
    QRect screen;
};

// The frame of a window not shown yet, where the system tells it; nothing
// elsewhere. Creates the window's native window.
std::optional<SystemFrame> systemFrame(QWidget &window);

// Moves the window's outer frame to topLeft, in the screen's own pixels.
void moveSystemFrame(QWidget &window, const QPoint &topLeft);

} // namespace Toolkit
