#pragma once

#include "board/pictureloader.h"

#include <QFuture>
#include <QSize>
#include <QStringList>
#include <QThreadPool>

#include <map>

// Decodes the pictures a caller is about to ask for, in order, on worker
// threads, a few items ahead of the caller. Results are kept only until they
// are taken; nothing outlives the prefetcher. Used from one thread only.
class PicturePrefetcher
{
public:
    static constexpr int DefaultLookahead = 8;

    // predictedPaths are the files the caller expects to take, by index.
    PicturePrefetcher(const QStringList &predictedPaths, const QSize &targetDevicePixels,
                      int lookahead = DefaultLookahead);
    // Drops the work that has not started and waits for the decodes that are
    // running (short, as they are decoded small).
    ~PicturePrefetcher();

    PicturePrefetcher(const PicturePrefetcher &) = delete;
    PicturePrefetcher &operator=(const PicturePrefetcher &) = delete;

    // The picture at actualPath for item index. When the prediction for index
    // names the same path, the decode started ahead is used (waiting for it if
    // it is still running); otherwise actualPath is decoded here and now.
    // Afterwards the items index + 1 to index + lookahead are being decoded.
    LoadedPicture take(int index, const QString &actualPath);

private:
    void dropThrough(int index);
    void scheduleAfter(int index);

    QThreadPool m_pool;
    QStringList m_paths;
    QSize m_target;
    int m_lookahead = DefaultLookahead;
    int m_nextToSchedule = 0;
    std::map<int, QFuture<LoadedPicture>> m_pending;
};
