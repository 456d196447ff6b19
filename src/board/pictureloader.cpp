// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/pictureloader.h"

#include "board/decodestop.h"
#include "board/jpegbounds.h"
#include "board/picturefile.h"
#include "board/thumbnailsources.h"
#include "picture/decoderpool.h"

#include <QCoreApplication>
#include <QFile>

namespace {

LoadedPicture failure(const QString &reason)
{
    return LoadedPicture{QImage(), reason};
}

LoadedPicture stopped()
{
    LoadedPicture answer = failure(QCoreApplication::translate("PictureLoader", "The decode was stopped"));
    answer.stopped = true;
    return answer;
}

// No pixels: the cache has the thumbnail, for when it is wanted.
LoadedPicture cacheAnswers()
{
    LoadedPicture answer;
    answer.cached = true;
    return answer;
}

enum class LoadKind { Decode, FirstLook, UnlessCached };

LoadedPicture load(const QString &path, const QSize &targetDevicePixels, LoadKind kind, const DecodeStop *stop)
{
    if (DecodeStop::requested(stop))
        return stopped();
    // Where only the cache's answer is wanted, the file's attributes give it
    // without opening the file: an open and a close are each a round trip to
    // the server under Wine. Whatever else (no entry, a recorded failure, a
    // file these cannot tell about) goes the usual way below, and a file
    // that cannot be read says so once it is loaded for showing.
    if (FileStamp attributes;
        kind == LoadKind::UnlessCached && sizeAndTimeOfPath(path, &attributes) && attributes.size > 0) {
        if (const QString failed = ThumbnailSources::recordedFailure(path, &attributes); !failed.isEmpty())
            return failure(failed);
        if (ThumbnailSources::hasCachedThumbnail(path, targetDevicePixels, &attributes))
            return cacheAnswers();
    }
    QFile file;
    const QString openError = openRegularFile(path, file);
    if (!openError.isEmpty())
        return failure(openError);
    // The file as it is open answers for the cache: a second look at the
    // path would cost an open each, and could see another file. Its size is
    // asked of the stamp too: QFile asks the system at every call.
    FileStamp opened;
    const bool stamped = sizeAndTimeOfOpenFile(file, &opened);
    const FileStamp *read = stamped ? &opened : nullptr;
    const qint64 size = stamped ? opened.size : file.size();
    if (size == 0)
        return failure(QCoreApplication::translate("PictureLoader", "The file is empty"));
    // A picture that failed is not tried again until it changes.
    if (const QString failed = ThumbnailSources::recordedFailure(path, read); !failed.isEmpty())
        return failure(failed);
    // The picture itself is read only when the cache cannot answer: under
    // Wine the first read of a file costs as much as opening it.
    // Where only an answer is wanted, the entry the cache has is not decoded.
    if (kind == LoadKind::UnlessCached) {
        if (ThumbnailSources::hasCachedThumbnail(path, targetDevicePixels, read))
            return cacheAnswers();
    } else if (QImage cached = ThumbnailSources::cachedThumbnail(path, targetDevicePixels, read); !cached.isNull()) {
        return LoadedPicture{cached, QString()};
    }
    const bool jpeg = JpegBounds::isJpeg(file.peek(2));
    // A JPEG file is read whole, which costs far less than decoding it.
    if (jpeg && size > DecodeLimits::MaxReadBytes)
        return failure(DecodeLimits::tooLarge());
    if (kind == LoadKind::FirstLook && jpeg) {
        DecodeJob::Job job;
        job.kind = DecodeJob::Kind::FirstLook;
        job.target = targetDevicePixels;
        job.bytes = ThumbnailSources::exifHead(file);
        if (QImage embedded = DecoderPool::run(job, -1, stop).image; !embedded.isNull())
            return LoadedPicture{embedded, QString(), true};
    }
    // A failure that is about the picture's content is recorded, once the
    // file is known not to have changed meanwhile: a picture still being
    // copied in fails now and shows later. A full-size load may fail where
    // a scaled one would not, so only a scaled load records.
    const auto unchanged = [&] {
        // The identity is asked for only now, of the file still open: it
        // costs a question of its own on Windows, and a picture taken from
        // the cache never needs it.
        FileStamp held, now;
        if (!stamped || !stampOfOpenFile(file, &held))
            return false;
        opened.volume = held.volume;
        opened.file = held.file;
        return held == opened && stampOfPath(path, &now) && now == opened;
    };

    // The decode itself runs in a decoding helper, which reads the file
    // this process opened: whatever the bytes do to a decoder, they do it
    // there.
    DecodeJob::Job job;
    job.kind = DecodeJob::Kind::Picture;
    job.target = targetDevicePixels;
    job.cacheSized = ThumbnailSources::takesDecodes(path);
    const DecodeJob::Answer answer = DecoderPool::run(job, WorkerProcess::nativeFileOf(file), stop);
    if (answer.outcome == DecodeJob::Outcome::Stopped || DecodeStop::requested(stop))
        return stopped();
    if (answer.image.isNull()) {
        if (answer.recordable && !targetDevicePixels.isEmpty() && unchanged())
            ThumbnailSources::storeFailure(path, answer.error, &opened);
        return failure(answer.error);
    }
    // A picture still being copied in may decode half grey; only a file that
    // stayed the same while it was read is worth a cached thumbnail.
    return LoadedPicture{ThumbnailSources::afterDecode(path, answer.image, answer.upright, targetDevicePixels,
                                                       unchanged(), &opened),
                         QString()};
}

} // namespace

LoadedPicture loadPicture(const QString &path, const QSize &targetDevicePixels, const DecodeStop *stop)
{
    return load(path, targetDevicePixels, LoadKind::Decode, stop);
}

LoadedPicture loadFirstLook(const QString &path, const QSize &targetDevicePixels, const DecodeStop *stop)
{
    return load(path, targetDevicePixels, LoadKind::FirstLook, stop);
}

LoadedPicture loadUnlessCached(const QString &path, const QSize &targetDevicePixels, const DecodeStop *stop)
{
    return load(path, targetDevicePixels, LoadKind::UnlessCached, stop);
}
