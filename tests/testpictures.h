// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pictures and picture files made in code, so that no binary file is kept
// with the tests.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QSize>
#include <QString>

// Left half red, right half blue: shows both scaling and turning.
QImage twoHalves(const QSize &size);
QImage flatImage(const QSize &size, const QColor &colour);
// Random pixels: a JPEG of them is large and slow to decode.
QImage noisyImage(const QSize &size);

// Loose enough for what a lossy format and scaling leave of pure colours.
bool isReddish(const QColor &colour);
bool isBluish(const QColor &colour);
// Each channel within 60 of the wanted colour.
bool isNear(const QColor &seen, const QColor &wanted);

// The writer's own quality for the format.
constexpr int DefaultQuality = -1;
enum class JpegScan { Baseline, Progressive };

// The file Qt's writer makes of `image`, or an empty array when it fails.
// For PNG the quality sets the compression.
QByteArray encoded(const QImage &image, const char *format, int quality = DefaultQuality,
                   JpegScan scan = JpegScan::Baseline);

QByteArray le16(int value);
QByteArray le32(qint32 value);
QByteArray be16(int value);

// GIF packs codes first bit lowest and pads with zero-bits; JPEG entropy
// data first bit highest, padded with one-bits, with a 0x00 stuffed after
// every 0xFF byte.
enum class BitOrder { GifLowFirst, JpegHighFirst };

// Codes of variable width packed into bytes.
class BitWriter
{
public:
    explicit BitWriter(BitOrder order) : m_order(order) {}

    void put(quint32 code, int width);
    // Pads the last byte and returns all bytes.
    QByteArray finish();

private:
    void flushByte();

    BitOrder m_order;
    QByteArray m_bytes;
    int m_byte = 0;
    int m_count = 0;
};

// LZW data of a minimum code size of 2, one colour index a byte of
// `indices`: a clear code before every second pixel keeps the table below
// eight entries, so every code stays 3 bits wide.
QByteArray gifLzw(const QByteArray &indices);
// A GIF with a two-entry colour table (0 red, 1 blue); each frame is given
// as its LZW data. More than one frame makes it an endlessly looping
// animation. Qt writes no GIF.
QByteArray twoColourGif(const QSize &size, const QList<QByteArray> &frames, char minimumCodeSize = 2);
// twoHalves() as a GIF.
QByteArray twoHalvesGif(const QSize &size);

// A 24-bit BMP whose header states the given size but which carries only a
// few bytes of pixel data.
QByteArray bmpClaiming(qint32 width, qint32 height);

QByteArray jpegSegment(int marker, const QByteArray &payload);
// A baseline JPEG of one flat colour, one sample per component: three are
// YCbCr; four are CMYK as an Adobe application writes it (APP14 "Adobe", no
// colour transform, ink stored inverted: 255 is no ink). A picture of any
// size takes three bits a block.
QByteArray flatJpeg(const QSize &size, const QList<int> &samples);
// An Exif APP1 segment holding only Orientation, put right after SOI.
QByteArray withExifOrientation(const QByteArray &jpeg, int orientation);
// The picture with an EXIF block holding `thumbnail` (a JPEG) as IFD1 and,
// when not 0, the orientation, put right after SOI.
QByteArray withExifThumbnail(const QByteArray &jpeg, const QByteArray &thumbnail, int orientation);

// Pictures made to hurt a decoder that trusts them.
// A progressive JPEG whose frame states `size` with `components` full-size
// components, followed by one DC scan of a few bytes: the decoder would keep
// the coefficients of the whole stated picture.
QByteArray progressiveClaiming(const QSize &size, int components);
// `jpeg` with its last scan repeated until it has `scans` scans in all:
// every pass goes over the whole picture again.
QByteArray withRepeatedLastScan(const QByteArray &jpeg, int scans);

// A grey progressive JPEG that decodes to flat grey: a DC scan, then one
// scan for each AC coefficient in turn, each a run of empty blocks; after
// the 63rd, coefficients are refined one bit further. The last scan names a
// Huffman table that was never defined, so the decoder fails only after
// reading all the others.
QByteArray brokenLastScan(const QSize &size, int scans);

// A PNG chunk with its length and checksum.
QByteArray pngChunk(const char *type, const QByteArray &data);
// `png` with the chunks put right after its header chunk.
QByteArray withPngChunks(const QByteArray &png, const QList<QByteArray> &chunks);
// A colour PNG that states the given size and holds no picture data.
QByteArray pngClaiming(const QSize &size);
// A zTXt chunk whose text inflates to `inflated` bytes.
QByteArray compressedText(qsizetype inflated);

// A run of zero bytes that a file holds without storing them: written as a
// hole, it takes no disk space however long it is.
struct ZeroRun
{
    qint64 at = 0; // the offset in the stored bytes it goes before
    qint64 length = 0;
};
Q_DECLARE_METATYPE(ZeroRun)

struct CraftedPicture
{
    const char *row;
    QString name;
    QByteArray bytes;
    QString reason; // why the loader refuses it
    QList<ZeroRun> zeros = {}; // in order
};
// Files that once took gigabytes or many seconds to decode.
QList<CraftedPicture> craftedPictures();
// Writes the picture's bytes with its runs of zeros as holes.
bool writeCrafted(const QString &path, const CraftedPicture &picture);
