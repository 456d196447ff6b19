// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>
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
    // What entropy decoding costs, however small the output: every scan
    // goes over all the blocks it covers, whatever the scale.
    qint64 scanNanoseconds = 0;
};

namespace JpegBounds {

// A progressive picture of a camera has about ten scans.
constexpr int MaxScans = 100;
// Coefficient memory of a 40-megapixel 4:4:4 progressive photo, with room.
constexpr qint64 MaxCoefficientBytes = qint64(256) * 1024 * 1024;
// Even in one scan, decoding takes time in proportion to the stated size.
constexpr qint64 MaxPixels = qint64(16384) * 16384;
// The longest a decode may take, estimated before it starts: a second of one
// core of the two-core machine the costs below were measured on. A 50 MP
// camera photo takes about 0.15 s baseline and 0.7 s progressive.
constexpr qint64 MaxDecodeNanoseconds = 1000 * 1000 * 1000;

// Costs of libjpeg-turbo 2.1 on that machine. Each scan visits every block
// it covers, even when a run of empty blocks codes them in a few bits; a
// refining AC scan also looks at every coefficient of its band in each
// block. Coded bytes cost the Huffman decoder, far more in a progressive
// file. Decoded pixels, at the scale the decoder is asked for, cost least.
constexpr qint64 ScanBlockPicoseconds = 12000;
constexpr qint64 RefinedCoefficientPicoseconds = 600;
constexpr qint64 ProgressiveBytePicoseconds = 32000;
constexpr qint64 SequentialBytePicoseconds = 10000;
constexpr qint64 OutputPixelPicoseconds = 3000;

bool isJpeg(const QByteArray &bytes);
// Walks the markers of a JPEG file, stopping early once MaxScans is passed.
JpegLayout layoutOf(const QByteArray &bytes);
// The estimated decode time when the picture is decoded to cover target
// (scaled by 1/2, 1/4 or 1/8 while decoding); in full for an empty target.
qint64 decodeNanoseconds(const JpegLayout &layout, const QSize &targetDevicePixels = QSize());
// Why the decoder must not be given this file, or an empty string.
QString refusal(const JpegLayout &layout, const QSize &targetDevicePixels = QSize());

} // namespace JpegBounds
