// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/decodestop.h"
#include "board/pictureloader.h"

#include <QFuture>
#include <QThreadPool>

#include <optional>

// Decodes the pictures picked for the preview, one at a time on a thread of
// its own. Only the newest pick is wanted: a pick drops the decode that was
// waiting for its turn, so at most one older decode, the one already
// running, holds up the newest.
class PreviewLoader
{
public:
    PreviewLoader();
    // Drops what waits and stops what runs, then waits for the thread, which
    // a stopped decode leaves at its next read.
    ~PreviewLoader();

    PreviewLoader(const PreviewLoader &) = delete;
    PreviewLoader &operator=(const PreviewLoader &) = delete;

    // Decodes the picture at path and answers window events until it is
    // done. A handler that runs meanwhile may ask for another preview; once
    // one has, this call's picture is stale and comes back empty, after the
    // newer call has returned. Also empty when the event loop is left
    // before the decode ended: the program is ending.
    std::optional<LoadedPicture> loadNewest(const QString &path, const QSize &targetDevicePixels);

    // Preview decodes that have begun in this process, for tests and benchmarks.
    static quint64 decodesStarted();

private:
    QThreadPool m_pool;
    DecodeStop m_stop;
    quint64 m_newest = 0;
    QFuture<LoadedPicture> m_latest;
};
