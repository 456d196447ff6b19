// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF thumbnail of a JPEG's first bytes, for a slot and a picture size.
//
// Bytes 0 and 1 give the slot (1 to 256 pixels each way), byte 2 the picture
// as stored (bit 0: 3000 x 4000 instead of 4000 x 3000); the rest is the head
// of the file, SOI and EXIF block first.
//
// Whatever the bytes, a thumbnail that comes back covers the slot with at
// most 5% enlargement and has the picture's shape, turned or not.

#include "fuzzinput.h"
#include "picture/thumbnailsources.h"

namespace {

constexpr size_t MaxInput = 70 * 1024;

QString text(const QSize &size)
{
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3 || size > MaxInput)
        return -1;
    const QSize target(1 + data[0], 1 + data[1]);
    const QSize picture = data[2] & 1 ? QSize(3000, 4000) : QSize(4000, 3000);
    const QByteArray head(reinterpret_cast<const char *>(data) + 3, qsizetype(size - 3));

    const QImage image = ThumbnailSources::exifThumbnail(head, picture, target);
    if (image.isNull())
        return 0;
    const qint64 w = image.width(), h = image.height();
    FUZZ_CHECK(100 * qint64(target.width()) <= 105 * w && 100 * qint64(target.height()) <= 105 * h,
               {"target", text(target)}, {"thumbnail", text(image.size())});
    // The picture is 4:3 either way up; the thumbnail keeps that shape
    // within 2%, give or take the pixel that shrinking may round off.
    const double longSide = double(qMax(w, h)), shortSide = double(qMin(w, h));
    const double least = (longSide - 1) / (shortSide + 1), most = (longSide + 1) / qMax(shortSide - 1, 0.5);
    FUZZ_CHECK(least <= 4.0 / 3 * 1.02 && most >= 4.0 / 3 * 0.98, {"target", text(target)},
               {"thumbnail", text(image.size())}, {"picture", text(picture)});
    return 0;
}
