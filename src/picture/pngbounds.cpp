// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pngbounds.h"

#include "picture/decodestop.h"
#include "picture/jpegbounds.h"

#include <QCoreApplication>
#include <QtEndian>

#include <zlib.h>

namespace {

const QByteArray Signature("\x89PNG\r\n\x1a\n", 8);

// The bytes a zlib stream inflates to, counted no further than `limit`.
qint64 inflatedSize(QByteArrayView stream, qint64 limit)
{
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        return 0;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.data()));
    z.avail_in = uInt(stream.size());
    char scratch[64 * 1024];
    qint64 total = 0;
    int status = Z_OK;
    while (status == Z_OK && total <= limit) {
        z.next_out = reinterpret_cast<Bytef *>(scratch);
        z.avail_out = sizeof scratch;
        status = inflate(&z, Z_NO_FLUSH);
        total += qint64(sizeof scratch - z.avail_out);
        if (status == Z_BUF_ERROR && z.avail_out != 0)
            break; // the stream ends early
    }
    inflateEnd(&z);
    return total;
}

// Where the zlib stream of a compressed metadata chunk starts, or -1 when
// the chunk holds none.
qsizetype streamStart(const QByteArray &type, const QByteArray &data)
{
    const qsizetype keywordEnd = data.indexOf('\0');
    if (keywordEnd < 0)
        return -1;
    if (type == "zTXt" || type == "iCCP")
        return keywordEnd + 2; // after the compression method
    // iTXt: a compression flag and method, then a language tag and a
    // translated keyword, each ended by a zero byte.
    if (keywordEnd + 2 >= data.size() || data.at(keywordEnd + 1) != 1)
        return -1;
    const qsizetype languageEnd = data.indexOf('\0', keywordEnd + 3);
    const qsizetype translatedEnd = languageEnd < 0 ? -1 : data.indexOf('\0', languageEnd + 1);
    return translatedEnd < 0 ? -1 : translatedEnd + 1;
}

// a × b for a, b >= 0, or a bound far beyond any file when it would overflow.
qint64 saturatedProduct(qint64 a, qint64 b)
{
    constexpr qint64 Most = qint64(1) << 60;
    return b != 0 && a > Most / b ? Most : a * b;
}

// zlib's bound on a stream of this many bytes, in the stored blocks that
// incompressible data never exceeds.
qint64 storedStreamBytes(qint64 bytes)
{
    return bytes + (bytes >> 12) + (bytes >> 14) + (bytes >> 25) + 13;
}

// The most image data one frame of the layout's size can need: its rows
// with their filter bytes, stored.
qint64 frameDataBound(const PngLayout &layout)
{
    // Samples a pixel by colour type; an unknown type or depth is given the most.
    static constexpr int Samples[] = {1, 0, 3, 1, 2, 0, 4};
    const int samples = layout.colourType >= 0 && layout.colourType <= 6 && Samples[layout.colourType] > 0
        ? Samples[layout.colourType] : 4;
    const int depth = layout.bitDepth >= 1 && layout.bitDepth <= 16 ? layout.bitDepth : 16;
    const qint64 rowBytes = (qint64(qMax(layout.width, 0)) * samples * depth + 7) / 8 + 8;
    // Seven passes have fewer than twice the rows of the picture.
    const qint64 rows = qint64(qMax(layout.height, 0)) * (layout.interlaced ? 2 : 1);
    return storedStreamBytes(saturatedProduct(rows, rowBytes));
}

} // namespace

namespace PngBounds {

bool isKept(const QByteArray &type)
{
    return type == "tEXt" || type == "zTXt" || type == "iTXt" || type == "iCCP" || type == "eXIf";
}

bool isPng(const QByteArray &head)
{
    return head.startsWith(Signature);
}

PngLayout layoutOf(QIODevice &device)
{
    PngLayout layout;
    const qint64 start = device.pos();
    qint64 at = start + Signature.size();
    layout.readBytes = Signature.size();
    // What the decoder reads through without making pixels of it.
    const auto readThrough = [&] {
        const qint64 need = saturatedProduct(layout.frames, frameDataBound(layout));
        return layout.skippedBytes + qMax<qint64>(0, layout.imageDataBytes - need);
    };
    while (device.seek(at)) {
        const QByteArray header = device.read(8);
        if (header.size() < 8)
            break;
        const quint32 length = qFromBigEndian<quint32>(header.constData());
        const QByteArray type = header.mid(4);
        if (length > 0x7fffffffu || ++layout.chunks > MaxChunks)
            break;
        layout.readBytes += 12 + qint64(length);
        if (type == "IEND")
            break;
        if (type == "IHDR" && layout.chunks == 1 && length >= 13) {
            const QByteArray fields = device.read(13);
            if (fields.size() < 13)
                break;
            layout.width = int(qMin<quint32>(qFromBigEndian<quint32>(fields.constData()), 0x7fffffff));
            layout.height = int(qMin<quint32>(qFromBigEndian<quint32>(fields.constData() + 4), 0x7fffffff));
            layout.bitDepth = quint8(fields.at(8));
            layout.colourType = quint8(fields.at(9));
            layout.interlaced = fields.at(12) != 0;
        } else if (type == "IDAT" || type == "fdAT") {
            layout.imageDataBytes += length;
        } else if (type == "acTL" && length >= 8) {
            const QByteArray fields = device.read(8);
            if (fields.size() < 8)
                break;
            layout.frames = qMax<qint64>(1, qFromBigEndian<quint32>(fields.constData()));
            layout.skippedBytes += length;
        } else if ((type.at(0) & 0x20) != 0 && !isKept(type)) {
            // Ancillary, by the case of its first letter, and read through.
            layout.skippedBytes += length;
        } else if (isKept(type)) {
            qint64 bytes = length;
            const qint64 room = MaxMetadataBytes - layout.metadataBytes;
            if ((type == "zTXt" || type == "iTXt" || type == "iCCP") && bytes <= room) {
                const QByteArray data = device.read(length);
                const qsizetype stream = streamStart(type, data);
                if (stream >= 0 && stream < data.size())
                    bytes = qMax(bytes, inflatedSize(QByteArrayView(data).sliced(stream), room));
            }
            layout.metadataBytes += bytes;
            if (layout.metadataBytes > MaxMetadataBytes)
                break;
        }
        if (readThrough() > MaxSkippedBytes || layout.readBytes > DecodeLimits::MaxReadBytes)
            break;
        at += 12 + qint64(length);
    }
    layout.skippedBytes = readThrough();
    device.seek(start);
    return layout;
}

qint64 decodeNanoseconds(const PngLayout &layout)
{
    qint64 picoseconds = ColourPixelPicoseconds;
    if (layout.bitDepth > 8)
        picoseconds = DeepPixelPicoseconds;
    else if (layout.colourType == 0 || layout.colourType == 3)
        picoseconds = GreyPixelPicoseconds;
    if (layout.interlaced)
        picoseconds += picoseconds / 4;
    // A stated size near 2^31 each way would overflow the product.
    return saturatedProduct(qint64(qMax(layout.width, 0)) * qMax(layout.height, 0), picoseconds) / 1000;
}

QString refusal(const PngLayout &layout)
{
    if (layout.metadataBytes > MaxMetadataBytes)
        return QCoreApplication::translate("PictureLoader", "Too much metadata");
    if (layout.chunks > MaxChunks || layout.skippedBytes > MaxSkippedBytes
        || layout.readBytes > DecodeLimits::readBudget(QSize(layout.width, layout.height), layout.frames)
        || decodeNanoseconds(layout) > JpegBounds::MaxDecodeNanoseconds)
        return DecodeLimits::tooLarge();
    return QString();
}

} // namespace PngBounds
