// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/previewloader.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

std::optional<LoadedPicture> loadNewestPreview(const QString &path, const QSize &targetDevicePixels)
{
    static quint64 newest = 0;
    const quint64 mine = ++newest;

    const QFuture<LoadedPicture> decoding = QtConcurrent::run(loadPicture, path, targetDevicePixels);
    QEventLoop loop;
    QFutureWatcher<LoadedPicture> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(decoding);
    if (!decoding.isFinished())
        loop.exec();
    if (mine != newest)
        return std::nullopt;
    return decoding.result();
}
