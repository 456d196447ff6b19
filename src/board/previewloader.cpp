// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/previewloader.h"

#include "toolkit/storagewait.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>

namespace {

std::atomic<quint64> startedDecodes{0};

} // namespace

PreviewLoader::PreviewLoader()
{
    m_pool.setMaxThreadCount(1);
}

PreviewLoader::~PreviewLoader()
{
    m_latest.cancel();
    m_stop.request();
    m_pool.waitForDone();
}

quint64 PreviewLoader::decodesStarted()
{
    return startedDecodes.load(std::memory_order_relaxed);
}

std::optional<LoadedPicture> PreviewLoader::loadNewest(const QString &path, const QSize &targetDevicePixels)
{
    const quint64 mine = ++m_newest;
    // The pick before this one is stale. If it still waits for the thread,
    // it never starts; if it runs, it ends on its own, and fills the
    // thumbnail cache.
    m_latest.cancel();
    const QFuture<LoadedPicture> decoding = QtConcurrent::run(&m_pool, [this, path, targetDevicePixels] {
        startedDecodes.fetch_add(1, std::memory_order_relaxed);
        return loadPicture(path, targetDevicePixels, &m_stop);
    });
    m_latest = decoding;

    // The window goes on answering, input included, while the picture is
    // decoded; a pick meanwhile makes this one stale.
    const auto latch = std::make_shared<Toolkit::WaitLatch>();
    QFutureWatcher<LoadedPicture> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, [latch] { latch->open(); });
    QObject::connect(&watcher, &QFutureWatcherBase::canceled, [latch] { latch->open(); });
    watcher.setFuture(decoding);
    if (!decoding.isFinished())
        Toolkit::waitFor(latch, -1, Toolkit::WaitInput::Answered);
    // A loop left with the decode unfinished means the application quits:
    // waiting here would hold up its end.
    if (mine != m_newest || !decoding.isFinished() || decoding.isCanceled())
        return std::nullopt;
    return decoding.result();
}
