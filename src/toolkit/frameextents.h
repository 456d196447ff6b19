// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace Toolkit {

// The frame that the window manager will put around a window that is not
// shown yet, in logical pixels, asked through _NET_REQUEST_FRAME_EXTENTS.
// Nothing when the platform is not X11, the window manager does not offer
// the request, or it does not answer within a moment. Creates the window's
// native window.
std::optional<QMargins> announcedFrameMargins(QWidget &window);

} // namespace Toolkit
