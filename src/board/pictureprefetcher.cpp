// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/pictureprefetcher.h"

#include <QThreadPool>
#include <QtConcurrent/qtconcurrenttask.h>

#include <atomic>
#include <utility>

namespace {

std::atomic<quint64> startedDecodes{0};

LoadedPicture countedLoad(PicturePrefetcher::Loader loader, const QString &path, const QSize &target,
                          const std::shared_ptr<DecodeStop> &stop)
{
    startedDecodes.fetch_add(1, std::memory_order_relaxed);
    return loader(path, target, stop.get());
}

} // namespace

PicturePrefetcher::PicturePrefetcher(QThreadPool *pool, const QStringList &predictedPaths,
                                     const QSize &targetDevicePixels, int lookahead, Loader loader)
    : PicturePrefetcher(pool, predictedPaths, [targetDevicePixels](int) { return targetDevicePixels; }, lookahead,
                        loader)
{
}

PicturePrefetcher::PicturePrefetcher(QThreadPool *pool, const QStringList &predictedPaths, TargetOf targetOf,
                                     int lookahead, Loader loader)
    : m_pool(pool)
    , m_paths(predictedPaths)
    , m_targetOf(std::move(targetOf))
    , m_lookahead(qMax(lookahead, 0))
    , m_loader(loader)
{
    scheduleAfter(-1);
}

PicturePrefetcher::~PicturePrefetcher()
{
    cancel();
}

quint64 PicturePrefetcher::decodesStarted()
{
    return startedDecodes.load(std::memory_order_relaxed);
}

void PicturePrefetcher::cancel()
{
    m_cancelled = true;
    m_stop->request();
    // A cancelled task that has not started returns at once when its turn comes.
    for (auto &entry : m_pending)
        entry.second.cancel();
    m_pending.clear();
}

QFuture<LoadedPicture> PicturePrefetcher::start(int index, const QString &path, int priority)
{
    return QtConcurrent::task(&countedLoad).withArguments(m_loader, path, m_targetOf(index), m_stop)
        .onThreadPool(*m_pool).withPriority(priority).spawn();
}

QFuture<LoadedPicture> PicturePrefetcher::take(int index, const QString &actualPath)
{
    QFuture<LoadedPicture> ahead;
    const auto found = m_pending.find(index);
    if (found != m_pending.end()) {
        ahead = found->second;
        m_pending.erase(found);
    }
    dropThrough(index);

    const bool predicted = index >= 0 && index < m_paths.size() && m_paths.at(index) == actualPath;
    if (!predicted || !ahead.isValid()) {
        ahead.cancel();
        // The caller waits for this one: it goes before the look-ahead.
        ahead = start(index, actualPath, 1);
    }
    // Later items are queued as well, so the workers stay busy meanwhile.
    scheduleAfter(index);
    return ahead;
}

void PicturePrefetcher::dropThrough(int index)
{
    // Items the caller skipped are not wanted any more.
    auto end = m_pending.upper_bound(index);
    for (auto it = m_pending.begin(); it != end; ++it)
        it->second.cancel();
    m_pending.erase(m_pending.begin(), end);
}

void PicturePrefetcher::scheduleAfter(int index)
{
    if (m_cancelled)
        return;
    m_nextToSchedule = qMax(m_nextToSchedule, index + 1);
    const qint64 windowEnd = qMin<qint64>(qint64(index) + 1 + m_lookahead, m_paths.size());
    while (m_nextToSchedule < windowEnd) {
        const int item = m_nextToSchedule++;
        m_pending.emplace(item, start(item, m_paths.at(item), 0));
    }
}
