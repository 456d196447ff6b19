#include "board/pictureprefetcher.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

PicturePrefetcher::PicturePrefetcher(const QStringList &predictedPaths,
                                     const QSize &targetDevicePixels, int lookahead)
    : m_paths(predictedPaths)
    , m_target(targetDevicePixels)
    , m_lookahead(qMax(lookahead, 0))
{
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
    scheduleAfter(-1);
}

PicturePrefetcher::~PicturePrefetcher()
{
    // A cancelled task that has not started returns at once when its turn comes.
    for (auto &entry : m_pending)
        entry.second.cancel();
    m_pending.clear();
    m_pool.waitForDone();
}

LoadedPicture PicturePrefetcher::take(int index, const QString &actualPath)
{
    QFuture<LoadedPicture> ahead;
    const auto found = m_pending.find(index);
    if (found != m_pending.end()) {
        ahead = found->second;
        m_pending.erase(found);
    }
    dropThrough(index);
    // Later items are queued before waiting, so the workers stay busy meanwhile.
    scheduleAfter(index);

    const bool predicted = index >= 0 && index < m_paths.size() && m_paths.at(index) == actualPath;
    if (predicted && ahead.isValid())
        return ahead.result();
    ahead.cancel();
    return loadPicture(actualPath, m_target);
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
    m_nextToSchedule = qMax(m_nextToSchedule, index + 1);
    const qint64 windowEnd = qMin<qint64>(qint64(index) + 1 + m_lookahead, m_paths.size());
    while (m_nextToSchedule < windowEnd) {
        const int item = m_nextToSchedule++;
        m_pending.emplace(item, QtConcurrent::run(&m_pool, loadPicture, m_paths.at(item), m_target));
    }
}
