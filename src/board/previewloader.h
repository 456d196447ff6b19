// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/pictureloader.h"

#include <optional>

// Decodes the picture at path on a worker thread and answers window events
// until it is done. A handler that runs meanwhile may ask for another
// preview; once one has, this call's picture is stale and comes back empty,
// after the newer call has returned.
std::optional<LoadedPicture> loadNewestPreview(const QString &path, const QSize &targetDevicePixels);
