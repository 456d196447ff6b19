// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/jpegbounds.h"

#include "picture/decodestop.h"

#include <QCoreApplication>

#include <cstring>

namespace {

int be16At(const QByteArray &bytes, qsizetype at)
{
    return (quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1));
}

bool isFrameMarker(int marker)
{
    // SOF0..SOF15 but DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

bool isProgressiveFrame(int marker)
{
    return marker == 0xc2 || marker == 0xc6 || marker == 0xca || marker == 0xce;
}

// The position of the first marker after entropy-coded data starting at
// `at`: a 0xFF followed by neither a stuffed 0x00 nor a restart marker.
qsizetype endOfEntropyData(const QByteArray &bytes, qsizetype at)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    while (at < size) {
        const void *found = std::memchr(data + at, 0xff, size_t(size - at));
        if (!found)
            return size;
        at = static_cast<const char *>(found) - data;
        if (at + 1 >= size)
            return size;
        const int next = quint8(data[at + 1]);
        if (next == 0x00 || (next >= 0xd0 && next <= 0xd7) || next == 0xff) {
            at += next == 0xff ? 1 : 2;
            continue;
        }
        return at;
    }
    return size;
}

} // namespace

namespace JpegBounds {

bool isJpeg(const QByteArray &bytes)
{
    // The start marker alone: the decoder takes a file on it and skips
    // stray bytes after it, so a third byte proves nothing.
    return bytes.size() >= 2 && quint8(bytes.at(0)) == 0xff && quint8(bytes.at(1)) == 0xd8;
}

JpegLayout layoutOf(const QByteArray &bytes)
{
    JpegLayout layout;
    int firstScanComponents = 0;
    int maxH = 1, maxV = 1;
    struct Sampling { int id = 0, h = 1, v = 1; };
    QList<Sampling> sampling;
    // Blocks of a component, padded to whole MCUs.
    const auto blocksOf = [&](const Sampling &s) {
        const qint64 mcuColumns = (qint64(layout.width) + 8 * maxH - 1) / (8 * maxH);
        const qint64 mcuRows = (qint64(layout.height) + 8 * maxV - 1) / (8 * maxV);
        return mcuColumns * s.h * mcuRows * s.v;
    };
    qint64 picoseconds = 0;
    qint64 codedBytes = 0;

    qsizetype at = 2;
    const qsizetype size = bytes.size();
    while (at + 1 < size) {
        if (quint8(bytes.at(at)) != 0xff) {
            // Stray bytes between segments; the decoder skips them too.
            const void *next = std::memchr(bytes.constData() + at, 0xff, size_t(size - at));
            at = next ? static_cast<const char *>(next) - bytes.constData() : size;
            continue;
        }
        const int marker = quint8(bytes.at(at + 1));
        if (marker == 0xff) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0x00) {
            // Not a marker: the decoder drops the pair as stray bytes and
            // goes on looking, so a frame after it is still read.
            at += 2;
            continue;
        }
        at += 2;
        if (marker == 0xd9)
            break;
        // Markers below the frames' carry no length to the decoder. Between
        // segments they stop it; inside a scan with restart intervals it
        // skips them and reads on to the next marker, as the walk does.
        if (marker < 0xc0 || (marker >= 0xd0 && marker <= 0xd7))
            continue;
        if (at + 2 > size)
            break;
        // Where the decoder only skips a segment (an application's, a
        // comment, DNL), a length below 2 is the length field alone;
        // anywhere else it is an error.
        const bool skipped = (marker >= 0xe0 && marker <= 0xef) || marker == 0xfe || marker == 0xdc;
        const int length = be16At(bytes, at);
        const qsizetype payload = at + 2;
        const qsizetype end = at + qMax(length, 2);
        if ((length < 2 && !skipped) || end > size)
            break;
        if (isFrameMarker(marker) && layout.components == 0 && length >= 8) {
            layout.progressive = isProgressiveFrame(marker);
            layout.height = be16At(bytes, payload + 1);
            layout.width = be16At(bytes, payload + 3);
            layout.components = quint8(bytes.at(payload + 5));
            for (int c = 0; c < layout.components && payload + 6 + 3 * c + 2 < end; ++c) {
                const int factors = quint8(bytes.at(payload + 6 + 3 * c + 1));
                const Sampling s{quint8(bytes.at(payload + 6 + 3 * c)), qMax(factors >> 4, 1), qMax(factors & 15, 1)};
                maxH = qMax(maxH, s.h);
                maxV = qMax(maxV, s.v);
                sampling << s;
            }
        }
        at = end;
        if (marker == 0xda) {
            const int scanComponents = length >= 3 ? quint8(bytes.at(payload)) : 0;
            if (++layout.scans == 1)
                firstScanComponents = scanComponents;
            if (layout.scans > MaxScans)
                break;
            qint64 blocks = 0;
            for (int c = 0; c < scanComponents && payload + 1 + 2 * c < end; ++c) {
                const int id = quint8(bytes.at(payload + 1 + 2 * c));
                for (const Sampling &s : sampling) {
                    if (s.id == id) {
                        blocks += blocksOf(s);
                        break;
                    }
                }
            }
            // A refining AC scan (Ss > 0, Ah > 0) also pays for its band.
            const qsizetype spectrum = payload + 1 + 2 * qsizetype(scanComponents);
            int band = 0;
            if (spectrum + 2 < end && quint8(bytes.at(spectrum)) > 0 && (quint8(bytes.at(spectrum + 2)) >> 4) > 0)
                band = qMax(0, quint8(bytes.at(spectrum + 1)) - quint8(bytes.at(spectrum)) + 1);
            picoseconds += blocks * (ScanBlockPicoseconds + band * RefinedCoefficientPicoseconds);
            // A sequential picture whose first scan holds every component is
            // decoded row by row from that scan; the decoder stops with an
            // error at any scan after it, so the rest need not be read.
            if (layout.scans == 1 && !layout.progressive && firstScanComponents >= layout.components) {
                codedBytes += size - at;
                break;
            }
            const qsizetype coded = endOfEntropyData(bytes, at);
            codedBytes += coded - at;
            at = coded;
        }
    }

    layout.buffered = layout.progressive || (layout.components > 0 && firstScanComponents > 0
                                              && firstScanComponents < layout.components);
    // 64 coefficients of two bytes each a block.
    for (const Sampling &s : sampling)
        layout.coefficientBytes += blocksOf(s) * 64 * 2;
    picoseconds += codedBytes * (layout.progressive ? ProgressiveBytePicoseconds : SequentialBytePicoseconds);
    layout.scanNanoseconds = picoseconds / 1000;
    return layout;
}

qint64 decodeNanoseconds(const JpegLayout &layout, const QSize &targetDevicePixels)
{
    // The decoder's own scaling, as the image reader chooses it: the
    // largest of 1/2, 1/4 and 1/8 that still covers target.
    int denominator = 1;
    if (!targetDevicePixels.isEmpty()) {
        const int room = qMin(layout.width / targetDevicePixels.width(),
                              layout.height / targetDevicePixels.height());
        while (denominator < 8 && 2 * denominator <= room)
            denominator *= 2;
    }
    const qint64 output = ((qint64(layout.width) + denominator - 1) / denominator)
        * ((qint64(layout.height) + denominator - 1) / denominator);
    return layout.scanNanoseconds + output * OutputPixelPicoseconds / 1000;
}

QString refusal(const JpegLayout &layout, const QSize &targetDevicePixels)
{
    if (layout.scans > MaxScans)
        return QCoreApplication::translate("PictureLoader", "Too many scans");
    if ((layout.buffered && layout.coefficientBytes > MaxCoefficientBytes)
        || qint64(layout.width) * layout.height > MaxPixels
        || decodeNanoseconds(layout, targetDevicePixels) > MaxDecodeNanoseconds)
        return DecodeLimits::tooLarge();
    return QString();
}

} // namespace JpegBounds
