// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/decodestop.h"
#include "picture/pictureloader.h"

#include <QFuture>
#include <QThreadPool>

#include <functional>

class QObject;

// Decodes the pictures picked for the preview, one at a time on a thread of
// its own, and hands each to the window when it is done; nothing waits for
// it. Only the newest pick is wanted: a pick drops the decode that was
// waiting for its turn, so at most one older decode, the one already
// running, holds up the newest, and an older picture is never handed over
// once a newer one was asked for.
class PreviewLoader
{
public:
    using Shown = std::function<void(const LoadedPicture &)>;

    PreviewLoader();
    // Drops what waits and stops what runs, then waits for the thread, which
    // a stopped decode leaves at its next read.
    ~PreviewLoader();

    PreviewLoader(const PreviewLoader &) = delete;
    PreviewLoader &operator=(const PreviewLoader &) = delete;

    // Decodes the picture at path and gives it to `shown` on context's
    // thread, unless another load was asked for before it was done.
    void load(const QString &path, const QSize &targetDevicePixels, QObject *context, Shown shown);
    // The newest load has not handed over its picture yet.
    bool pending() const { return m_pending; }

    // Preview decodes that have begun in this process, for tests and benchmarks.
    static quint64 decodesStarted();

private:
    QThreadPool m_pool;
    DecodeStop m_stop;
    quint64 m_newest = 0;
    bool m_pending = false;
    QFuture<LoadedPicture> m_latest;
};
