// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/frameextents.h"

namespace Toolkit {

// The platform places its own frame and reports it once the window exists.
std::optional<QMargins> announcedFrameMargins(QWidget &)
{
    return std::nullopt;
}

std::optional<SystemFrame> systemFrame(QWidget &)
{
    return std::nullopt;
}

void moveSystemFrame(QWidget &, const QPoint &) {}

} // namespace Toolkit
