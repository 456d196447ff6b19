// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pictureloader.h"

#include "picture/decodestop.h"
#include "picture/jpegbounds.h"
#include "picture/picturefile.h"
#include "picture/thumbnailsources.h"
#include "picture/decoderpool.h"
#include "picture/picturedecode.h"

#include <QCoreApplication>
#include <QFile>

#include <optional>

namespace {

enum class LoadKind { Decode, FirstLook, UnlessCached };

// The picture file as this process holds it open while it is loaded.
struct OpenPicture
{
    QFile file;
    FileStamp opened;
    bool stamped = false;
};

// Where only the cache's answer is wanted, the file's attributes give it
// without opening the file: an open and a close are each a round trip to
// the server under Wine. Whatever else (no entry, a recorded failure, a
// file these cannot tell about) goes the usual way, and a file that cannot
// be read says so once it is loaded for showing.
std::optional<LoadedPicture> answerByAttributes(const QString &path, const QSize &target)
{
    FileStamp attributes;
    if (!sizeAndTimeOfPath(path, &attributes) || attributes.size <= 0)
        return std::nullopt;
    if (const QString failed = ThumbnailSources::recordedFailure(path, &attributes); !failed.isEmpty())
        return LoadedPicture::failed(failed);
    if (ThumbnailSources::hasCachedThumbnail(path, target, &attributes))
        return LoadedPicture::cached();
    return std::nullopt;
}

// Opens the file and stamps it as it is open: a second look at the path
// would cost an open each, and could see another file. Its size is asked
// of the stamp too: QFile asks the system at every call. Returns the error,
// or nothing.
QString openAndStamp(const QString &path, OpenPicture &picture)
{
    if (const QString error = openRegularFile(path, picture.file); !error.isEmpty())
        return error;
    picture.stamped = sizeAndTimeOfOpenFile(picture.file, &picture.opened);
    const qint64 size = picture.stamped ? picture.opened.size : picture.file.size();
    if (size == 0)
        return QCoreApplication::translate("PictureLoader", "The file is empty");
    return QString();
}

// The fail record's or the cache's answer for the open file, read before
// the picture itself: under Wine the first read of a file costs as much as
// opening it. Where only an answer is wanted, the entry the cache has is
// not decoded.
std::optional<LoadedPicture> answerFromCache(const QString &path, const QSize &target, LoadKind kind,
                                             const OpenPicture &picture)
{
    const FileStamp *read = picture.stamped ? &picture.opened : nullptr;
    // A picture that failed is not tried again until it changes.
    if (const QString failed = ThumbnailSources::recordedFailure(path, read); !failed.isEmpty())
        return LoadedPicture::failed(failed);
    if (kind == LoadKind::UnlessCached) {
        if (ThumbnailSources::hasCachedThumbnail(path, target, read))
            return LoadedPicture::cached();
    } else if (QImage cached = ThumbnailSources::cachedThumbnail(path, target, read); !cached.isNull()) {
        return LoadedPicture::decoded(cached);
    }
    return std::nullopt;
}

// Whether the file open is still the one at the path, as it was stamped
// when opened. The identity is asked for only now, of the file still open:
// it costs a question of its own on Windows, and a picture taken from the
// cache never needs it.
bool unchangedSinceOpened(const QString &path, OpenPicture &picture)
{
    FileStamp held, now;
    if (!picture.stamped || !stampOfOpenFile(picture.file, &held))
        return false;
    picture.opened.volume = held.volume;
    picture.opened.file = held.file;
    return held == picture.opened && stampOfPath(path, &now) && now == picture.opened;
}

// The decode itself runs in a decoding helper, which reads the file this
// process opened: whatever the bytes do to a decoder, they do it there. A
// failure about the picture's content is recorded, once the file is known
// not to have changed meanwhile: a picture still being copied in fails now
// and shows later. A full-size load may fail where a scaled one would not,
// so only a scaled load records.
LoadedPicture decodeAndStore(const QString &path, const QSize &target, OpenPicture &picture,
                             const DecodeStop *stop)
{
    DecodeJob::Job job;
    job.kind = DecodeJob::Kind::Picture;
    job.target = target;
    job.cacheSized = ThumbnailSources::takesDecodes(path);
    const DecodeJob::Answer answer = DecoderPool::run(job, WorkerProcess::nativeFileOf(picture.file), stop);
    if (answer.outcome == DecodeJob::Outcome::Stopped || DecodeStop::requested(stop))
        return LoadedPicture::stopped();
    if (answer.image.isNull()) {
        if (answer.recordable && !target.isEmpty() && unchangedSinceOpened(path, picture))
            ThumbnailSources::storeFailure(path, answer.error, &picture.opened);
        return LoadedPicture::failed(answer.error);
    }
    // A picture still being copied in may decode half grey; only a file that
    // stayed the same while it was read is worth a cached thumbnail.
    return LoadedPicture::decoded(ThumbnailSources::afterDecode(path, answer.image, answer.upright, target,
                                                                unchangedSinceOpened(path, picture),
                                                                &picture.opened));
}

LoadedPicture load(const QString &path, const QSize &target, LoadKind kind, const DecodeStop *stop)
{
    if (DecodeStop::requested(stop))
        return LoadedPicture::stopped();
    if (kind == LoadKind::UnlessCached) {
        if (std::optional<LoadedPicture> answer = answerByAttributes(path, target))
            return *answer;
    }
    OpenPicture picture;
    if (const QString error = openAndStamp(path, picture); !error.isEmpty())
        return LoadedPicture::failed(error);
    if (std::optional<LoadedPicture> answer = answerFromCache(path, target, kind, picture))
        return *answer;
    const bool jpeg = JpegBounds::isJpeg(picture.file.peek(2));
    // A JPEG file is read whole, which costs far less than decoding it.
    if (jpeg && (picture.stamped ? picture.opened.size : picture.file.size()) > DecodeLimits::MaxReadBytes)
        return LoadedPicture::failed(DecodeLimits::tooLarge());
    if (kind == LoadKind::FirstLook && jpeg) {
        DecodeJob::Job job;
        job.kind = DecodeJob::Kind::FirstLook;
        job.target = target;
        job.bytes = ThumbnailSources::exifHead(picture.file);
        if (QImage embedded = DecoderPool::run(job, -1, stop).image; !embedded.isNull())
            return LoadedPicture::firstLook(embedded);
    }
    return decodeAndStore(path, target, picture, stop);
}

} // namespace

LoadedPicture::LoadedPicture(Kind kind, const QImage &image, const QString &error)
    : m_kind(kind)
    , m_image(image)
    , m_error(error)
{
}

LoadedPicture::LoadedPicture() : LoadedPicture(stopped()) { }

LoadedPicture LoadedPicture::decoded(const QImage &image)
{
    return image.isNull() ? failed(QString()) : LoadedPicture(Kind::Decoded, image, QString());
}

LoadedPicture LoadedPicture::firstLook(const QImage &image)
{
    return image.isNull() ? failed(QString()) : LoadedPicture(Kind::FirstLook, image, QString());
}

LoadedPicture LoadedPicture::cached()
{
    return LoadedPicture(Kind::Cached, QImage(), QString());
}

LoadedPicture LoadedPicture::failed(const QString &reason)
{
    return LoadedPicture(Kind::Failed, QImage(), reason.isEmpty() ? PictureDecode::notDecoded() : reason);
}

LoadedPicture LoadedPicture::stopped()
{
    return LoadedPicture(Kind::Stopped, QImage(),
                         QCoreApplication::translate("PictureLoader", "The decode was stopped"));
}

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
