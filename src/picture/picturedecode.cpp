// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picturedecode.h"

#include "picture/decodestop.h"
#include "picture/jpegbounds.h"
#include "picture/pngbounds.h"
#include "picture/thumbnailsources.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileDevice>
#include <QImageIOHandler>
#include <QImageReader>

namespace PictureDecode {
namespace {

Picture failure(const QString &reason, bool recordable, const QSize &upright = QSize())
{
    return Picture{QImage(), reason, recordable, upright};
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

} // namespace

QString notDecoded()
{
    return QCoreApplication::translate("PictureLoader", "The picture could not be decoded.");
}

Picture decodePicture(QIODevice &file, const QSize &targetDevicePixels, bool cacheSized)
{
    const bool jpeg = JpegBounds::isJpeg(file.peek(2));
    if (jpeg && file.size() > DecodeLimits::MaxReadBytes)
        return failure(DecodeLimits::tooLarge(), true);
    // A JPEG's markers tell before decoding what the decoder would need;
    // a file that would take too long or too much memory is refused here.
    QByteArray bytes;
    QBuffer buffer;
    QIODevice *source = &file;
    qint64 frames = 1;
    if (jpeg) {
        // A JPEG file is read whole, which costs far less than decoding it.
        bytes = file.readAll();
        const auto *opened = qobject_cast<QFileDevice *>(&file);
        if (opened ? opened->error() != QFileDevice::NoError : bytes.size() < file.size())
            return failure(file.errorString(), false);
        const QString refusal = JpegBounds::refusal(JpegBounds::layoutOf(bytes), targetDevicePixels);
        if (!refusal.isEmpty())
            return failure(refusal, true);
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        source = &buffer;
    } else if (PngBounds::isPng(file.peek(8))) {
        // Whatever the name says: the reader goes by the content.
        const PngLayout layout = PngBounds::layoutOf(file);
        const QString refusal = PngBounds::refusal(layout);
        if (!refusal.isEmpty())
            return failure(refusal, true);
        frames = layout.frames;
    }

    StoppableDevice stoppable(source, nullptr);
    QImageReader reader(&stoppable);
    reader.setAutoTransform(true);

    // The decoder scales the picture as stored, before it is turned upright,
    // and stretches to exactly the size it is given.
    const QSize stored = reader.size();
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;
    const QSize decodeTarget = cacheSized ? ThumbnailSources::cacheDecodeTarget(upright, targetDevicePixels)
                                          : targetDevicePixels;
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
    if (stoppable.overspent())
        return failure(DecodeLimits::tooLarge(), true, upright);
    if (!decoded) {
        if (!decoderScales && exceedsAllocationLimit(stored, reader.imageFormat())) {
            return failure(QCoreApplication::translate(
                "PictureLoader", "The picture is too large to load (%1 × %2 pixels)")
                    .arg(stored.width()).arg(stored.height()), true, upright);
        }
        // A format no installed decoder reads may be read once its plugin
        // is installed: only a picture its decoder found broken is recorded.
        const QString said = reader.errorString();
        return failure(said.isEmpty() ? notDecoded() : said, reader.error() == QImageReader::InvalidDataError,
                       upright);
    }
    // Some decoders say they read a picture and give none.
    if (image.isNull())
        return failure(notDecoded(), true, upright);

    if (!decoderScales) {
        const QSize cover = coverSize(image.size(), decodeTarget);
        if (cover.isValid())
            image = image.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return Picture{image, QString(), false, upright.isEmpty() ? image.size() : upright};
}

QImage firstLook(const QByteArray &head, const QSize &target)
{
    if (head.isEmpty())
        return QImage();
    QByteArray bytes = head;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The picture's size from its frame header, usually within the head. A
    // frame header beyond the head is left to the decode: finding it would
    // mean reading a file of any size here.
    const QSize stored = QImageReader(&buffer, "jpeg").size();
    return ThumbnailSources::exifThumbnail(head, stored, target);
}

QImage cacheEntry(const QByteArray &png)
{
    QByteArray bytes = png;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

} // namespace PictureDecode
