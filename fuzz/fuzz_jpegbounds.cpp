// SPDX-License-Identifier: GPL-3.0-or-later
// The walk over a JPEG file's markers, which runs on every JPEG before it is
// decoded, against the bounds it promises. The input is the file itself, not
// fields: the walk sees raw bytes.

#include "board/jpegbounds.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const JpegLayout layout = JpegBounds::layoutOf(bytes);
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
