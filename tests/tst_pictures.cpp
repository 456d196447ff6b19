#include "board/pictureloader.h"
#include "board/pictureprefetcher.h"
#include "testsupport.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

namespace {

const QSize Slot(125, 113);

// Left half red, right half blue: shows both scaling and turning.
QImage twoHalves(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    return image;
}

bool isReddish(const QColor &c) { return c.red() > 180 && c.blue() < 80; }
bool isBluish(const QColor &c) { return c.blue() > 180 && c.red() < 80; }

QByteArray encode(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
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

// LZW codes packed least significant bit first, as GIF stores them.
class GifCodes
{
public:
    void put(int code, int width)
    {
        m_bits |= quint32(code) << m_count;
        m_count += width;
        for (; m_count >= 8; m_count -= 8, m_bits >>= 8)
            m_bytes.append(char(m_bits & 0xff));
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xff));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

// A two-colour GIF (red left half, blue right half); Qt writes no GIF. With
// a minimum code size of 2, a clear code before every second pixel keeps the
// code table from growing, so every code is 3 bits wide.
QByteArray twoHalvesGif(const QSize &size)
{
    const int clear = 4, end = 5;
    GifCodes codes;
    int written = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x, ++written) {
            if (written % 2 == 0)
                codes.put(clear, 3);
            codes.put(x < size.width() / 2 ? 0 : 1, 3);
        }
    }
    codes.put(end, 3);
    const QByteArray data = codes.finish();

    QByteArray gif("GIF89a");
    gif += le16(size.width()) + le16(size.height());
    gif += QByteArray("\x80\x00\x00", 3);             // two-entry global colour table
    gif += QByteArray("\xff\x00\x00\x00\x00\xff", 6);  // red, blue
    gif += QByteArray("\x2c\x00\x00\x00\x00", 5);
    gif += le16(size.width()) + le16(size.height());
    gif += QByteArray("\x00\x02", 2);                  // no local table; minimum code size 2
    for (int at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif += char(block.size());
        gif += block;
    }
    gif += QByteArray("\x00\x3b", 2);
    return gif;
}

// A 24-bit BMP whose header states the given size but which carries only a
// few bytes of pixel data.
QByteArray bmpClaiming(qint32 width, qint32 height)
{
    const QByteArray pixels(16, '\0');
    QByteArray bmp("BM");
    bmp += le32(54 + pixels.size()) + le32(0) + le32(54);
    bmp += le32(40) + le32(width) + le32(height) + le16(1) + le16(24);
    bmp += le32(0) + le32(pixels.size()) + le32(2835) + le32(2835) + le32(0) + le32(0);
    return bmp + pixels;
}

// Puts an Exif APP1 segment holding only Orientation right after SOI.
QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    QByteArray tiff("MM\x00\x2a\x00\x00\x00\x08", 8);  // big-endian, first IFD at 8
    tiff += QByteArray("\x00\x01", 2);                  // one entry
    tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8);  // Orientation, SHORT, 1 value
    tiff += char(0);
    tiff += char(orientation);
    tiff += QByteArray(2, '\0');
    tiff += QByteArray(4, '\0');                        // no next IFD
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    segment += char((payload.size() + 2) >> 8);
    segment += char((payload.size() + 2) & 0xff);
    segment += payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        if (!writeFileBytes(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
    }

    void loads_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<QSize>("expected");

        const QImage landscape = twoHalves(QSize(800, 600));
        QTest::newRow("JPEG shrinks to cover the slot, aspect kept")
            << "wide.jpg" << encode(landscape, "jpeg") << Slot << QSize(151, 113);
        QTest::newRow("tall JPEG covers the slot's width")
            << "tall.jpg" << encode(twoHalves(QSize(300, 900)), "jpeg") << Slot << QSize(125, 375);
        QTest::newRow("same aspect as the slot fits exactly")
            << "exact.jpg" << encode(twoHalves(QSize(250, 226)), "jpeg") << Slot << QSize(125, 113);
        QTest::newRow("progressive JPEG")
            << "progressive.jpg" << encode(landscape, "jpeg", true) << Slot << QSize(151, 113);
        QTest::newRow("PNG named .jpg")
            << "png.jpg" << encode(landscape, "png") << Slot << QSize(151, 113);
        QTest::newRow("GIF decoded in full, then shrunk")
            << "halves.gif" << twoHalvesGif(QSize(400, 300)) << Slot << QSize(151, 113);
        QTest::newRow("BMP decoded in full, then shrunk")
            << "halves.bmp" << encode(landscape, "bmp") << Slot << QSize(151, 113);
        QTest::newRow("picture smaller than the slot is not enlarged")
            << "small.jpg" << encode(twoHalves(QSize(100, 80)), "jpeg") << Slot << QSize(100, 80);
        QTest::newRow("picture narrower than the slot is not enlarged")
            << "narrow.bmp" << encode(twoHalves(QSize(200, 50)), "bmp") << Slot << QSize(200, 50);
        QTest::newRow("no target keeps the full size")
            << "full.jpg" << encode(landscape, "jpeg") << QSize() << QSize(800, 600);
        QTest::newRow("high-DPI slot")
            << "hidpi.jpg" << encode(landscape, "jpeg") << QSize(250, 226) << QSize(302, 226);
    }

    void loads()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, target);
        QFETCH(QSize, expected);
        QVERIFY(!bytes.isEmpty());

        const LoadedPicture picture = loadPicture(write(fileName, bytes), target);

        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), expected);
        const int middle = expected.height() / 2;
        QVERIFY(isReddish(picture.image.pixelColor(expected.width() / 4, middle)));
        QVERIFY(isBluish(picture.image.pixelColor(expected.width() * 3 / 4, middle)));
    }

    void fails_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");

        const QByteArray png = encode(twoHalves(QSize(400, 300)), "png");
        QTest::newRow("missing file") << "missing.jpg" << QByteArray();
        QTest::newRow("zero-byte .jpg") << "empty.jpg" << QByteArray("");
        QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("Holiday notes\r\n");
        QTest::newRow("HTML page")
            << "index.html" << QByteArray("<html><body><img src=\"a.jpg\"></body></html>\r\n");
        QTest::newRow("BMP claiming 60000 x 60000") << "huge.bmp" << bmpClaiming(60000, 60000);
        QTest::newRow("BMP over the allocation limit") << "large.bmp" << bmpClaiming(9000, 9000);
        QTest::newRow("GIF cut off after its header")
            << "cut.gif" << twoHalvesGif(QSize(40, 30)).left(30);
        QTest::newRow("PNG cut at a third") << "cut.png" << png.left(png.size() / 3);
    }

    void fails()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        const QString path = bytes.isNull() ? m_dir.filePath(fileName) : write(fileName, bytes);

        const LoadedPicture picture = loadPicture(path, Slot);

        QVERIFY(!picture.ok());
        QVERIFY(picture.image.isNull());
        QVERIFY(!picture.error.trimmed().isEmpty());
        QVERIFY2(!picture.error.contains(fileName), qPrintable(picture.error));
    }

    void folderIsNotAPicture()
    {
        const QString folder = m_dir.filePath("pictures.jpg");
        QVERIFY(QDir().mkpath(folder));
        const LoadedPicture picture = loadPicture(folder, Slot);
        QVERIFY(!picture.ok());
        QVERIFY(!picture.error.isEmpty());
    }

    void exifOrientationIsApplied_data()
    {
        QTest::addColumn<QSize>("target");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("scaled while decoding") << Slot << QSize(125, 167);
        QTest::newRow("full size") << QSize() << QSize(300, 400);
    }

    void exifOrientationIsApplied()
    {
        QFETCH(QSize, target);
        QFETCH(QSize, expected);
        // Stored 400 x 300, red on the left; orientation 6 turns it clockwise.
        const QByteArray jpeg = encode(twoHalves(QSize(400, 300)), "jpeg");
        const QString path = write("turned.jpg", withExifOrientation(jpeg, 6));

        const LoadedPicture picture = loadPicture(path, target);

        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), expected);
        const int centre = expected.width() / 2;
        QVERIFY(isReddish(picture.image.pixelColor(centre, expected.height() / 4)));
        QVERIFY(isBluish(picture.image.pixelColor(centre, expected.height() * 3 / 4)));
    }

    void truncatedJpegStillLoads()
    {
        const QByteArray jpeg = encode(twoHalves(QSize(800, 600)), "jpeg");
        const QString path = write("truncated.jpg", jpeg.left(jpeg.size() / 3));

        const LoadedPicture picture = loadPicture(path, Slot);

        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), QSize(151, 113));
    }

    void prefetchedResultsMatchDirectLoads()
    {
        QStringList paths;
        for (int i = 0; i < 12; ++i) {
            const QSize size(300 + 40 * i, 200 + 30 * (i % 5));
            const QString name = QStringLiteral("item%1.%2").arg(i).arg(i % 3 == 2 ? "bmp" : "jpg");
            paths << write(name, encode(twoHalves(size), i % 3 == 2 ? "bmp" : "jpeg"));
        }
        paths[5] = m_dir.filePath("gone.jpg");

        PicturePrefetcher prefetcher(paths, Slot, 3);
        for (int i = 0; i < paths.size(); ++i) {
            const LoadedPicture ahead = prefetcher.take(i, paths.at(i));
            const LoadedPicture direct = loadPicture(paths.at(i), Slot);
            QCOMPARE(ahead.error, direct.error);
            QCOMPARE(ahead.image, direct.image);
            QCOMPARE(ahead.ok(), i != 5);
        }
    }

    void unpredictedPathIsLoadedDirectly_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("item renamed since the prediction") << 1 << "other.jpg" << QSize(125, 375);
        QTest::newRow("index past the predicted items") << 7 << "other.jpg" << QSize(125, 375);
        QTest::newRow("skipping ahead to a predicted item") << 2 << "c.jpg" << QSize(151, 113);
        QTest::newRow("negative index") << -1 << "a.jpg" << QSize(151, 113);
    }

    void unpredictedPathIsLoadedDirectly()
    {
        QFETCH(int, index);
        QFETCH(QString, actual);
        QFETCH(QSize, expected);
        const QByteArray wide = encode(twoHalves(QSize(800, 600)), "jpeg");
        const QStringList predicted = {write("a.jpg", wide), write("b.jpg", wide), write("c.jpg", wide)};
        write("other.jpg", encode(twoHalves(QSize(300, 900)), "jpeg"));

        PicturePrefetcher prefetcher(predicted, Slot, 2);
        const LoadedPicture picture = prefetcher.take(index, m_dir.filePath(actual));
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), expected);

        // The prefetcher goes on serving later items correctly.
        const LoadedPicture last = prefetcher.take(2, predicted.at(2));
        QVERIFY2(last.ok(), qPrintable(last.error));
        QCOMPARE(last.image.size(), QSize(151, 113));
    }

    void destroyingMidwayIsSafe_data()
    {
        QTest::addColumn<int>("taken");
        QTest::newRow("before any take") << 0;
        QTest::newRow("after one take") << 1;
        QTest::newRow("halfway") << 10;
    }

    void destroyingMidwayIsSafe()
    {
        QFETCH(int, taken);
        const QString path = write("mid.jpg", encode(twoHalves(QSize(1600, 1200)), "jpeg"));
        const QStringList paths(20, path);

        auto prefetcher = std::make_unique<PicturePrefetcher>(paths, Slot, 6);
        for (int i = 0; i < taken; ++i)
            QVERIFY(prefetcher->take(i, path).ok());
        prefetcher.reset();

        // A new prefetcher over the same files starts from scratch.
        PicturePrefetcher next(paths, Slot, 6);
        QCOMPARE(next.take(0, path).image.size(), QSize(151, 113));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
