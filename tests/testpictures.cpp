// SPDX-License-Identifier: GPL-3.0-or-later
#include "testpictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPair>
#include <QRandomGenerator>
#include <QtEndian>

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <zlib.h>

QImage twoHalves(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    return image;
}

QImage flatImage(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage noisyImage(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        QRandomGenerator::global()->fillRange(line, size.width());
    }
    return image;
}

bool isReddish(const QColor &colour)
{
    return colour.red() > 180 && colour.blue() < 80;
}

bool isBluish(const QColor &colour)
{
    return colour.blue() > 180 && colour.red() < 80;
}

bool isNear(const QColor &seen, const QColor &wanted)
{
    return qAbs(seen.red() - wanted.red()) < 60 && qAbs(seen.green() - wanted.green()) < 60
        && qAbs(seen.blue() - wanted.blue()) < 60;
}

QByteArray encoded(const QImage &image, const char *format, int quality, JpegScan scan)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(scan == JpegScan::Progressive);
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray le16(int value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian<quint16>(quint16(value), bytes.data());
    return bytes;
}

QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

QByteArray be16(int value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian<quint16>(quint16(value), bytes.data());
    return bytes;
}

void BitWriter::put(quint32 code, int width)
{
    const bool lowFirst = m_order == BitOrder::GifLowFirst;
    for (int i = 0; i < width; ++i) {
        const int bit = lowFirst ? (code >> i) & 1 : (code >> (width - 1 - i)) & 1;
        if (lowFirst)
            m_byte |= bit << m_count;
        else
            m_byte = (m_byte << 1) | bit;
        if (++m_count == 8)
            flushByte();
    }
}

QByteArray BitWriter::finish()
{
    while (m_count > 0)
        put(m_order == BitOrder::GifLowFirst ? 0 : 1, 1);
    return m_bytes;
}

void BitWriter::flushByte()
{
    m_bytes += char(m_byte);
    if (m_order == BitOrder::JpegHighFirst && m_byte == 0xff)
        m_bytes += char(0);
    m_byte = 0;
    m_count = 0;
}

QByteArray gifLzw(const QByteArray &indices)
{
    const quint32 clear = 4, end = 5;
    BitWriter codes(BitOrder::GifLowFirst);
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0)
            codes.put(clear, 3);
        codes.put(quint8(indices.at(i)), 3);
    }
    codes.put(end, 3);
    return codes.finish();
}

QByteArray twoColourGif(const QSize &size, const QList<QByteArray> &frames, char minimumCodeSize)
{
    QByteArray bytes("GIF89a");
    bytes += le16(size.width()) + le16(size.height());
    bytes += QByteArray("\x80\x00\x00", 3);             // global colour table of two entries
    bytes += QByteArray("\xff\x00\x00\x00\x00\xff", 6);  // red, blue
    if (frames.size() > 1)
        bytes += QByteArray("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const QByteArray &data : frames) {
        if (frames.size() > 1)
            bytes += QByteArray("\x21\xf9\x04\x00\x0a\x00\x00\x00", 8);
        bytes += QByteArray("\x2c\x00\x00\x00\x00", 5) + le16(size.width()) + le16(size.height());
        bytes += char(0); // no local colour table
        bytes += minimumCodeSize;
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            bytes += char(block.size());
            bytes += block;
        }
        bytes += char(0);
    }
    return bytes + ';';
}

QByteArray twoHalvesGif(const QSize &size)
{
    QByteArray indices;
    indices.reserve(qsizetype(size.width()) * size.height());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            indices += char(x < size.width() / 2 ? 0 : 1);
    }
    return twoColourGif(size, {gifLzw(indices)});
}

QByteArray bmpClaiming(qint32 width, qint32 height)
{
    const QByteArray pixels(16, '\0');
    QByteArray bmp("BM");
    bmp += le32(54 + pixels.size()) + le32(0) + le32(54);
    bmp += le32(40) + le32(width) + le32(height) + le16(1) + le16(24);
    bmp += le32(0) + le32(pixels.size()) + le32(2835) + le32(2835) + le32(0) + le32(0);
    return bmp + pixels;
}

QByteArray jpegSegment(int marker, const QByteArray &payload)
{
    return QByteArray(1, char(0xff)) + char(marker) + be16(int(payload.size()) + 2) + payload;
}

// Every 8 x 8 block is its DC value alone: the first block of each component
// carries the value, the others a difference of 0 and the end of block.
QByteArray flatJpeg(const QSize &size, const QList<int> &samples)
{
    const int components = int(samples.size());
    // The standard DC table (category k has code length from `counts`).
    const QByteArray dcCounts("\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00", 16);
    const QByteArray dcSymbols("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b", 12);
    // An AC table that knows only the end of block, as code "0".
    const QByteArray acCounts("\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16);

    // Canonical Huffman codes of the DC table.
    QList<QPair<quint32, int>> dcCodes(12);
    quint32 code = 0;
    int symbol = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < dcCounts.at(length - 1); ++i)
            dcCodes[dcSymbols.at(symbol++)] = {code++, length};
        code <<= 1;
    }

    QByteArray jpeg("\xff\xd8", 2);
    if (components == 4)
        jpeg += jpegSegment(0xee, QByteArray("Adobe\x00\x64\x00\x00\x00\x00\x00", 12));
    // Quantiser 8 everywhere: a flat block of sample v has DC v - 128.
    jpeg += jpegSegment(0xdb, QByteArray(1, '\0') + QByteArray(64, '\x08'));
    QByteArray frame("\x08", 1);
    frame += be16(size.height()) + be16(size.width()) + char(components);
    for (int c = 1; c <= components; ++c)
        frame += QByteArray(1, char(c)) + "\x11" + QByteArray(1, '\0');
    jpeg += jpegSegment(0xc0, frame);
    jpeg += jpegSegment(0xc4, QByteArray(1, '\x00') + dcCounts + dcSymbols);
    jpeg += jpegSegment(0xc4, QByteArray(1, '\x10') + acCounts + QByteArray(1, '\0'));
    QByteArray scan(1, char(components));
    for (int c = 1; c <= components; ++c)
        scan += QByteArray(1, char(c)) + QByteArray(1, '\0');
    scan += QByteArray("\x00\x3f\x00", 3);
    jpeg += jpegSegment(0xda, scan);

    BitWriter bits(BitOrder::JpegHighFirst);
    const int blocks = ((size.width() + 7) / 8) * ((size.height() + 7) / 8);
    for (int block = 0; block < blocks; ++block) {
        for (int c = 0; c < components; ++c) {
            const int difference = block == 0 ? samples.at(c) - 128 : 0;
            int category = 0;
            while ((1 << category) <= qAbs(difference))
                ++category;
            bits.put(dcCodes.at(category).first, dcCodes.at(category).second);
            if (category > 0)
                bits.put(quint32(difference > 0 ? difference : difference + (1 << category) - 1), category);
            bits.put(0, 1); // end of block
        }
    }
    return jpeg + bits.finish() + QByteArray("\xff\xd9", 2);
}

QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    // Big-endian TIFF, first IFD at 8, one entry: Orientation, SHORT, 1 value.
    QByteArray tiff("MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01", 18);
    tiff += be16(orientation) + QByteArray(2, '\0') + QByteArray(4, '\0'); // no next IFD
    return jpeg.left(2) + jpegSegment(0xe1, QByteArray("Exif\x00\x00", 6) + tiff) + jpeg.mid(2);
}

QByteArray withExifThumbnail(const QByteArray &jpeg, const QByteArray &thumbnail, int orientation)
{
    ExifData *exif = exif_data_new();
    exif_data_set_byte_order(exif, EXIF_BYTE_ORDER_INTEL);
    if (orientation != 0) {
        ExifEntry *entry = exif_entry_new();
        exif_content_add_entry(exif->ifd[EXIF_IFD_0], entry);
        exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
        exif_set_short(entry->data, EXIF_BYTE_ORDER_INTEL, ExifShort(orientation));
        exif_entry_unref(entry);
    }
    exif->data = static_cast<unsigned char *>(std::malloc(size_t(thumbnail.size())));
    std::memcpy(exif->data, thumbnail.constData(), size_t(thumbnail.size()));
    exif->size = unsigned(thumbnail.size());
    unsigned char *block = nullptr;
    unsigned int length = 0;
    exif_data_save_data(exif, &block, &length);
    const QByteArray app1 = jpegSegment(0xe1, QByteArray(reinterpret_cast<const char *>(block), int(length)));
    std::free(block);
    exif_data_unref(exif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

QByteArray progressiveClaiming(const QSize &size, int components)
{
    const QByteArray dcCounts("\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00", 16);
    const QByteArray dcSymbols("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b", 12);
    QByteArray jpeg("\xff\xd8", 2);
    jpeg += jpegSegment(0xdb, QByteArray(1, '\0') + QByteArray(64, '\x08'));
    QByteArray frame("\x08", 1);
    frame += be16(size.height()) + be16(size.width()) + char(components);
    for (int c = 1; c <= components; ++c)
        frame += QByteArray(1, char(c)) + "\x11" + QByteArray(1, '\0');
    jpeg += jpegSegment(0xc2, frame);
    jpeg += jpegSegment(0xc4, QByteArray(1, '\x00') + dcCounts + dcSymbols);
    QByteArray scan(1, char(components));
    for (int c = 1; c <= components; ++c)
        scan += QByteArray(1, char(c)) + QByteArray(1, '\0');
    scan += QByteArray("\x00\x00\x00", 3); // DC only, first pass
    jpeg += jpegSegment(0xda, scan);
    return jpeg + QByteArray(64, '\0') + QByteArray("\xff\xd9", 2);
}

QByteArray withRepeatedLastScan(const QByteArray &jpeg, int scans)
{
    // Walk the segments; after each SOS skip the entropy-coded data up to
    // the next marker that is neither stuffing nor a restart.
    qsizetype at = 2, lastScan = -1, end = -1, count = 0;
    while (at + 2 <= jpeg.size()) {
        const int marker = quint8(jpeg.at(at + 1));
        if (marker == 0xd9) {
            end = at;
            break;
        }
        if (at + 4 > jpeg.size())
            break;
        const int length = (quint8(jpeg.at(at + 2)) << 8) | quint8(jpeg.at(at + 3));
        const qsizetype start = at;
        at += 2 + length;
        if (marker != 0xda)
            continue;
        lastScan = start;
        ++count;
        while (at + 1 < jpeg.size()) {
            const int next = quint8(jpeg.at(at + 1));
            if (quint8(jpeg.at(at)) == 0xff && next != 0x00 && (next < 0xd0 || next > 0xd7))
                break;
            ++at;
        }
    }
    if (lastScan < 0 || end < 0)
        return QByteArray();
    return jpeg.left(end) + jpeg.mid(lastScan, end - lastScan).repeated(scans - count) + jpeg.mid(end);
}

QByteArray brokenLastScan(const QSize &size, int scans)
{
    const QByteArray dcCounts("\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00", 16);
    const QByteArray dcSymbols("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b", 12);
    // AC symbols: only the runs of empty blocks, EOB0 to EOB14, four bits each.
    QByteArray acCounts(16, '\0');
    acCounts[3] = 15;
    QByteArray acSymbols;
    for (int r = 0; r < 15; ++r)
        acSymbols += char(r << 4);

    QByteArray jpeg("\xff\xd8", 2);
    jpeg += jpegSegment(0xdb, QByteArray(1, '\0') + QByteArray(64, '\x08'));
    jpeg += jpegSegment(0xc2, QByteArray("\x08", 1) + be16(size.height()) + be16(size.width()) + "\x01\x01\x11"
                                  + QByteArray(1, '\0'));
    jpeg += jpegSegment(0xc4, QByteArray(1, '\x00') + dcCounts + dcSymbols);
    jpeg += jpegSegment(0xc4, QByteArray(1, '\x10') + acCounts + acSymbols);
    // Every DC difference is 0, code "00": all zero bytes.
    const qint64 blocks = qint64((size.width() + 7) / 8) * ((size.height() + 7) / 8);
    jpeg += jpegSegment(0xda, QByteArray("\x01\x01\x00\x00\x00\x00", 6));
    jpeg += QByteArray(blocks * 2 / 8, '\0');
    if (blocks * 2 % 8 != 0)
        jpeg += char(0xff >> (blocks * 2 % 8));

    BitWriter runs(BitOrder::JpegHighFirst);
    for (qint64 left = blocks; left > 0;) {
        const qint64 run = qMin<qint64>(left, 32767);
        int r = 0;
        while ((qint64(2) << r) <= run)
            ++r;
        runs.put(quint32(r), 4);
        runs.put(quint32(run - (qint64(1) << r)), r);
        left -= run;
    }
    const QByteArray empty = runs.finish();
    for (int scan = 1; scan < scans; ++scan) {
        const int k = (scan - 1) % 63 + 1;
        const bool refining = scan > 63;
        QByteArray header("\x01\x01", 2);
        header += char(scan == scans - 1 ? 0x01 : 0x00);
        header += char(k);
        header += char(k);
        header += char(refining ? 0x10 : (scan - 1 + 63 < scans - 1 ? 0x01 : 0x00));
        jpeg += jpegSegment(0xda, header) + empty;
    }
    return jpeg + QByteArray("\xff\xd9", 2);
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), bytes.data());
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))),
                          crc.data());
    return bytes + body + crc;
}

QByteArray withPngChunks(const QByteArray &png, const QList<QByteArray> &chunks)
{
    const qsizetype afterHeader = 8 + 25;
    return png.left(afterHeader) + chunks.join() + png.mid(afterHeader);
}

QByteArray pngClaiming(const QSize &size)
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(size.width()), header.data());
    qToBigEndian<quint32>(quint32(size.height()), header.data() + 4);
    header[8] = 8; // bits a sample
    header[9] = 2; // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IEND", QByteArray());
}

QByteArray compressedText(qsizetype inflated)
{
    // qCompress puts the length in front of the zlib stream.
    return pngChunk("zTXt", QByteArray("Comment\0\0", 9) + qCompress(QByteArray(inflated, 'a'), 9).mid(4));
}

namespace {

// The CRC-32 of `count` zero bytes, found by doubling instead of going over
// them.
uLong crcOfZeros(qint64 count)
{
    uLong crc = crc32(0, Z_NULL, 0);
    uLong power = crc32(0, reinterpret_cast<const Bytef *>("\0"), 1);
    z_off_t powerLength = 1;
    for (; count > 0; count >>= 1) {
        if (count & 1)
            crc = crc32_combine(crc, power, powerLength);
        if (count > 1) {
            power = crc32_combine(power, power, powerLength);
            powerLength *= 2;
        }
    }
    return crc;
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(value, bytes.data());
    return bytes;
}

// A 64 x 48 PNG with `count` chunks of `type` that hold 256 MB of zeros
// each, put before its image data or after it.
CraftedPicture sparsePng(const char *row, const QString &name, const char *type, int count, bool afterImage)
{
    const QByteArray png = encoded(twoHalves(QSize(64, 48)), "png");
    const qsizetype split = afterImage ? png.size() - 12 : 8 + 25;
    const qint64 length = qint64(256) << 20;
    const uLong typeCrc = crc32(0, reinterpret_cast<const Bytef *>(type), 4);
    CraftedPicture picture{row, name, png.left(split), QStringLiteral("Too large to decode.")};
    for (int i = 0; i < count; ++i) {
        picture.bytes += be32(quint32(length)) + QByteArray(type, 4);
        picture.zeros << ZeroRun{picture.bytes.size(), length};
        picture.bytes += be32(quint32(crc32_combine(typeCrc, crcOfZeros(length), z_off_t(length))));
    }
    picture.bytes += png.mid(split);
    return picture;
}

} // namespace

bool writeCrafted(const QString &path, const CraftedPicture &picture)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    qint64 from = 0;
    for (const ZeroRun &run : picture.zeros) {
        const QByteArray part = picture.bytes.mid(from, run.at - from);
        if (file.write(part) != part.size() || !file.seek(file.pos() + run.length))
            return false;
        from = run.at;
    }
    const QByteArray rest = picture.bytes.mid(from);
    return file.write(rest) == rest.size() && file.resize(file.pos()) && file.flush();
}

QList<CraftedPicture> craftedPictures()
{
    const QString tooLarge = QStringLiteral("Too large to decode.");
    const QString tooManyScans = QStringLiteral("Too many scans");
    const QByteArray progressive = encoded(twoHalves(QSize(2000, 1500)), "jpeg", DefaultQuality, JpegScan::Progressive);
    // The decoder skips a stray byte after the start marker; so must the check.
    QByteArray strayByte = progressiveClaiming(QSize(30000, 30000), 3);
    strayByte.insert(2, '\0');
    // Nor is a zero after a 0xFF a marker: the decoder drops the pair.
    QByteArray strayPair = progressiveClaiming(QSize(30000, 30000), 1);
    strayPair.insert(2, QByteArray("\xff\xff\x00\x08", 4));
    // An application segment of length 0 is the length field alone to it.
    QByteArray emptySegment = progressiveClaiming(QSize(30000, 30000), 1);
    emptySegment.insert(2, QByteArray("\xff\xe0\x00\x00", 4));
    // With restart intervals the decoder skips a marker below the frames'
    // inside a scan and reads on: the scans behind it still count, though
    // the bytes after it would make a length of 64 KB.
    QByteArray hiddenScans = withRepeatedLastScan(
        encoded(twoHalves(QSize(40, 30)), "jpeg", DefaultQuality, JpegScan::Progressive), 150);
    const qsizetype firstScan = hiddenScans.indexOf("\xff\xda");
    const int firstScanLength = (quint8(hiddenScans.at(firstScan + 2)) << 8) | quint8(hiddenScans.at(firstScan + 3));
    hiddenScans.insert(firstScan + 2 + firstScanLength, QByteArray("\xff\x02\xff\xff\x00", 5));
    hiddenScans.insert(2, QByteArray("\xff\xdd\x00\x04\x00\x01", 6));
    QList<CraftedPicture> pictures{
        {"grey progressive JPEG claiming 30000 x 30000", QStringLiteral("claims-grey.jpg"),
         progressiveClaiming(QSize(30000, 30000), 1), tooLarge},
        {"4:4:4 progressive JPEG claiming 30000 x 30000", QStringLiteral("claims-444.jpg"),
         progressiveClaiming(QSize(30000, 30000), 3), tooLarge},
        {"progressive JPEG of 20000 scans", QStringLiteral("scans.jpg"), withRepeatedLastScan(progressive, 20000),
         tooManyScans},
        {"baseline JPEG claiming 65000 x 65000", QStringLiteral("claims-baseline.jpg"),
         flatJpeg(QSize(8, 8), {128, 128, 128}).replace(QByteArray("\x00\x08\x00\x08\x03", 5),
                                                           be16(65000) + be16(65000) + "\x03"),
         tooLarge},
        {"stray byte after the start marker", QStringLiteral("stray.jpg"), strayByte, tooLarge},
        {"0xFF 0x00 before the frame", QStringLiteral("stray-pair.jpg"), strayPair, tooLarge},
        {"APP0 of length 0 before the frame", QStringLiteral("empty-app0.jpg"), emptySegment, tooLarge},
        {"150 scans behind a marker 0x02 in the first", QStringLiteral("hidden-scans.jpg"), hiddenScans,
         tooManyScans},
        // Within every other bound, yet each scan goes over 134 million
        // coefficients before the last one fails.
        {"grey progressive JPEG of 11584 x 11584 in 100 scans, the last broken", QStringLiteral("rescanned.jpg"),
         brokenLastScan(QSize(11584, 11584), 100), tooLarge},
        // Each text inflates to 8 MB, which the decoder would keep.
        {"PNG named .jpg with 1000 compressed texts", QStringLiteral("texts.jpg"),
         withPngChunks(encoded(twoHalves(QSize(40, 30)), "png"), QList<QByteArray>(1000, compressedText(8000000))),
         QStringLiteral("Too much metadata")},
        // The decoder reads through every chunk it does not know. Named .jpg
        // so that the preview shows them too.
        sparsePng("PNG of 64 x 48 with four 256 MB fdAT chunks before its data", QStringLiteral("fdat4.jpg"), "fdAT",
                  4, false),
        sparsePng("PNG of 64 x 48 with sixteen 256 MB fdAT chunks", QStringLiteral("fdat16.jpg"), "fdAT", 16, false),
        sparsePng("PNG of 64 x 48 with sixteen 256 MB IDAT chunks after its data", QStringLiteral("idat16.jpg"),
                  "IDAT", 16, true),
        // The decoder skips stray bytes before a marker one by one.
        {"JPEG of 64 x 48 behind 64 MB of zeros", QStringLiteral("zeros.jpg"),
         encoded(twoHalves(QSize(64, 48)), "jpeg"), tooLarge, {ZeroRun{2, qint64(64) << 20}}},
    };
    // Formats whose plugins a desktop may have: a decoder that computes
    // without reading, and one that says it read a picture and gives none.
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    if (formats.contains("svg")) {
        QByteArray path = "M0 0";
        for (int i = 0; i < 4000; ++i)
            path += " L" + QByteArray::number((i * 37) % 1000) + ' ' + QByteArray::number((i * 91) % 1000);
        // Two groups of 40 uses each, used 40 times: 64,000 draws of the path,
        // minutes of work on any machine, from a 42 KB file.
        QByteArray svg = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
                         R"(width="1000" height="1000"><defs><path id="p" stroke="black" fill="none" d=")"
            + path + R"("/>)";
        const auto uses = [](const char *of, int turn) {
            QByteArray group;
            for (int i = 0; i < 40; ++i)
                group += R"(<use xlink:href="#)" + QByteArray(of) + R"(" transform="rotate()"
                    + QByteArray::number(i * turn) + " 500 500)\"/>";
            return group;
        };
        svg += "<g id=\"a\">" + uses("p", 7) + "</g><g id=\"b\">" + uses("a", 5) + "</g></defs>" + uses("b", 3);
        pictures.append({"SVG named .jpg drawing one long path 64000 times", QStringLiteral("holiday.jpg"),
                         svg + "</svg>", tooLarge});
    }
    if (formats.contains("mng")) {
        pictures.append({"MNG signature and nothing after it", QStringLiteral("signature.jpg"),
                         QByteArray("\x8aMNG\r\n\x1a\n", 8) + QByteArray(12, '\0'),
                         QStringLiteral("The picture could not be decoded.")});
    }
    return pictures;
}
