// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/decodestop.h"
#include "picture/pictureloader.h"

#include <QFuture>
#include <QSize>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class QThreadPool;

// Decodes the pictures a caller is about to ask for, in order, on a pool's
// threads, a few items ahead of the caller. Results are kept only until they
// are taken. Used from one thread only; never waits for a decode itself.
class PicturePrefetcher
{
public:
    static constexpr int DefaultLookahead = 8;
    using Loader = LoadedPicture (*)(const QString &path, const QSize &targetDevicePixels, const DecodeStop *stop);
    // The size, in device pixels, to decode item `index` to.
    using TargetOf = std::function<QSize(int index)>;

    // predictedPaths are the files the caller expects to take, by index; each
    // is read with `loader`. The pool must outlive every decode started here.
    PicturePrefetcher(QThreadPool *pool, const QStringList &predictedPaths, const QSize &targetDevicePixels,
                      int lookahead = DefaultLookahead, Loader loader = &loadPicture);
    // Each item to a size of its own.
    PicturePrefetcher(QThreadPool *pool, const QStringList &predictedPaths, TargetOf targetOf, int lookahead,
                      Loader loader);
    // Drops the work that has not started and stops what runs.
    ~PicturePrefetcher();

    PicturePrefetcher(const PicturePrefetcher &) = delete;
    PicturePrefetcher &operator=(const PicturePrefetcher &) = delete;

    // The decode of actualPath for item index: the one started ahead when the
    // prediction for index names the same path, otherwise a new one, put
    // before the look-ahead. Afterwards the items index + 1 to index +
    // lookahead are being decoded.
    QFuture<LoadedPicture> take(int index, const QString &actualPath);

    // Drops every decode that has not started, stops those running at
    // their next read, and starts no more: the caller has been superseded.
    void cancel();

    // Decodes that have begun in this process, for tests and benchmarks.
    static quint64 decodesStarted();

private:
    void dropThrough(int index);
    void scheduleAfter(int index);
    QFuture<LoadedPicture> start(int index, const QString &path, int priority);

    QThreadPool *m_pool;
    QStringList m_paths;
    TargetOf m_targetOf;
    int m_lookahead = DefaultLookahead;
    Loader m_loader = &loadPicture;
    int m_nextToSchedule = 0;
    bool m_cancelled = false;
    std::map<int, QFuture<LoadedPicture>> m_pending;
    // Shared with the decodes, which may run on after this object is gone.
    std::shared_ptr<DecodeStop> m_stop = std::make_shared<DecodeStop>();
};
