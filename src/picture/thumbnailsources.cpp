// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/thumbnailsources.h"

#include "picture/jpegbounds.h"
#include "picture/pngbounds.h"
#include "picture/decoderpool.h"
#include "picture/picturedecode.h"
#include "picture/picturefile.h"
#include "picture/thumbnailcache.h"
#include "toolkit/durablefile.h"
#include "toolkit/storagewait.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMutex>
#include <QTransform>
#include <QtEndian>

#include <libexif/exif-data.h>
#include <zlib.h>

#include <array>
#include <atomic>
#include <thread>
#include <utility>
#include <memory>

namespace ThumbnailSources {

namespace {

constexpr std::array<int, 4> Sides = {128, 256, 512, 1024};
// An EXIF block is at most 64 KiB; a JFIF header may stand before it, and the
// frame header after it is needed for the picture's size.
constexpr qint64 HeadBytes = 80 * 1024;
// No camera embeds more; a larger stated size is a damaged block, which
// must not cost a large allocation.
constexpr int LargestExifThumbnail = 1024;

const char *folderName(int side)
{
    switch (side) {
    case 128: return "normal";
    case 256: return "large";
    case 512: return "x-large";
    default: return "xx-large";
    }
}

bool covers(const QSize &size, const QSize &target)
{
    return size.width() >= target.width() && size.height() >= target.height();
}

// The smallest size with the aspect of `shape` that covers target.
QSize coverOf(const QSize &shape, const QSize &target)
{
    const qint64 sw = shape.width(), sh = shape.height();
    const qint64 tw = target.width(), th = target.height();
    return th * sw >= tw * sh ? QSize(int((sw * th + sh - 1) / sh), int(th))
                              : QSize(int(tw), int((sh * tw + sw - 1) / sw));
}

// The picture shrunk to just cover target, with the aspect of `shape` (the
// picture's own, which a smaller copy may have lost to rounding); as it is
// when it would have to grow.
QImage shrunkToCover(const QImage &image, const QSize &target, QSize shape = QSize())
{
    if (image.isNull() || target.isEmpty())
        return image;
    const QSize cover = coverOf(shape.isEmpty() ? image.size() : shape, target);
    if (cover.width() >= image.width() || cover.height() >= image.height())
        return image;
    return image.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The size a picture of size `picture` has in the cache folder for `side`:
// fitted into side × side, never enlarged.
QSize cacheSize(const QSize &picture, int side)
{
    if (picture.width() <= side && picture.height() <= side)
        return picture;
    return picture.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

struct CacheStamp
{
    qint64 mtime = 0;
    qint64 size = 0;
};

bool stampOf(const QString &path, CacheStamp *stamp)
{
    return ThumbnailCache::stampOf(path, &stamp->mtime, &stamp->size);
}

// The stamp of the file as it was read when the caller knows it: a second
// look at the path could already see a file put in its place.
bool stampOf(const QString &path, const FileStamp *read, CacheStamp *stamp)
{
    if (!read)
        return stampOf(path, stamp);
    stamp->mtime = read->modifiedSeconds;
    stamp->size = read->size;
    return true;
}

QImage turned(const QImage &image, int orientation)
{
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return image.mirrored(true, true);
    case 4: return image.mirrored(false, true);
    case 5: return image.mirrored(false, true).transformed(QTransform().rotate(90));
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.mirrored(true, false).transformed(QTransform().rotate(90));
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

bool turnsSideways(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

struct ExifDeleter
{
    void operator()(ExifData *data) const { exif_data_unref(data); }
};

// Fail records are kept per program and version, as the standard asks: a
// later version may show what this one could not.
const QLatin1String FailFolder("fail/kelvane-" KELVANE_VERSION);
const QString ReasonKey = QStringLiteral("Kelvane::Reason");
// A fail record is an empty picture with a few texts.
constexpr qint64 LargestFailRecord = 64 * 1024;
// The largest thumbnail, 1024 × 1024 pixels of 16-bit RGBA, takes 8 MiB
// stored uncompressed; more is not a thumbnail, and is not read.
constexpr qint64 LargestThumbnailFile = 16 * 1024 * 1024;

// The name of every file the cache holds of a picture, in each size folder
// and the fail folder alike.
QString hashedName(const QByteArray &uri)
{
    return QLatin1String(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) + QStringLiteral(".png");
}

enum class FolderUse { Read, Write };

// A folder's state is looked up again only after this long: a board asks
// for every picture, and the cache's folders seldom change.
constexpr qint64 FolderStateMilliseconds = 2000;

struct KnownState
{
    ThumbnailCache::FolderState state = ThumbnailCache::FolderState::Missing;
    QDeadlineTimer until;
};

// Whether one folder of the cache may be used; for writing, a missing one is
// made, and looked at again, as it may not have come out as asked.
bool usableFolder(const QString &folder, FolderUse use)
{
    using ThumbnailCache::FolderState;
    static QMutex lock;
    static QHash<QString, KnownState> known;
    FolderState state = FolderState::Missing;
    {
        const QMutexLocker locked(&lock);
        const auto found = known.constFind(folder);
        if (found != known.cend() && !found->until.hasExpired()) {
            state = found->state;
        } else {
            state = ThumbnailCache::folderState(folder);
            known.insert(folder, {state, QDeadlineTimer(FolderStateMilliseconds)});
        }
    }
    if (state != FolderState::Missing || use == FolderUse::Read)
        return state == FolderState::Private;
    ThumbnailCache::makeFolder(folder);
    state = ThumbnailCache::folderState(folder);
    const QMutexLocker locked(&lock);
    known.insert(folder, {state, QDeadlineTimer(FolderStateMilliseconds)});
    return state == FolderState::Private;
}

// Whether the cache's folder `relative` (as "large" or "fail/kelvane-1.0"),
// and each folder from the cache's root down to it, may be used. A folder
// that another user could have put files in is never read nor written: it
// could hold their thumbnails of our pictures, or take ours elsewhere.
bool usableCacheFolder(const QString &root, const QString &relative, FolderUse use)
{
    QString folder = root;
    if (root.isEmpty() || !usableFolder(folder, use))
        return false;
    for (const QString &part : relative.split(QLatin1Char('/'))) {
        folder += QLatin1Char('/') + part;
        if (!usableFolder(folder, use))
            return false;
    }
    return true;
}

// Writes the image as `name` into the folder `relative` of the cache at
// `root`, made as needed. Readers may look at any moment: the file appears
// whole or not at all, and no other user can open it.
bool writeCacheFile(const QString &root, const QString &relative, const QString &name, const QImage &image)
{
    if (!usableCacheFolder(root, relative, FolderUse::Write))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(80); // light compression: the write costs less than the decode
    if (!writer.write(image))
        return false;
    Toolkit::ReplaceOptions options;
    options.ownerOnly = true;
    return Toolkit::replaceFile(root + QLatin1Char('/') + relative + QLatin1Char('/') + name, bytes, options)
        .isEmpty();
}

} // namespace

namespace {

std::atomic<bool> cacheOff{false};

CacheProbe &currentProbe()
{
    static CacheProbe probe;
    return probe;
}

} // namespace

QString cacheFolder()
{
    return cacheOff.load(std::memory_order_relaxed) ? QString() : ThumbnailCache::folder();
}

CacheProbe setCacheProbe(CacheProbe probe)
{
    return std::exchange(currentProbe(), std::move(probe));
}

bool checkCacheAnswers(int milliseconds)
{
    // Asked from the window's thread only. A question that never came back
    // holds its thread; no second one joins it.
    static std::shared_ptr<Toolkit::WaitLatch> unanswered;
    if (unanswered && !unanswered->isOpen())
        return false;
    const QString root = ThumbnailCache::folder();
    if (root.isEmpty())
        return true;
    const auto latch = std::make_shared<Toolkit::WaitLatch>();
    std::thread([latch, root, probe = currentProbe()] {
        if (probe)
            probe(root);
        else
            ThumbnailCache::folderState(root);
        latch->open();
    }).detach();
    const bool answered = Toolkit::waitFor(latch, milliseconds, Toolkit::WaitInput::Answered) == Toolkit::WaitEnd::Done;
    unanswered = answered ? nullptr : latch;
    cacheOff.store(!answered, std::memory_order_relaxed);
    return answered;
}

bool insideCache(const QString &picturePath)
{
    const QString folder = cacheFolder();
    if (folder.isEmpty())
        return false;
    // Links are followed on both sides: a picture reached through a link
    // into the cache is still one of its files.
    const QFileInfo picture(picturePath);
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QString canonicalPicture = picture.canonicalFilePath();
    const QString path = canonicalPicture.isEmpty() ? QDir::cleanPath(picture.absoluteFilePath()) : canonicalPicture;
    const QString root = canonicalFolder.isEmpty() ? folder : canonicalFolder;
    return path.startsWith(root + QLatin1Char('/'));
}

QByteArray pictureUri(const QString &picturePath)
{
    return ThumbnailCache::uriOf(QFileInfo(picturePath).absoluteFilePath());
}

QString cachePath(const QString &picturePath, int side)
{
    const QByteArray uri = pictureUri(picturePath);
    const QString folder = cacheFolder();
    if (uri.isEmpty() || folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + QLatin1String(folderName(side)) + QLatin1Char('/') + hashedName(uri);
}

namespace {

// A cache entry's texts are short; more is a damaged or hostile file.
constexpr qsizetype LargestEntryText = 64 * 1024;

// The text a zlib stream inflates to, or false when it is damaged or longer
// than LargestEntryText.
bool inflated(QByteArrayView stream, QByteArray *text)
{
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        return false;
    text->resize(LargestEntryText + 1);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.data()));
    z.avail_in = uInt(stream.size());
    z.next_out = reinterpret_cast<Bytef *>(text->data());
    z.avail_out = uInt(text->size());
    const int status = inflate(&z, Z_FINISH);
    text->resize(text->size() - qsizetype(z.avail_out));
    inflateEnd(&z);
    return status == Z_STREAM_END && text->size() <= LargestEntryText;
}

// The texts of a PNG held whole in memory, read from its chunks as the
// decoder reads them (the last of a keyword counts, Latin-1 but for
// international texts) without inflating its pixels. Only the keywords the
// cache defines, and the reason of a fail record, are read. Fails when the chunks do not add up or such a text
// cannot be read: the decoder is then left to judge the file.
class EntryTexts
{
public:
    bool read(const QByteArray &png)
    {
        if (!png.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8)))
            return false;
        qsizetype at = 8;
        int textChunks = 0;
        while (at + 12 <= png.size()) {
            const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
            const QByteArray type = png.mid(at + 4, 4);
            if (length > quint32(png.size() - at - 12))
                return false;
            if (type == "IEND")
                return true;
            const QByteArrayView data = QByteArrayView(png).sliced(at + 8, qsizetype(length));
            if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
                // The decoder drops a text whose checksum is wrong and keeps
                // no more than a thousand; rather than follow it that far,
                // such a file is left to the decoder to judge.
                const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + at + 4), length + 4);
                if (++textChunks > 1000 || crc != qFromBigEndian<quint32>(png.constData() + at + 8 + length)
                    || !readText(type, data))
                    return false;
            }
            at += 12 + qsizetype(length);
        }
        return false;
    }

    QString text(const QString &key) const { return m_texts.value(key); }

private:
    bool readText(const QByteArray &type, QByteArrayView data)
    {
        // A text without its zero byte is all keyword, with an empty value.
        const qsizetype keyEnd = data.indexOf('\0');
        if (keyEnd < 0 && type != "tEXt")
            return false;
        const QString key = QString::fromLatin1(keyEnd < 0 ? data : data.first(keyEnd));
        if (!key.startsWith(QLatin1String("Thumb::")) && key != ReasonKey)
            return true;
        QByteArrayView rest = keyEnd < 0 ? QByteArrayView() : data.sliced(keyEnd + 1);
        if (type == "tEXt") {
            m_texts.insert(key, QString::fromLatin1(rest));
            return true;
        }
        QByteArray text;
        if (type == "zTXt") {
            if (rest.isEmpty() || rest.at(0) != 0 || !inflatedWithin(rest.sliced(1), &text))
                return false;
            m_texts.insert(key, QString::fromLatin1(text));
            return true;
        }
        // iTXt: a compression flag and method, a language tag and a
        // translated keyword, each of the last two ended by a zero byte.
        if (rest.size() < 2 || rest.at(0) > 1 || (rest.at(0) == 1 && rest.at(1) != 0))
            return false;
        const bool compressed = rest.at(0) == 1;
        rest = rest.sliced(2);
        for (int skipped = 0; skipped < 2; ++skipped) {
            const qsizetype end = rest.indexOf('\0');
            if (end < 0)
                return false;
            rest = rest.sliced(end + 1);
        }
        if (!compressed)
            text = rest.toByteArray();
        else if (!inflatedWithin(rest, &text))
            return false;
        m_texts.insert(key, QString::fromUtf8(text));
        return true;
    }

    // Inflates within what all of an entry's texts may take together, so
    // that a file of many compressed texts costs no more than one.
    bool inflatedWithin(QByteArrayView stream, QByteArray *text)
    {
        if (!inflated(stream, text) || text->size() > m_inflateLeft)
            return false;
        m_inflateLeft -= text->size();
        return true;
    }

    QHash<QString, QString> m_texts;
    qsizetype m_inflateLeft = 4 * LargestEntryText;
};

// Whether the texts of a cache entry (a decoded image's, or those read from
// its chunks) say it is a thumbnail of the picture as it is now.
template<typename Texts>
bool describesPicture(const Texts &entry, const CacheStamp &stamp, const QByteArray &uri)
{
    if (entry.text(QStringLiteral("Thumb::MTime")) != QString::number(stamp.mtime))
        return false;
    const QString fileSize = entry.text(QStringLiteral("Thumb::Size"));
    if (!fileSize.isEmpty() && fileSize != QString::number(stamp.size))
        return false;
    const QString storedUri = entry.text(QStringLiteral("Thumb::URI"));
    return storedUri.isEmpty() || storedUri.toUtf8() == uri;
}

// The cached thumbnail of the picture as cachedThumbnail() gives it; when
// `image` is null, only whether there is one, told from the entry's header
// and texts; its pixels are not inflated.
bool findCached(const QString &picturePath, const QSize &targetDevicePixels, const FileStamp *read, QImage *image)
{
    CacheStamp stamp;
    if (targetDevicePixels.isEmpty() || !stampOf(picturePath, read, &stamp))
        return false;
    const QByteArray uri = pictureUri(picturePath);
    if (uri.isEmpty())
        return false;
    const QString name = hashedName(uri);
    const QString folder = cacheFolder();
    if (folder.isEmpty())
        return false;
    for (const int side : Sides) {
        // A folder's thumbnails are at most side pixels either way.
        if (side < targetDevicePixels.width() || side < targetDevicePixels.height()
            || !usableCacheFolder(folder, QLatin1String(folderName(side)), FolderUse::Read))
            continue;
        // Another program's cache may hold anything, a FIFO even. The file
        // is read whole at once and decoded from memory: the decoder's own
        // reads come in pieces, each a call into the system.
        QByteArray bytes;
        if (!readRegularFile(folder + QLatin1Char('/') + QLatin1String(folderName(side)) + QLatin1Char('/') + name,
                             LargestThumbnailFile, &bytes).isEmpty())
            continue;
        // The header, the chunks and the texts are read here, by this
        // program's own bounded code; only a decoding helper inflates the
        // pixels, so an entry made to cost memory or time costs it there.
        if (!PngBounds::isPng(bytes.first(qMin<qsizetype>(8, bytes.size()))))
            continue;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const PngLayout layout = PngBounds::layoutOf(buffer);
        const QSize size(layout.width, layout.height);
        if (!PngBounds::refusal(layout).isEmpty() || !covers(size, targetDevicePixels) || size.width() > side
            || size.height() > side)
            continue;
        // The texts are read from the bytes: the reader does not give
        // back keywords with a colon, as the cache's all are.
        EntryTexts texts;
        if (!texts.read(bytes) || !describesPicture(texts, stamp, uri))
            continue;
        if (!image)
            return true;
        DecodeJob::Job job;
        job.kind = DecodeJob::Kind::CacheEntry;
        job.bytes = bytes;
        const QImage decoded = DecoderPool::run(job, -1, nullptr).image;
        if (decoded.isNull() || !covers(decoded.size(), targetDevicePixels) || !describesPicture(decoded, stamp, uri))
            continue;
        // The picture's own size, when recorded, gives the same size as a
        // decode would; the thumbnail's has lost a little to rounding.
        const QSize picture(decoded.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                            decoded.text(QStringLiteral("Thumb::Image::Height")).toInt());
        const bool sameShape = !picture.isEmpty()
            && qAbs(double(picture.width()) * decoded.height() / (double(picture.height()) * decoded.width()) - 1)
                < 0.02;
        *image = shrunkToCover(decoded, targetDevicePixels, sameShape ? picture : QSize());
        return true;
    }
    return false;
}

} // namespace

QImage cachedThumbnail(const QString &picturePath, const QSize &targetDevicePixels, const FileStamp *read)
{
    QImage image;
    findCached(picturePath, targetDevicePixels, read, &image);
    return image;
}

bool hasCachedThumbnail(const QString &picturePath, const QSize &targetDevicePixels, const FileStamp *read)
{
    return findCached(picturePath, targetDevicePixels, read, nullptr);
}

QImage exifThumbnail(const QByteArray &head, const QSize &pictureStored, const QSize &targetDevicePixels)
{
    if (head.size() < 4 || pictureStored.isEmpty() || targetDevicePixels.isEmpty())
        return QImage();
    std::unique_ptr<ExifData, ExifDeleter> exif(exif_data_new());
    if (!exif)
        return QImage();
    // Only the thumbnail and the orientation are wanted: no repairs of
    // missing tags, no maker notes.
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif.get(), reinterpret_cast<const unsigned char *>(head.constData()),
                        static_cast<unsigned int>(head.size()));
    if (!exif->data || exif->size == 0)
        return QImage();

    int orientation = 1;
    if (ExifEntry *entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION)) {
        if (entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 && entry->data && entry->size >= 2)
            orientation = exif_get_short(entry->data, exif_data_get_byte_order(exif.get()));
    }

    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(exif->data),
                                               static_cast<qsizetype>(exif->size));
    // The embedded thumbnail is a JPEG of its own, bounded like any other.
    if (!JpegBounds::refusal(JpegBounds::layoutOf(bytes)).isEmpty())
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    QSize size = reader.size();
    if (size.isEmpty() || size.width() > LargestExifThumbnail || size.height() > LargestExifThumbnail)
        return QImage();
    QSize picture = pictureStored;
    if (turnsSideways(orientation)) {
        size.transpose();
        picture.transpose();
    }

    // At most 5% enlargement either way.
    const qint64 tw = targetDevicePixels.width(), th = targetDevicePixels.height();
    if (100 * tw > 105 * qint64(size.width()) || 100 * th > 105 * qint64(size.height()))
        return QImage();
    // Aspects within 2%: a thumbnail with bars has the wrong one.
    const double ratio = double(size.width()) * picture.height() / (double(size.height()) * picture.width());
    if (ratio < 0.98 || ratio > 1.02)
        return QImage();

    QImage image;
    if (!reader.read(&image))
        return QImage();
    image = turned(image, orientation);
    if (image.size() != size)
        return QImage();
    return shrunkToCover(image, targetDevicePixels, picture);
}

QByteArray exifHead(QIODevice &picture)
{
    QByteArray head = picture.peek(2);
    if (head.size() < 2 || uchar(head.at(0)) != 0xff || uchar(head.at(1)) != 0xd8)
        return QByteArray();
    head = picture.read(HeadBytes);
    picture.seek(0);
    return head;
}

QImage embeddedThumbnail(QIODevice &picture, const QSize &targetDevicePixels)
{
    if (targetDevicePixels.isEmpty())
        return QImage();
    return PictureDecode::firstLook(exifHead(picture), targetDevicePixels);
}

int cacheSide(const QSize &picture, const QSize &targetDevicePixels)
{
    if (picture.isEmpty() || targetDevicePixels.isEmpty())
        return 0;
    for (const int side : Sides) {
        if (covers(cacheSize(picture, side), targetDevicePixels))
            return side;
    }
    return 0;
}

QSize decodeTarget(const QString &picturePath, const QSize &pictureUpright, const QSize &targetDevicePixels)
{
    return takesDecodes(picturePath) ? cacheDecodeTarget(pictureUpright, targetDevicePixels) : targetDevicePixels;
}

QSize cacheDecodeTarget(const QSize &pictureUpright, const QSize &targetDevicePixels)
{
    const int side = cacheSide(pictureUpright, targetDevicePixels);
    return side == 0 ? targetDevicePixels : cacheSize(pictureUpright, side);
}

bool takesDecodes(const QString &picturePath)
{
    return !cacheFolder().isEmpty() && !insideCache(picturePath);
}

bool storeThumbnail(const QString &picturePath, const QImage &decoded, const QSize &pictureUpright,
                    const QSize &targetDevicePixels, const FileStamp *read)
{
    const int side = cacheSide(pictureUpright, targetDevicePixels);
    if (side == 0 || decoded.isNull())
        return false;
    // The standard: no thumbnails of the thumbnails themselves.
    const QString folder = cacheFolder();
    if (folder.isEmpty() || insideCache(picturePath))
        return false;
    const QSize size = cacheSize(pictureUpright, side);
    // A decode one pixel short of the size (rounding) still makes the size.
    if (decoded.width() + 1 < size.width() || decoded.height() + 1 < size.height())
        return false;
    CacheStamp stamp;
    const QByteArray uri = pictureUri(picturePath);
    if (uri.isEmpty() || !stampOf(picturePath, read, &stamp))
        return false;

    QImage image = decoded.size() == size
        ? decoded : decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(uri));
    image.setText(QStringLiteral("Thumb::MTime"), QString::number(stamp.mtime));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(stamp.size));
    image.setText(QStringLiteral("Thumb::Image::Width"), QString::number(pictureUpright.width()));
    image.setText(QStringLiteral("Thumb::Image::Height"), QString::number(pictureUpright.height()));
    image.setText(QStringLiteral("Software"), QStringLiteral("Kelvane"));
    return writeCacheFile(folder, QLatin1String(folderName(side)), hashedName(uri), image);
}

QString failurePath(const QString &picturePath)
{
    const QByteArray uri = pictureUri(picturePath);
    const QString folder = cacheFolder();
    if (uri.isEmpty() || folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + FailFolder + QLatin1Char('/') + hashedName(uri);
}

QString recordedFailure(const QString &picturePath, const FileStamp *read)
{
    CacheStamp stamp;
    const QString record = failurePath(picturePath);
    if (record.isEmpty() || !stampOf(picturePath, read, &stamp))
        return QString();
    QByteArray bytes;
    if (!usableCacheFolder(cacheFolder(), FailFolder, FolderUse::Read)
        || !readRegularFile(record, LargestFailRecord, &bytes).isEmpty())
        return QString();
    // A record is one pixel and its texts: its header and texts are read
    // here, by this program's own bounded code, and its pixel not at all.
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EntryTexts texts;
    if (!PngBounds::isPng(bytes.first(qMin<qsizetype>(8, bytes.size()))))
        return QString();
    const PngLayout layout = PngBounds::layoutOf(buffer);
    if (layout.width != 1 || layout.height != 1 || !PngBounds::refusal(layout).isEmpty() || !texts.read(bytes))
        return QString();
    if (texts.text(QStringLiteral("Thumb::URI")).toUtf8() != pictureUri(picturePath)
        || texts.text(QStringLiteral("Thumb::MTime")) != QString::number(stamp.mtime)
        || texts.text(QStringLiteral("Thumb::Size")) != QString::number(stamp.size))
        return QString();
    const QString reason = texts.text(ReasonKey);
    return reason.isEmpty() ? QCoreApplication::translate("PictureLoader", "It could not be shown before") : reason;
}

bool storeFailure(const QString &picturePath, const QString &reason, const FileStamp *read)
{
    CacheStamp stamp;
    const QString record = failurePath(picturePath);
    if (record.isEmpty() || insideCache(picturePath) || !stampOf(picturePath, read, &stamp))
        return false;
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(pictureUri(picturePath)));
    image.setText(QStringLiteral("Thumb::MTime"), QString::number(stamp.mtime));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(stamp.size));
    image.setText(QStringLiteral("Software"), QStringLiteral("Kelvane"));
    image.setText(ReasonKey, reason);
    return writeCacheFile(cacheFolder(), FailFolder, QFileInfo(record).fileName(), image);
}

QImage afterDecode(const QString &picturePath, const QImage &decoded, const QSize &pictureUpright,
                   const QSize &targetDevicePixels, bool store, const FileStamp *read)
{
    if (store)
        storeThumbnail(picturePath, decoded, pictureUpright, targetDevicePixels, read);
    return shrunkToCover(decoded, targetDevicePixels, pictureUpright);
}

} // namespace ThumbnailSources
