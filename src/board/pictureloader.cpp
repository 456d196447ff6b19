// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/pictureloader.h"

#include "board/decodestop.h"
#include "board/jpegbounds.h"
#include "board/picturefile.h"
#include "board/pngbounds.h"
#include "board/thumbnailsources.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

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

// The smallest size with the aspect of source that covers target, or an
// invalid size when covering target would need no shrinking at all.
QSize coverSize(const QSize &source, const QSize &target)
{
    if (source.isEmpty() || target.isEmpty())
        return QSize();
    const qint64 sw = source.width(), sh = source.height();
    const qint64 tw = target.width(), th = target.height();
    QSize cover;
    // Compare the two scale factors th/sh and tw/sw without rounding.
    if (th * sw >= tw * sh)
        cover = QSize(int((sw * th + sh - 1) / sh), int(th));
    else
        cover = QSize(int(tw), int((sh * tw + sw - 1) / sw));
    if (cover.width() >= source.width() || cover.height() >= source.height())
        return QSize();
    return cover;
}

// Qt rejects a picture over the allocation limit with a generic read error;
// say so plainly when the stated size explains the failure.
bool exceedsAllocationLimit(const QSize &size, QImage::Format format)
{
    const int limitMegabytes = QImageReader::allocationLimit();
    if (limitMegabytes <= 0 || size.isEmpty())
        return false;
    const int bits = format == QImage::Format_Invalid
        ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 bytes = qint64(size.width()) * size.height() * bits / 8;
    return bytes > qint64(limitMegabytes) * 1024 * 1024;
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
        if (QImage embedded = ThumbnailSources::embeddedThumbnail(file, targetDevicePixels); !embedded.isNull())
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
    const auto recorded = [&](const QString &reason) {
        if (!targetDevicePixels.isEmpty() && file.error() == QFileDevice::NoError && unchanged())
            ThumbnailSources::storeFailure(path, reason, &opened);
        return failure(reason);
    };

    // A JPEG's markers tell before decoding what the decoder would need;
    // a file that would take too long or too much memory is refused here.
    QByteArray bytes;
    QBuffer buffer;
    QIODevice *source = &file;
    qint64 frames = 1;
    if (jpeg) {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return failure(file.errorString());
        const QString refusal = JpegBounds::refusal(JpegBounds::layoutOf(bytes), targetDevicePixels);
        if (!refusal.isEmpty())
            return recorded(refusal);
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        source = &buffer;
    } else if (PngBounds::isPng(file.peek(8))) {
        // Whatever the name says: the reader goes by the content.
        const PngLayout layout = PngBounds::layoutOf(file);
        const QString refusal = PngBounds::refusal(layout);
        if (!refusal.isEmpty())
            return recorded(refusal);
        frames = layout.frames;
    }

    StoppableDevice stoppable(source, stop);
    QImageReader reader(&stoppable);
    reader.setAutoTransform(true);

    // The decoder scales the picture as stored, before it is turned upright,
    // and stretches to exactly the size it is given.
    const QSize stored = reader.size();
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;
    const QSize decodeTarget = ThumbnailSources::decodeTarget(path, upright, targetDevicePixels);
    const QSize decodeSize = coverSize(upright, decodeTarget);
    const bool decoderScales = decodeSize.isValid()
        && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (decoderScales)
        reader.setScaledSize(turned ? decodeSize.transposed() : decodeSize);
    // What the stated size needs bounds what the decoder reads, in every
    // format; an animation's frames may each need as much.
    if (!stored.isEmpty())
        stoppable.limitReads(DecodeLimits::readBudget(stored, qMax<qint64>(frames, reader.imageCount())));

    QImage image;
    const bool decoded = reader.read(&image);
    // A decoder whose reads failed may still return a picture, grey past
    // the point where it stopped; whatever its size, the file is recorded.
    if (stoppable.stopRequested())
        return stopped();
    if (stoppable.overspent())
        return recorded(DecodeLimits::tooLarge());
    if (!decoded) {
        if (!decoderScales && exceedsAllocationLimit(stored, reader.imageFormat())) {
            return recorded(QCoreApplication::translate(
                "PictureLoader", "The picture is too large to load (%1 × %2 pixels)")
                    .arg(stored.width()).arg(stored.height()));
        }
        // A format no installed decoder reads may be read once its plugin
        // is installed: only a picture its decoder found broken is recorded.
        if (reader.error() != QImageReader::InvalidDataError)
            return failure(reader.errorString());
        return recorded(reader.errorString());
    }

    if (!decoderScales) {
        const QSize cover = coverSize(image.size(), decodeTarget);
        if (cover.isValid())
            image = image.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (stoppable.stopRequested())
        return stopped();
    // A picture still being copied in may decode half grey; only a file that
    // stayed the same while it was read is worth a cached thumbnail.
    return LoadedPicture{
        ThumbnailSources::afterDecode(path, image, upright, targetDevicePixels, unchanged(), &opened), QString()};
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
