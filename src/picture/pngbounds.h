// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// What a PNG file's chunks promise its decoder will need, read before any
// decoding starts.
struct PngLayout
{
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
    qint64 chunks = 0;
    // Ancillary chunks that the decoder keeps: texts, colour profiles and
    // EXIF, a compressed one as the bytes it inflates to. The decoder
    // inflates every compressed text and keeps it, so a few kilobytes can
    // cost megabytes.
    qint64 metadataBytes = 0;
    // What the decoder only reads through and checks the sums of: other
    // ancillary chunks (private data, chunks it does not know, an
    // animation's frames past the first), and image data beyond what the
    // stated frames could need even stored uncompressed.
    qint64 skippedBytes = 0;
    // Image data (IDAT and fdAT chunks), counted into skippedBytes past
    // the most the frames could need.
    qint64 imageDataBytes = 0;
    // The frames an animation control chunk states; 1 without one.
    qint64 frames = 1;
    // Everything the decoder reads, the signature and chunk headers included.
    qint64 readBytes = 0;
};

namespace PngBounds {

// Far more than any camera or editor writes; about 0.1 s to inflate.
constexpr qint64 MaxMetadataBytes = qint64(8) * 1024 * 1024;
// Reading through this much takes the decoder about 0.1 s.
constexpr qint64 MaxSkippedBytes = qint64(128) * 1024 * 1024;
// A chunk costs the decoder a little even when empty, and this walk more:
// about 0.3 us. A 100 MB picture in chunks of 1 KB has 100,000.
constexpr qint64 MaxChunks = 1 << 18;

// Costs of a pixel on the machine the JPEG bounds were measured on: the
// decoder cannot scale while decoding, so every pixel is inflated, decoded
// in full and then shrunk. Interlaced pictures take a quarter longer.
constexpr qint64 GreyPixelPicoseconds = 10000;   // grey or palette, 8 bits or less
constexpr qint64 ColourPixelPicoseconds = 25000; // colour or alpha, 8 bits
constexpr qint64 DeepPixelPicoseconds = 32000;   // 16 bits a sample

bool isPng(const QByteArray &head);
// Whether the decoder keeps an ancillary chunk of this type, rather than
// reading through it.
bool isKept(const QByteArray &type);
// Walks the chunks of the PNG file on `device` from its current position,
// reading only chunk headers and the compressed metadata, and stopping once
// a bound is passed. The device is left where it was.
PngLayout layoutOf(QIODevice &device);
qint64 decodeNanoseconds(const PngLayout &layout);
// Why the decoder must not be given this file, or an empty string. The
// longest decode allowed is the JPEG one, and it may read no more than
// DecodeLimits::readBudget() of the stated size.
QString refusal(const PngLayout &layout);

} // namespace PngBounds
