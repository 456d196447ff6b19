// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What a JPEG file's markers promise its decoder will need, read before any
// decoding starts.
struct JpegLayout
{
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    int scans = 0;
    // The decoder keeps every coefficient of the picture in memory when the
    // picture comes in more than one scan (always so when progressive).
    bool buffered = false;
    qint64 coefficientBytes = 0;
};

namespace JpegBounds {

// A progressive picture of a camera has about ten scans.
constexpr int MaxScans = 100;
// Coefficient memory of a 40-megapixel 4:4:4 progressive photo, with room.
constexpr qint64 MaxCoefficientBytes = qint64(256) * 1024 * 1024;
// Even in one scan, decoding takes time in proportion to the stated size.
constexpr qint64 MaxPixels = qint64(16384) * 16384;

bool isJpeg(const QByteArray &bytes);
// Walks the markers of a JPEG file, stopping early once MaxScans is passed.
JpegLayout layoutOf(const QByteArray &bytes);
// Why the decoder must not be given this file, or an empty string.
QString refusal(const JpegLayout &layout);

} // namespace JpegBounds
