// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/pictureloader.h"
#include "picture/thumbnailsources.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QtEndian>

#include <zlib.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

const QSize Slot(123, 111);

[[maybe_unused]] QString modeOf(const QString &path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return QString::number(info.st_mode & 07777, 8);
}

// Writes the thumbnail the desktop would have cached for the picture; a
// shift records another time or size than the file's.
void writeCacheEntry(const QString &picture, int side, const QSize &size, qint64 mtimeShift, qint64 sizeShift)
{
    QImage image = twoHalves(size);
    image.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(ThumbnailSources::pictureUri(picture)));
    image.setText(QStringLiteral("Thumb::MTime"),
                  QString::number(QFileInfo(picture).lastModified().toSecsSinceEpoch() + mtimeShift));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(QFileInfo(picture).size() + sizeShift));
    const QString path = ThumbnailSources::cachePath(picture, side);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY(image.save(path, "png"));
}

void windowsCacheFolderRows()
{
    QTest::newRow("absolute LOCALAPPDATA") << QByteArray("@/local") << QByteArray("-")
                                           << "local/Kelvane/thumbnails";
}

void linuxCacheFolderRows()
{
    QTest::newRow("absolute XDG_CACHE_HOME") << QByteArray("@/xdg") << QByteArray("@/home") << "xdg/thumbnails";
    QTest::newRow("relative XDG_CACHE_HOME falls back to HOME")
        << QByteArray("xdg") << QByteArray("@/home") << "home/.cache/thumbnails";
    QTest::newRow("non-UTF-8 XDG_CACHE_HOME falls back to HOME")
        << QByteArray("@/caf\xe9") << QByteArray("@/home") << "home/.cache/thumbnails";
    QTest::newRow("relative HOME: no cache") << QByteArray("-") << QByteArray("relhome") << QString();
    QTest::newRow("unset HOME: no cache") << QByteArray("-") << QByteArray("-") << QString();
    QTest::newRow("relative HOME, absolute XDG_CACHE_HOME")
        << QByteArray("@/xdg") << QByteArray("relhome") << "xdg/thumbnails";
}

} // namespace

class TestThumbSources : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QString m_startFolder;
    int m_rows = 0;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setCacheHome(m_dir.filePath(QStringLiteral("cache")));
        m_home = qgetenv("HOME");
        m_startFolder = QDir::currentPath();
    }

    void cleanup()
    {
        setCacheHome(m_dir.filePath(QStringLiteral("cache")));
        qputenv("HOME", m_home);
        QDir::setCurrent(m_startFolder);
    }

    // The picture is flat red; a cached or EXIF thumbnail is red on the left
    // and blue on the right as stored, so blue shows where it was used.
    void sources_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("exif");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("cacheSide");
        QTest::addColumn<QSize>("cached");
        QTest::addColumn<int>("mtimeShift");
        QTest::addColumn<int>("sizeShift");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<bool>("thumbnailUsed");
        QTest::addColumn<QSize>("size");

        const QSize none;
        QTest::newRow("cache hit") << QSize(800, 600) << none << 0 << 256 << QSize(256, 192) << 0 << 0 << Slot
                                   << true << QSize(148, 111);
        QTest::newRow("stale cache") << QSize(800, 600) << none << 0 << 256 << QSize(256, 192) << 1 << 0 << Slot
                                     << false << QSize(148, 111);
        QTest::newRow("cache of a file one byte longer") << QSize(800, 600) << none << 0 << 256 << QSize(256, 192)
                                                         << 0 << 1 << Slot << false << QSize(148, 111);
        QTest::newRow("cache too small for the slot") << QSize(800, 600) << none << 0 << 128 << QSize(128, 96)
                                                      << 0 << 0 << Slot << false << QSize(148, 111);
        QTest::newRow("EXIF hit") << QSize(800, 600) << QSize(160, 120) << 1 << 0 << none << 0 << 0 << Slot << true
                                  << QSize(148, 111);
        QTest::newRow("EXIF with bars for a 3:2 picture") << QSize(900, 600) << QSize(160, 120) << 1 << 0 << none
                                                          << 0 << 0 << Slot << false << QSize(167, 111);
        QTest::newRow("EXIF orientation 6, 5% enlarged") << QSize(800, 600) << QSize(160, 120) << 6 << 0 << none
                                                         << 0 << 0 << Slot << true << QSize(120, 160);
        QTest::newRow("EXIF too small at scale 2") << QSize(800, 600) << QSize(160, 120) << 1 << 0 << none << 0
                                                   << 0 << QSize(246, 222) << false << QSize(296, 222);
        QTest::newRow("no EXIF") << QSize(800, 600) << none << 0 << 0 << none << 0 << 0 << Slot << false
                                 << QSize(148, 111);
    }

    void sources()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, exif);
        QFETCH(int, orientation);
        QFETCH(int, cacheSide);
        QFETCH(QSize, cached);
        QFETCH(int, mtimeShift);
        QFETCH(int, sizeShift);
        QFETCH(QSize, target);
        QFETCH(bool, thumbnailUsed);
        QFETCH(QSize, size);

        QByteArray jpeg = encoded(flatImage(picture, Qt::red), "jpeg");
        if (exif.isValid())
            jpeg = withExifThumbnail(jpeg, encoded(twoHalves(exif), "jpeg"), orientation);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".jpg"));
        QVERIFY(writeFileBytes(path, jpeg));
        if (cacheSide != 0)
            writeCacheEntry(path, cacheSide, cached, mtimeShift, sizeShift);

        // Orientation 6 turns the stored right half to the bottom.
        const auto showsThumbnail = [orientation](const QImage &image) {
            const QPoint blueSide = orientation == 6 ? QPoint(image.width() / 2, image.height() * 7 / 8)
                                                     : QPoint(image.width() * 7 / 8, image.height() / 2);
            const QPoint redSide = orientation == 6 ? QPoint(image.width() / 2, image.height() / 8)
                                                    : QPoint(image.width() / 8, image.height() / 2);
            return isReddish(image.pixelColor(redSide)) && isBluish(image.pixelColor(blueSide));
        };
        // What a slot far from the viewport asks, without a decode, by the
        // same rules.
        QCOMPARE(ThumbnailSources::hasCachedThumbnail(path, target), thumbnailUsed && cacheSide != 0);
        // (Only where the entry answers: a load that decodes fills the cache.)
        if (thumbnailUsed && cacheSide != 0)
            QVERIFY(loadUnlessCached(path, target).isCached());
        // The board's first look may be the EXIF thumbnail...
        const LoadedPicture loaded = loadFirstLook(path, target);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(loaded.image().size(), size);
        QCOMPARE(showsThumbnail(loaded.image()), thumbnailUsed);
        QCOMPARE(loaded.isFirstLook(), thumbnailUsed && cacheSide == 0);
        // ...but a load that stays on screen (a preview, a settled slot)
        // takes only the cache or a decode, never the EXIF thumbnail.
        const LoadedPicture decoded = loadPicture(path, target);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error()));
        QVERIFY(!decoded.isFirstLook());
        QCOMPARE(showsThumbnail(decoded.image()), thumbnailUsed && cacheSide != 0);
        QVERIFY(isReddish(decoded.image().pixelColor(decoded.image().width() / 8, decoded.image().height() / 8)));
    }

    // After a decode the cache holds the smallest standard size that covers
    // the slot, as the standard asks, and the next load takes it.
    void cacheWrite()
    {
        // A cache home of its own: the folders must be made here.
        setCacheHome(m_dir.filePath(QStringLiteral("home/.cache")));
        const QString path = m_dir.filePath(QStringLiteral("written.jpg"));
        QVERIFY(writeFileBytes(path, encoded(flatImage(QSize(800, 600), Qt::red), "jpeg")));
        QVERIFY(loadPicture(path, Slot).ok());

        const QString cached = ThumbnailSources::cachePath(path, 256);
        QCOMPARE(QFileInfo(cached).path(), ThumbnailSources::cacheFolder() + QStringLiteral("/large"));
        QVERIFY(!QFile::exists(ThumbnailSources::cachePath(path, 128)));
        QImageReader reader(cached, "png");
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(256, 192));
        QCOMPARE(image.text(QStringLiteral("Thumb::URI")),
                 QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
        QCOMPARE(image.text(QStringLiteral("Thumb::MTime")),
                 QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch()));
        if (!OnWindows) { // Windows keeps others out by the profile's permissions
            QCOMPARE(modeOf(cached), QStringLiteral("600"));
            QCOMPARE(modeOf(ThumbnailSources::cacheFolder()), QStringLiteral("700"));
            QCOMPARE(modeOf(m_dir.filePath(QStringLiteral("home"))), QStringLiteral("700"));
            QCOMPARE(modeOf(QFileInfo(cached).path()), QStringLiteral("700"));
        }
        // Only the renamed file is left; no temporary one.
        QCOMPARE(QDir(QFileInfo(cached).path()).entryList(QDir::Files).size(), 1);

        // A cached file is never cached itself.
        QVERIFY(loadPicture(cached, QSize(100, 75)).ok());
        QCOMPARE(QDir(QFileInfo(cached).path()).entryList(QDir::Files).size(), 1);
        QVERIFY(QDir(ThumbnailSources::cacheFolder() + QStringLiteral("/normal")).isEmpty());
    }

    // What a slot far from the viewport asks, without a decode: the answer
    // a decode of the entry gives, wherever its texts stand and however they
    // are written, but for pixels that do not decode.
    void cacheAnswer_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("decoded");
        QTest::newRow("texts before the pixels") << QString() << true << true;
        QTest::newRow("texts after the pixels") << "move texts" << true << true;
        QTest::newRow("an international text") << "short" << true << true;
        QTest::newRow("a long international text, compressed") << "long" << true << true;
        QTest::newRow("another time") << "stale" << false << false;
        QTest::newRow("pixels that do not decode") << "break pixels" << true << false;
        // The decoder takes a text without its zero byte as all keyword, and
        // drops one whose checksum is wrong: either way the time is gone.
        QTest::newRow("the time again, all keyword") << "keyword only" << false << false;
        QTest::newRow("the time with a wrong checksum") << "bad checksum" << false << false;
        // Texts the cache does not define, each inflating to 8 MB.
        QTest::newRow("100 compressed texts") << "inflating texts" << false << false;
    }

    void cacheAnswer()
    {
        QFETCH(QString, change);
        QFETCH(bool, answered);
        QFETCH(bool, decoded);
        const QString path = m_dir.filePath(QStringLiteral("answer-%1.jpg").arg(++m_rows));
        QVERIFY(writeFileBytes(path, encoded(flatImage(QSize(800, 600), Qt::red), "jpeg")));
        writeCacheEntry(path, 256, QSize(256, 192), change == QLatin1String("stale") ? 1 : 0, 0);
        const QString entry = ThumbnailSources::cachePath(path, 256);
        if (change == QLatin1String("short") || change == QLatin1String("long")) {
            QImage image(entry);
            image.setText(QStringLiteral("Thumb::Mimetype"), QString(change == QLatin1String("long") ? 50 : 2, QChar(0x753b)));
            QVERIFY(image.save(entry, "png"));
        }
        QByteArray bytes = readFileBytes(entry);
        if (change == QLatin1String("move texts")) {
            QByteArray texts, rest = bytes.left(8);
            for (qsizetype at = 8; at + 12 <= bytes.size();) {
                const qsizetype length = qsizetype(qFromBigEndian<quint32>(bytes.constData() + at)) + 12;
                const QByteArray chunk = bytes.mid(at, length);
                (chunk.mid(4, 4).endsWith("Xt") ? texts : rest) += chunk; // tEXt, zTXt, iTXt
                at += length;
            }
            bytes = rest.insert(rest.size() - 12, texts); // before IEND
        } else if (change == QLatin1String("break pixels")) {
            const qsizetype pixels = bytes.indexOf("IDAT") + 4;
            bytes[pixels] = char(bytes.at(pixels) ^ 0x55);
        } else if (change == QLatin1String("keyword only")) {
            const QByteArray text = "tEXtThumb::MTime";
            QByteArray chunk(4, '\0');
            qToBigEndian<quint32>(quint32(text.size() - 4), chunk.data());
            chunk += text + QByteArray(4, '\0');
            qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(text.constData()), uInt(text.size()))),
                                  chunk.data() + chunk.size() - 4);
            bytes.insert(bytes.size() - 12, chunk); // before IEND
        } else if (change == QLatin1String("inflating texts")) {
            bytes = withPngChunks(bytes, QList<QByteArray>(100, compressedText(8000000)));
        } else if (change == QLatin1String("bad checksum")) {
            const qsizetype time = bytes.indexOf("Thumb::MTime");
            const qsizetype crc = time + qsizetype(qFromBigEndian<quint32>(bytes.constData() + time - 8));
            bytes[crc] = char(bytes.at(crc) ^ 0x01);
        }
        QVERIFY(writeFileBytes(entry, bytes));
        QCOMPARE(ThumbnailSources::hasCachedThumbnail(path, Slot), answered);
        QCOMPARE(!ThumbnailSources::cachedThumbnail(path, Slot).isNull(), decoded);
    }

    // A fail record is read without a decoder: one whose texts would take
    // megabytes to inflate is not believed.
    void inflatingFailRecordIsIgnored()
    {
        const QString path = m_dir.filePath(QStringLiteral("record.jpg"));
        QVERIFY(writeFileBytes(path, QByteArray("not a picture")));
        QVERIFY(ThumbnailSources::storeFailure(path, QStringLiteral("Broken")));
        QCOMPARE(ThumbnailSources::recordedFailure(path), QStringLiteral("Broken"));
        const QString record = ThumbnailSources::failurePath(path);
        QVERIFY(writeFileBytes(record, withPngChunks(readFileBytes(record), QList<QByteArray>(6, compressedText(8000000)))));
        QVERIFY(ThumbnailSources::recordedFailure(path).isEmpty());
    }

    // Where the cache lives, by the settings file's rule. "-" leaves a
    // variable unset; "@" stands for a fresh folder; the expected folder
    // is relative to it.
    void cacheFolderRules_data()
    {
        QTest::addColumn<QByteArray>("xdgCacheHome");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("expected");
        addSystemRows(linuxCacheFolderRows, windowsCacheFolderRows);
    }

    void cacheFolderRules()
    {
        QFETCH(QByteArray, xdgCacheHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, expected);
        // The pictures' folder is the current folder, where a relative
        // HOME would have put the cache.
        const QString folder = m_dir.filePath(QStringLiteral("rules-") + QString::number(++m_rows));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QDir::setCurrent(folder));
        const QByteArray root = QFile::encodeName(folder);
        for (const auto &[name, value] : {std::pair{CacheHomeVariable, xdgCacheHome}, std::pair{"HOME", home}}) {
            if (value == "-")
                qunsetenv(name);
            else
                qputenv(name, QByteArray(value).replace('@', root));
        }

        const QString cache = expected.isEmpty() ? QString() : folder + QLatin1Char('/') + expected;
        QCOMPARE(ThumbnailSources::cacheFolder(), cache);
        const QString path = folder + QStringLiteral("/picture.jpg");
        QVERIFY(writeFileBytes(path, encoded(flatImage(QSize(800, 600), Qt::red), "jpeg")));
        const LoadedPicture loaded = loadPicture(path, Slot);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QCOMPARE(loaded.image().size(), QSize(148, 111));
        QCOMPARE(QFile::exists(ThumbnailSources::cachePath(path, 256)), !expected.isEmpty());
        // Nothing but the picture and the cache where it belongs.
        QStringList made = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        made.removeOne(QStringLiteral("picture.jpg"));
        QCOMPARE(made, expected.isEmpty() ? QStringList() : QStringList{expected.section(QLatin1Char('/'), 0, 0)});
    }

    // A picture reached through a symbolic link into the cache is still
    // one of the cache's files.
    void linkIntoCacheIsNotCached()
    {
        if (OnWindows)
            QSKIP("Windows makes shortcuts, which are files of their own, not links");
        const QString path = m_dir.filePath(QStringLiteral("linked.jpg"));
        QVERIFY(writeFileBytes(path, encoded(flatImage(QSize(800, 600), Qt::red), "jpeg")));
        QVERIFY(loadPicture(path, Slot).ok());
        const QString cached = ThumbnailSources::cachePath(path, 256);
        QVERIFY(QFile::exists(cached));
        const QString link = m_dir.filePath(QStringLiteral("link-to-cache.png"));
        QVERIFY(QFile::link(cached, link));

        QVERIFY(loadPicture(link, QSize(100, 75)).ok());
        QVERIFY(!QFile::exists(ThumbnailSources::cachePath(link, 128)));
        QVERIFY(!QFile::exists(ThumbnailSources::cachePath(link, 256)));
    }

    // A cache folder that another user could have put files in, or that
    // leads elsewhere, is neither read nor written; the user's own still is.
    void foreignFolders_data()
    {
        QTest::addColumn<QString>("folder"); // under the cache's root
        QTest::addColumn<bool>("linked"); // to a folder anyone may write to
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("foreign"); // another user's
        QTest::addColumn<bool>("used");
        const QString record = QStringLiteral("/fail/kelvane-" KELVANE_VERSION);
        QTest::newRow("normal linked") << "/normal" << true << 0 << false << false;
        QTest::newRow("large linked") << "/large" << true << 0 << false << false;
        QTest::newRow("the root linked") << "" << true << 0 << false << false;
        QTest::newRow("fail linked") << "/fail" << true << 0 << false << false;
        QTest::newRow("large of mode 0777") << "/large" << false << 0777 << false << false;
        QTest::newRow("large of mode 0770") << "/large" << false << 0770 << false << false;
        QTest::newRow("the version's fail folder of mode 0777") << record << false << 0777 << false << false;
        QTest::newRow("large of another user") << "/large" << false << 0700 << true << false;
        QTest::newRow("large of mode 0700 is used") << "/large" << false << 0700 << false << true;
        QTest::newRow("large of mode 0755 is used") << "/large" << false << 0755 << false << true;
        QTest::newRow("a fail folder of mode 0700 is used") << record << false << 0700 << false << true;
    }

    void foreignFolders()
    {
        QFETCH(QString, folder);
        QFETCH(bool, linked);
        QFETCH(int, mode);
        QFETCH(bool, foreign);
        QFETCH(bool, used);
        if (OnWindows)
            QSKIP("Windows keeps others out by the profile's permissions");
        const QString row = m_dir.filePath(QStringLiteral("foreign-%1").arg(++m_rows));
        setCacheHome(row + QStringLiteral("/.cache"));
        const QString path = row + QStringLiteral(".jpg");
        QVERIFY(writeFileBytes(path, encoded(flatImage(QSize(800, 600), Qt::red), "jpeg")));
        const bool fail = folder.startsWith(QLatin1String("/fail"));
        const QSize target = folder == QLatin1String("/large") ? Slot : QSize(100, 75); // else normal
        const QString entry = fail ? ThumbnailSources::failurePath(path)
                                   : ThumbnailSources::cachePath(path, target == Slot ? 256 : 128);
        folder.prepend(ThumbnailSources::cacheFolder());
        const auto setMode = [](const QString &name, int bits) {
            return QFile::setPermissions(name, QFileDevice::Permissions::fromInt(
                (bits & 0700) << 6 | (bits & 0700) << 2 | (bits & 070) << 1 | (bits & 07)));
        };
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        if (linked) {
            QVERIFY(QDir().mkpath(row + QStringLiteral("-shared")) && setMode(row + QStringLiteral("-shared"), 0777));
            QVERIFY(QFile::link(row + QStringLiteral("-shared"), folder));
        } else {
            QVERIFY(QDir().mkdir(folder) && setMode(folder, mode));
            if (foreign && !giveToAnotherUser(folder))
                QSKIP("only the superuser can give a folder to another user");
        }

        // What another user planted there is not read...
        QImage planted = fail ? flatImage(QSize(1, 1), Qt::red) : twoHalves(target == Slot ? QSize(256, 192) : QSize(128, 96));
        planted.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(ThumbnailSources::pictureUri(path)));
        planted.setText(QStringLiteral("Thumb::MTime"), QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch()));
        planted.setText(QStringLiteral("Thumb::Size"), QString::number(QFileInfo(path).size()));
        planted.setText(QStringLiteral("Kelvane::Reason"), QStringLiteral("planted"));
        QVERIFY(QDir().mkpath(QFileInfo(entry).path()) && planted.save(entry, "png"));
        if (fail)
            QCOMPARE(ThumbnailSources::recordedFailure(path), used ? QStringLiteral("planted") : QString());
        else
            QCOMPARE(ThumbnailSources::hasCachedThumbnail(path, target), used);

        // ...and nothing is written there, yet the picture loads.
        QVERIFY(QFile::remove(entry));
        if (fail)
            QCOMPARE(ThumbnailSources::storeFailure(path, QStringLiteral("broken")), used);
        else
            QVERIFY(loadPicture(path, target).ok());
        QCOMPARE(QFile::exists(entry), used);
        if (used)
            QCOMPARE(modeOf(entry), QStringLiteral("600"));
    }

    // The cache is only a help: when it cannot be written the picture still
    // loads.
    void unwritableCache()
    {
        const QByteArray old = qgetenv(CacheHomeVariable);
        const QString blocker = m_dir.filePath(QStringLiteral("not-a-folder"));
        QVERIFY(writeFileBytes(blocker, "x"));
        setCacheHome(blocker);
        const QString path = m_dir.filePath(QStringLiteral("unwritable.jpg"));
        QVERIFY(writeFileBytes(path, encoded(flatImage(QSize(800, 600), Qt::red), "jpeg")));
        const LoadedPicture loaded = loadPicture(path, Slot);
        qputenv(CacheHomeVariable, old);
        QVERIFY(loaded.ok());
        QCOMPARE(loaded.image().size(), QSize(148, 111));
    }
};

QTEST_GUILESS_MAIN(TestThumbSources)
#include "tst_thumbsources.moc"
