// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/previewloader.h"

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

void PreviewLoader::load(const QString &path, const QSize &targetDevicePixels, QObject *context, Shown shown)
{
    const quint64 mine = ++m_newest;
    m_pending = true;
    // The pick before this one is stale. If it still waits for the thread,
    // it never starts; if it runs, it ends on its own, and fills the
    // thumbnail cache.
    m_latest.cancel();
    const QFuture<LoadedPicture> decoding = QtConcurrent::run(&m_pool, [this, path, targetDevicePixels] {
        startedDecodes.fetch_add(1, std::memory_order_relaxed);
        return loadPicture(path, targetDevicePixels, &m_stop);
    });
    m_latest = decoding;
    // The watcher goes with the context, so a window that closes first
    // gets nothing.
    auto *watcher = new QFutureWatcher<LoadedPicture>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context, [this, watcher, mine, shown] {
        watcher->deleteLater();
        if (mine != m_newest || watcher->future().isCanceled())
            return;
        m_pending = false;
        shown(watcher->result());
    });
    watcher->setFuture(decoding);
}
