#include "board/pictureloader.h"
#include "board/thumbnailsources.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

namespace {

LoadedPicture failure(const QString &reason)
{
    return LoadedPicture{QImage(), reason};
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

LoadedPicture loadPicture(const QString &path, const QSize &targetDevicePixels)
{
    if (QImage known = ThumbnailSources::knownThumbnail(path, targetDevicePixels); !known.isNull())
        return LoadedPicture{known, QString()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    if (file.size() == 0)
        return failure(QCoreApplication::translate("PictureLoader", "The file is empty"));

    QImageReader reader(&file);
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

    QImage image;
    if (!reader.read(&image)) {
        if (!decoderScales && exceedsAllocationLimit(stored, reader.imageFormat())) {
            return failure(QCoreApplication::translate(
                "PictureLoader", "The picture is too large to load (%1 × %2 pixels)")
                    .arg(stored.width()).arg(stored.height()));
        }
        return failure(reader.errorString());
    }

    if (!decoderScales) {
        const QSize cover = coverSize(image.size(), decodeTarget);
        if (cover.isValid())
            image = image.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return LoadedPicture{ThumbnailSources::afterDecode(path, image, upright, targetDevicePixels), QString()};
}
