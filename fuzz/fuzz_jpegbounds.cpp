// SPDX-License-Identifier: GPL-3.0-or-later
// The walk over a JPEG file's markers, which runs on every JPEG before it is
// decoded, against the bounds it promises. The input is the file itself, not
// fields: the walk sees raw bytes.
//
// The walk must find the frame the decoder finds: wherever the decoder reads
// a header, the walk states the same size, or a file it misreads would go to
// the decoder unweighed.

#include "picture/jpegbounds.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The decoder complains of every broken file it is given.
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio.jpeg=false");
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const JpegLayout layout = JpegBounds::layoutOf(bytes);
    if (JpegBounds::isJpeg(bytes)) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        const QSize header = reader.size();
        if (header.isValid() && header != QSize(layout.width, layout.height)) {
            std::fprintf(stderr, "the decoder reads %d x %d, the walk %d x %d\n", header.width(), header.height(),
                         layout.width, layout.height);
            std::abort();
        }
    }
    // The walk stops at the first scan past the limit.
    if (layout.scans > JpegBounds::MaxScans + 1 || layout.coefficientBytes < 0 || layout.components > 255
        || layout.scanNanoseconds < 0)
        std::abort();
    // A larger output never costs less.
    const qint64 slotCost = JpegBounds::decodeNanoseconds(layout, QSize(125, 113));
    if (slotCost < layout.scanNanoseconds || JpegBounds::decodeNanoseconds(layout) < slotCost)
        std::abort();
    const bool refused = !JpegBounds::refusal(layout).isEmpty();
    const bool tooMuch = layout.scans > JpegBounds::MaxScans
        || (layout.buffered && layout.coefficientBytes > JpegBounds::MaxCoefficientBytes)
        || qint64(layout.width) * layout.height > JpegBounds::MaxPixels
        || JpegBounds::decodeNanoseconds(layout) > JpegBounds::MaxDecodeNanoseconds;
    if (refused != tooMuch)
        std::abort();
    return 0;
}
