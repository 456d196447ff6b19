// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/decodestop.h"
#include "picture/picturefile.h"
#include "picture/pictureloader.h"
#include "board/pictureprefetcher.h"
#include "picture/thumbnailsources.h"
#include "picture/decodejob.h"
#include "picture/decoderpool.h"
#include "picture/picturedecode.h"
#include "picture/sanitizers.h"
#include "picture/workerprocess.h"
#include "toolkit/scopedoverride.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <ctime>
#include <memory>
#include <unistd.h>

Q_DECLARE_METATYPE(LoadedPicture)

namespace {

const QSize Slot(125, 113);
// Every picture here is written at this quality; for PNG it sets the compression.
const int Quality = 90;

// The CPU time of this thread: a bound on a load that runs on it holds on a
// busy machine too.
double threadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Where the thumbnail standard puts the picture's fail record.
QString failRecordOf(const QString &path)
{
    const QByteArray uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toUtf8();
    return ThumbnailSources::cacheFolder() + QStringLiteral("/fail/kelvane-" KELVANE_VERSION "/")
        + QLatin1String(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) + QStringLiteral(".png");
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private:
    static bool setModified(const QString &path, const QDateTime &time)
    {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        if (!writeFileBytes(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
    QThreadPool m_pool;
    // The runs of zeros of the crafted files, by name.
    QHash<QString, QList<ZeroRun>> m_zeros;
    // Helpers that act on the marker inputs, for the whole test case.
    const Toolkit::ScopedOverride<bool> m_markers{DecoderPool::setTestMarkers, true};

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A cache of this run's own: fail records of earlier runs must not answer.
        setCacheHome(m_dir.filePath(QStringLiteral("cache")));
    }

    // The helper reads the file it is sent and nothing else: what a decoder
    // taken over by its input would try next is refused.
    void helperIsShutIn_data()
    {
        QTest::addColumn<QByteArray>("attempt");
        QTest::addColumn<bool>("denied");
        const QByteArray sent = QFile::encodeName(write(QStringLiteral("sent.jpg"), QByteArray("readable by anyone")));
        const QByteArray folder = QFile::encodeName(m_dir.path());
        QTest::newRow("open a file by its path") << "open " + sent << true;
        QTest::newRow("make a file") << "create " + folder + "/made" << true;
        QTest::newRow("remove a file") << "remove " + sent << true;
        QTest::newRow("change the mode of the file it was sent") << QByteArray("chmod") << true;
        QTest::newRow("set the times of the file it was sent") << QByteArray("touch") << true;
        QTest::newRow("make a socket") << QByteArray("socket") << true;
        QTest::newRow("open files through an io_uring") << QByteArray("ring") << true;
        QTest::newRow("type into the terminal") << QByteArray("terminal") << true;
        QTest::newRow("start a thread") << QByteArray("thread") << false;
#ifndef KELVANE_SANITIZED
        // The leak checker of a sanitizer build needs these.
        QTest::newRow("start a program") << QByteArray("exec /bin/true") << true;
        QTest::newRow("start a process") << QByteArray("fork") << true;
        QTest::newRow("signal the program") << QByteArray("signal") << true;
#endif
    }

    void helperIsShutIn()
    {
#ifdef Q_OS_WIN
        QSKIP("on Windows the helper is held by its job object only");
#else
        QFETCH(QByteArray, attempt);
        QFETCH(bool, denied);
        const QString sent = m_dir.filePath(QStringLiteral("sent.jpg"));
        QFile::setPermissions(sent, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QDateTime modified = QFileInfo(sent).lastModified();
        QFile file(sent);
        QVERIFY(file.open(QIODevice::ReadOnly));
        DecodeJob::Job job;
        job.kind = DecodeJob::Kind::Attempt;
        job.bytes = attempt;
        const DecodeJob::Answer answer = DecoderPool::run(job, WorkerProcess::nativeFileOf(file), nullptr);
        QCOMPARE(answer.outcome, DecodeJob::Outcome::Failed);
        QVERIFY2(answer.error.contains(QLatin1String(denied ? "denied" : "allowed")), qPrintable(answer.error));
        QVERIFY2(!DecoderPool::sandboxNotes().join(QLatin1Char(' ')).contains(QLatin1String("seccomp")),
                 qPrintable(DecoderPool::sandboxNotes().join(QLatin1Char('\n'))));
        // The file it was sent is as it was.
        const QFileInfo after(sent);
        QVERIFY(after.exists());
        QCOMPARE(after.lastModified(), modified);
        QVERIFY(after.permissions() & QFileDevice::ReadOwner);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("made"))));
#endif
    }

    void loads_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<QSize>("expected");

        const QImage landscape = twoHalves(QSize(800, 600));
        QTest::newRow("JPEG shrinks to cover the slot, aspect kept")
            << "wide.jpg" << encoded(landscape, "jpeg", Quality) << Slot << QSize(151, 113);
        QTest::newRow("tall JPEG covers the slot's width")
            << "tall.jpg" << encoded(twoHalves(QSize(300, 900)), "jpeg", Quality) << Slot << QSize(125, 375);
        QTest::newRow("same aspect as the slot fits exactly")
            << "exact.jpg" << encoded(twoHalves(QSize(250, 226)), "jpeg", Quality) << Slot << QSize(125, 113);
        QTest::newRow("progressive JPEG")
            << "progressive.jpg" << encoded(landscape, "jpeg", Quality, JpegScan::Progressive) << Slot << QSize(151, 113);
        QTest::newRow("PNG named .jpg")
            << "png.jpg" << encoded(landscape, "png", Quality) << Slot << QSize(151, 113);
        QTest::newRow("GIF decoded in full, then shrunk")
            << "halves.gif" << twoHalvesGif(QSize(400, 300)) << Slot << QSize(151, 113);
        QTest::newRow("BMP decoded in full, then shrunk")
            << "halves.bmp" << encoded(landscape, "bmp", Quality) << Slot << QSize(151, 113);
        QTest::newRow("picture smaller than the slot is not enlarged")
            << "small.jpg" << encoded(twoHalves(QSize(100, 80)), "jpeg", Quality) << Slot << QSize(100, 80);
        QTest::newRow("picture narrower than the slot is not enlarged")
            << "narrow.bmp" << encoded(twoHalves(QSize(200, 50)), "bmp", Quality) << Slot << QSize(200, 50);
        QTest::newRow("no target keeps the full size")
            << "full.jpg" << encoded(landscape, "jpeg", Quality) << QSize() << QSize(800, 600);
        QTest::newRow("high-DPI slot")
            << "hidpi.jpg" << encoded(landscape, "jpeg", Quality) << QSize(250, 226) << QSize(302, 226);
        // The decoder reads through private data (an editor's own document,
        // say) without keeping it.
        QTest::newRow("PNG with 9 MB of private data")
            << "private.png"
            << withPngChunks(encoded(landscape, "png", Quality), {pngChunk("prVW", QByteArray(9 << 20, 'a'))}) << Slot
            << QSize(151, 113);
        // No ANSI code page holds both: the system must get the name whole.
        QTest::newRow("JPEG named in Greek") << QStringLiteral("\u03a0\u03b1\u03c1\u03b1\u03bb\u03af\u03b1.jpg")
                                             << encoded(landscape, "jpeg", Quality) << Slot << QSize(151, 113);
        QTest::newRow("PNG named in Japanese") << QStringLiteral("\u6d77\u8fba.png")
                                               << encoded(landscape, "png", Quality) << Slot << QSize(151, 113);
    }

    void loads()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, target);
        QFETCH(QSize, expected);
        QVERIFY(!bytes.isEmpty());

        const LoadedPicture picture = loadPicture(write(fileName, bytes), target);

        QVERIFY2(picture.ok(), qPrintable(picture.error()));
        QCOMPARE(picture.image().size(), expected);
        const int middle = expected.height() / 2;
        QVERIFY(isReddish(picture.image().pixelColor(expected.width() / 4, middle)));
        QVERIFY(isBluish(picture.image().pixelColor(expected.width() * 3 / 4, middle)));
    }

    // A failure about the picture's content is recorded and answers the
    // next load at once; one about the file or the user is not.
    void fails_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason"); // empty: any
        QTest::addColumn<bool>("recorded");

        const QByteArray png = encoded(twoHalves(QSize(400, 300)), "png", Quality);
        QTest::newRow("missing file") << "missing.jpg" << QByteArray() << QString() << false;
        QTest::newRow("zero-byte .jpg") << "empty.jpg" << QByteArray("") << QString() << false;
        QTest::newRow("unreadable file") << "locked.jpg" << encoded(twoHalves(QSize(40, 30)), "jpeg")
                                         << QString() << false;
        // No installed decoder reads these; one installed later might, and
        // finding that out again costs nothing.
        QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("Holiday notes\r\n") << QString() << false;
        QTest::newRow("HTML page") << "index.html"
                                   << QByteArray("<html><body><img src=\"a.jpg\"></body></html>\r\n")
                                   << QString() << false;
        QTest::newRow("BMP claiming 60000 x 60000") << "huge.bmp" << bmpClaiming(60000, 60000) << QString() << true;
        QTest::newRow("BMP over the allocation limit") << "large.bmp" << bmpClaiming(9000, 9000) << QString() << true;
        QTest::newRow("GIF cut off after its header")
            << "cut.gif" << twoHalvesGif(QSize(40, 30)).left(30) << QString() << true;
        QTest::newRow("PNG cut at a third") << "cut.png" << png.left(png.size() / 3) << QString() << true;
        // Decoded in full, at 25 ns a pixel.
        QTest::newRow("PNG of 48 MP") << "wide.png" << pngClaiming(QSize(8000, 6000))
                                      << "Too large to decode." << true;
        QTest::newRow("PNG claiming 2^31 - 1 pixels each way")
            << "vast.png" << pngClaiming(QSize(0x7fffffff, 0x7fffffff)) << "Too large to decode." << true;
        QTest::newRow("PNG with 9 MB of text")
            << "chunks.png" << withPngChunks(png, {pngChunk("tEXt", "Comment" + QByteArray(1, '\0') + QByteArray(9 << 20, 'a'))})
            << "Too much metadata" << true;
        for (const CraftedPicture &file : craftedPictures()) {
            QTest::newRow(file.row) << file.name << file.bytes << file.reason << true;
            m_zeros[file.name] = file.zeros;
        }
        // A decoder that crashes, computes without end or allocates without
        // end costs its helper and that one picture.
        QTest::newRow("helper crashes") << "crash.jpg" << QByteArray(PictureDecode::CrashMarker)
                                        << "The picture could not be decoded." << true;
        QTest::newRow("helper computes") << "spin.jpg" << QByteArray(PictureDecode::SpinMarker)
                                         << "Too large to decode." << true;
        QTest::newRow("helper allocates") << "allocate.jpg" << QByteArray(PictureDecode::AllocateMarker)
                                          << "Too large to decode." << true;
        QTest::newRow("helper answers nonsense") << "nonsense.jpg" << QByteArray(PictureDecode::NonsenseMarker)
                                                 << "The picture could not be decoded." << true;
    }

    void fails()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QFETCH(bool, recorded);
        const QString path = m_dir.filePath(fileName);
        if (!bytes.isNull())
            QVERIFY(writeCrafted(path, CraftedPicture{"", fileName, bytes, reason, m_zeros.value(fileName)}));
        if (fileName == QLatin1String("locked.jpg")) {
#ifdef Q_OS_WIN
            QSKIP("a file's permissions cannot take away its owner's reading here");
#else
            if (::geteuid() == 0)
                QSKIP("root reads any file");
#endif
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        }

        const double start = threadCpuSeconds();
        const LoadedPicture picture = loadPicture(path, Slot);
        const double firstSeconds = threadCpuSeconds() - start;

        QVERIFY(!picture.ok());
        QVERIFY(picture.image().isNull());
        QVERIFY(!picture.error().trimmed().isEmpty());
        QVERIFY2(!picture.error().contains(fileName), qPrintable(picture.error()));
        QVERIFY2(picture.error().contains(reason), qPrintable(picture.error()));
        QVERIFY2(firstSeconds < 1, qPrintable(QString::number(firstSeconds)));
        const QString record = failRecordOf(path);
        // Without a thumbnail cache there is nowhere to record a failure.
        const bool cached = !ThumbnailSources::cacheFolder().isEmpty();
        QCOMPARE(QFile::exists(record), recorded && cached);
        if (!recorded || !cached)
            return;
        const QImage stored(record, "png");
        QCOMPARE(stored.text(QStringLiteral("Thumb::URI")), QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
        QCOMPARE(stored.text(QStringLiteral("Thumb::MTime")),
                 QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch()));
        QCOMPARE(stored.text(QStringLiteral("Thumb::Size")), QString::number(QFileInfo(path).size()));

        // Answered from the record, with the same reason; timed over ten
        // answers, as a thread's time on Windows moves in steps of 16 ms.
        const double again = threadCpuSeconds();
        for (int i = 0; i < 10; ++i)
            QCOMPARE(loadPicture(path, Slot).error(), picture.error());
        const double secondSeconds = (threadCpuSeconds() - again) / 10;
        QVERIFY2(secondSeconds < 0.01, qPrintable(QString::number(secondSeconds)));
    }

    // A record carries the stamp of the file as it was read, not of what
    // the path holds by the time the record is written: a file put in its
    // place meanwhile must not match it.
    void recordCarriesTheStampAsRead_data()
    {
        QTest::addColumn<qint64>("secondsEarlier");
        QTest::addColumn<bool>("matches");
        QTest::newRow("the file as read is still there") << qint64(0) << true;
        QTest::newRow("another file was put in its place") << qint64(10) << false;
    }

    void recordCarriesTheStampAsRead()
    {
        QFETCH(qint64, secondsEarlier);
        QFETCH(bool, matches);
        if (ThumbnailSources::cacheFolder().isEmpty())
            QSKIP("no thumbnail cache to keep fail records in");
        const QString path = write(QStringLiteral("read-%1.png").arg(secondsEarlier), QByteArray("\x89PNG\r\n\x1a\n broken"));
        FileStamp read;
        QVERIFY(stampOfPath(path, &read));
        read.modifiedSeconds -= secondsEarlier;
        QVERIFY(ThumbnailSources::storeFailure(path, QStringLiteral("broken"), &read));
        QCOMPARE(ThumbnailSources::recordedFailure(path), matches ? QStringLiteral("broken") : QString());
    }

    // A record stands only for the file as it was when it failed.
    void changedFileIsTriedAgain()
    {
        if (ThumbnailSources::cacheFolder().isEmpty())
            QSKIP("no thumbnail cache to keep fail records in");
        const QByteArray png = encoded(twoHalves(QSize(400, 300)), "png", Quality);
        const QString path = write("changed.jpg", png.left(png.size() / 3));
        QVERIFY(!loadPicture(path, Slot).ok());
        QVERIFY(QFile::exists(failRecordOf(path)));
        write("changed.jpg", encoded(twoHalves(QSize(800, 600)), "jpeg", Quality));
        const LoadedPicture picture = loadPicture(path, Slot);
        QVERIFY2(picture.ok(), qPrintable(picture.error()));
    }

    // The cache's own files are never recorded.
    void noFailRecordInsideTheCache()
    {
        if (ThumbnailSources::cacheFolder().isEmpty())
            QSKIP("no thumbnail cache to keep fail records in");
        const QString folder = ThumbnailSources::cacheFolder() + QStringLiteral("/normal");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/broken.png");
        QVERIFY(writeFileBytes(path, QByteArray("\x89PNG\r\n\x1a\n broken")));
        QVERIFY(!loadPicture(path, Slot).ok());
        QVERIFY(!QFile::exists(failRecordOf(path)));
    }

    void folderIsNotAPicture()
    {
        const QString folder = m_dir.filePath("pictures.jpg");
        QVERIFY(QDir().mkpath(folder));
        const LoadedPicture picture = loadPicture(folder, Slot);
        QVERIFY(!picture.ok());
        QVERIFY(!picture.error().isEmpty());
    }

    // Only a regular file opens, and at once; one read whole gets its bytes
    // exactly, up to the size asked for.
    void onlyRegularFilesOpen_data()
    {
        QTest::addColumn<QString>("path"); // relative to the test's folder, or absolute
        QTest::addColumn<QString>("reason"); // empty: it opens
        QTest::newRow("picture named in Japanese") << QStringLiteral("\u6d77\u8fba-open.jpg") << QString();
        QTest::newRow("missing file") << "missing.jpg" << "-";
        QTest::newRow("folder") << "open-folder.jpg" << "Not a regular file";
        QTest::newRow("the null device") << (OnWindows ? "//./NUL" : "/dev/null") << "Not a regular file";
    }

    void onlyRegularFilesOpen()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QVERIFY(QDir().mkpath(m_dir.filePath("open-folder.jpg")));
        // Line ends, an end-of-file mark and a NUL, which a text-mode read
        // would change.
        const QByteArray bytes("by\r\ntes\x1a\0\r\r\n", 13);
        if (path.endsWith(QLatin1String("-open.jpg")))
            write(path, bytes);
        const QString fullPath = QDir(m_dir.path()).filePath(path);
        QFile file;
        const QString problem = openRegularFile(fullPath, file);
        if (reason == QLatin1String("-")) // whatever the system says of it
            QVERIFY(!problem.isEmpty());
        else
            QCOMPARE(problem, reason);
        QCOMPARE(file.isOpen(), reason.isEmpty());
        if (file.isOpen())
            QCOMPARE(file.readAll(), bytes);

        // Read whole it is refused alike, for a reason nobody is shown.
        QByteArray read;
        QCOMPARE(readRegularFile(fullPath, bytes.size(), &read).isEmpty(), reason.isEmpty());
        if (reason.isEmpty()) {
            QCOMPARE(read, bytes);
            QVERIFY(!readRegularFile(fullPath, bytes.size() - 1, &read).isEmpty());
        }
    }

    // A stamp tells whether the file changed since it was opened, at the
    // file system's full resolution.
    void stampTellsChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("same");
        QTest::newRow("untouched") << "none" << true;
        QTest::newRow("rewritten, same size, a millisecond later") << "rewrite" << false;
        QTest::newRow("one byte longer, same time") << "grow" << false;
        QTest::newRow("replaced by a file of the same size and time") << "replace" << false;
        QTest::newRow("removed") << "remove" << false;
    }

    void stampTellsChanges()
    {
        QFETCH(QString, change);
        QFETCH(bool, same);
        const QString name = QStringLiteral("\u03c3\u03c6\u03c1\u03b1\u03b3\u03af\u03b4\u03b1-%1.jpg").arg(change);
        const QString path = write(name, QByteArray("first bytes"));
        // A time in the past, so that the change below is the only one.
        const QDateTime time = QDateTime::currentDateTime().addSecs(-60);
        QVERIFY(setModified(path, time));
        QFile file;
        QCOMPARE(openRegularFile(path, file), QString());
        FileStamp opened, before;
        QVERIFY(stampOfOpenFile(file, &opened));
        QVERIFY(stampOfPath(path, &before));
        QVERIFY(opened == before);
        file.close();

        if (change == QLatin1String("rewrite")) {
            write(name, "other bytes");
            QVERIFY(setModified(path, time.addMSecs(1)));
        } else if (change == QLatin1String("grow")) {
            write(name, "first bytes!");
            QVERIFY(setModified(path, time));
        } else if (change == QLatin1String("replace")) {
            // Saved as editors save: a new file renamed over the old one.
            QSaveFile save(path);
            QVERIFY(save.open(QIODevice::WriteOnly) && save.write("first bytes") == 11 && save.commit());
            QVERIFY(setModified(path, time));
        } else if (change == QLatin1String("remove")) {
            QVERIFY(QFile::remove(path));
        }
        FileStamp after;
        const bool stamped = stampOfPath(path, &after);
        QCOMPARE(stamped, change != QLatin1String("remove"));
        QCOMPARE(stamped && after == opened, same);
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
        const QByteArray jpeg = encoded(twoHalves(QSize(400, 300)), "jpeg", Quality);
        const QString path = write("turned.jpg", withExifOrientation(jpeg, 6));

        const LoadedPicture picture = loadPicture(path, target);

        QVERIFY2(picture.ok(), qPrintable(picture.error()));
        QCOMPARE(picture.image().size(), expected);
        const int centre = expected.width() / 2;
        QVERIFY(isReddish(picture.image().pixelColor(centre, expected.height() / 4)));
        QVERIFY(isBluish(picture.image().pixelColor(centre, expected.height() * 3 / 4)));
    }

    void truncatedJpegStillLoads()
    {
        const QByteArray jpeg = encoded(twoHalves(QSize(800, 600)), "jpeg", Quality);
        const QString path = write("truncated.jpg", jpeg.left(jpeg.size() / 3));

        const LoadedPicture picture = loadPicture(path, Slot);

        QVERIFY2(picture.ok(), qPrintable(picture.error()));
        QCOMPARE(picture.image().size(), QSize(151, 113));
    }

    void stoppedDecodeFailsAndKeepsNothing_data()
    {
        QTest::addColumn<int>("stopAfterMs");
        QTest::addColumn<bool>("spins");
        QTest::newRow("asked to stop before it starts") << -1 << false;
        QTest::newRow("asked to stop while it decodes") << 20 << false;
        // Stopped, not too large: a stop is no fault of the picture's.
        QTest::newRow("asked to stop while its helper computes") << 200 << true;
    }

    void stoppedDecodeFailsAndKeepsNothing()
    {
        QFETCH(int, stopAfterMs);
        QFETCH(bool, spins);
        // Slow enough to decode that the stop comes in its middle. The
        // bottom rows, decoded last, are blue; a decode cut short leaves
        // them grey, as a truncated file does.
        QImage image = noisyImage(QSize(4000, 3000));
        QPainter(&image).fillRect(0, 2600, 4000, 400, Qt::blue);
        const QString path = write(QStringLiteral("stopped%1.jpg").arg(stopAfterMs),
                                   spins ? QByteArray(PictureDecode::SpinMarker) : encoded(image, "jpeg", Quality));

        DecodeStop stop;
        if (stopAfterMs < 0)
            stop.request();
        const QFuture<LoadedPicture> decoding = QtConcurrent::run(&m_pool, [&] { return loadPicture(path, Slot, &stop); });
        if (stopAfterMs >= 0) {
            QThread::msleep(stopAfterMs);
            stop.request();
        }
        const LoadedPicture stopped = decoding.result();
        QCOMPARE(stopped.error(), QStringLiteral("The decode was stopped"));
        QVERIFY(stopped.image().isNull());
        if (spins) {
            QVERIFY(!QFile::exists(failRecordOf(path)));
            return;
        }

        // No thumbnail of the stopped decode was cached: the next load shows
        // the whole picture.
        const LoadedPicture whole = loadPicture(path, Slot);
        QVERIFY2(whole.ok(), qPrintable(whole.error()));
        QVERIFY(isBluish(whole.image().pixelColor(whole.image().width() / 2, whole.image().height() - 2)));
    }

    // The door every decoder reads through: its budget counts bytes, its
    // deadline only the time the thread works, not the time it waits.
    void decodeReadsAreBounded_data()
    {
        QTest::addColumn<int>("deadlineMs");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<int>("workMs");
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<int>("readable");
        QTest::addColumn<bool>("overspent");
        QTest::newRow("the budget ends with the file") << 1000 << qint64(1000) << 0 << 0 << 1000 << false;
        QTest::newRow("the budget ends before the file") << 1000 << qint64(600) << 0 << 0 << 0 << true;
        QTest::newRow("the thread worked past the deadline") << 30 << qint64(1000) << 60 << 0 << 0 << true;
        QTest::newRow("the thread only waited past it") << 30 << qint64(1000) << 0 << 60 << 1000 << false;
    }

    void decodeReadsAreBounded()
    {
        QFETCH(int, deadlineMs);
        QFETCH(qint64, budget);
        QFETCH(int, workMs);
        QFETCH(int, waitMs);
        QFETCH(int, readable);
        QFETCH(bool, overspent);
        QByteArray bytes(1000, 'a');
        QBuffer source(&bytes);
        QVERIFY(source.open(QIODevice::ReadOnly));
        StoppableDevice device(&source, nullptr, qint64(deadlineMs) * 1000 * 1000);
        device.limitReads(budget);
        for (const double start = threadCpuSeconds(); threadCpuSeconds() - start < workMs / 1000.0;) {
        }
        QThread::msleep(waitMs);
        QCOMPARE(device.readAll().size(), readable);
        QCOMPARE(device.overspent(), overspent);
    }

    // The window's process reads a helper's answer as nothing more than it
    // says: a frame that does not add up is no answer at all.
    void answersAreReadWhole_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("read");
        DecodeJob::Answer decoded;
        decoded.outcome = DecodeJob::Outcome::Decoded;
        decoded.image = twoHalves(QSize(30, 20));
        decoded.image.setText(QStringLiteral("Thumb::URI"), QStringLiteral("file:///a.jpg"));
        decoded.image.setText(QStringLiteral("Software"), QStringLiteral("left behind"));
        const QByteArray whole = DecodeJob::encode(decoded);
        DecodeJob::Answer failed;
        failed.error = QStringLiteral("Broken");
        DecodeJob::Answer failedWithPixels = failed;
        failedWithPixels.image = decoded.image;
        DecodeJob::Answer indexed = decoded;
        indexed.image = decoded.image.convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("a picture") << whole << true;
        QTest::newRow("an indexed picture, sent as 32-bit") << DecodeJob::encode(indexed) << true;
        QTest::newRow("a failure") << DecodeJob::encode(failed) << true;
        QTest::newRow("one byte short") << whole.chopped(1) << false;
        QTest::newRow("one byte more") << whole + 'x' << false;
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("a failure with pixels") << DecodeJob::encode(failedWithPixels) << false;
        QTest::newRow("a job instead") << DecodeJob::encode(DecodeJob::Job()) << false;
        QTest::newRow("the ready frame instead") << DecodeJob::encodeReady({}) << false;
    }

    void answersAreReadWhole()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, read);
        DecodeJob::Answer answer;
        QCOMPARE(DecodeJob::decode(frame, &answer), read);
        if (!read || answer.image.isNull())
            return;
        QCOMPARE(answer.image.colorCount(), 0);
        QCOMPARE(answer.image.convertToFormat(QImage::Format_RGB32), twoHalves(QSize(30, 20)).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(answer.image.textKeys(), QStringList{QStringLiteral("Thumb::URI")});
    }

    // A helper reads each job into the job it read the last one into: what
    // that held never shows through, and a frame that does not add up is no
    // job.
    void jobsAreReadWhole_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = DecodeJob::encode(DecodeJob::Job{DecodeJob::Kind::CacheEntry, {}, false, "short"});
        QTest::newRow("bytes") << whole << true << QByteArray("short");
        QTest::newRow("no bytes") << DecodeJob::encode(DecodeJob::Job()) << true << QByteArray();
        QTest::newRow("one byte short") << whole.chopped(1) << false << QByteArray();
        QTest::newRow("one byte more") << whole + 'x' << false << QByteArray();
        QTest::newRow("an answer instead") << DecodeJob::encode(DecodeJob::Answer()) << false << QByteArray();
    }

    void jobsAreReadWhole()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, read);
        QFETCH(QByteArray, bytes);
        DecodeJob::Job job;
        job.bytes = QByteArray(1000, 'o');
        QCOMPARE(DecodeJob::decode(frame, &job), read);
        // A frame written over a longer one is only itself.
        QByteArray reused(5000, 'o');
        DecodeJob::encode(job, &reused);
        if (read)
            QVERIFY(DecodeJob::decode(reused, &job) && job.bytes == bytes);
    }

    // Without a helper that works (none there, or a program that is none), a
    // picture fails for now but is not recorded: it loads once one is back.
    void brokenHelperRecordsNothing()
    {
        const QString path = write(QStringLiteral("helperless.jpg"), encoded(twoHalves(QSize(40, 30)), "jpeg"));
        for (const QString &program : {m_dir.filePath(QStringLiteral("no-such-helper")), QStringLiteral("/bin/true")}) {
            const Toolkit::ScopedOverride<QString> helper(DecoderPool::setHelperProgram, program);
            QCOMPARE(loadPicture(path, Slot).error(), PictureDecode::notDecoded());
            QVERIFY(!QFile::exists(failRecordOf(path)));
        }
        QVERIFY(loadPicture(path, Slot).ok());
    }

    // Helpers started ahead of need serve the jobs that come, and asking
    // again starts no more than were asked for.
    void preparedHelpersServeJobs()
    {
        // Helpers of a program named anew: none of them runs yet.
        const Toolkit::ScopedOverride<QString> helper(DecoderPool::setHelperProgram, DecoderPool::helperProgram());
        for (int i = 0; i < 3; ++i)
            DecoderPool::prepare(2);
        QCOMPARE(DecoderPool::idleHelpers(), 2);
        QVERIFY(loadPicture(write(QStringLiteral("prepared.jpg"), encoded(twoHalves(QSize(40, 30)), "jpeg")), Slot).ok());
        QCOMPARE(DecoderPool::idleHelpers(), 2);
    }

    // A job and an answer larger than the memory a Windows helper shares
    // with the program go through the channel itself, whole.
    void largeFramesTravelWhole()
    {
        QImage picture(3400, 3400, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        DecodeJob::Job job;
        job.kind = DecodeJob::Kind::CacheEntry;
        job.bytes = encoded(picture, "png") + QByteArray(41 << 20, '\0');
        const DecodeJob::Answer answer = DecoderPool::run(job, -1, nullptr);
        QCOMPARE(answer.outcome, DecodeJob::Outcome::Decoded);
        QCOMPARE(answer.image.size(), picture.size());
        QCOMPARE(answer.image.pixelColor(3399, 3399), QColor(Qt::darkCyan));
    }

    // Whatever a load gives holds what its kind has and nothing else.
    void loadedPictureKinds_data()
    {
        QTest::addColumn<LoadedPicture>("picture");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("ok");
        const QImage image = twoHalves(QSize(4, 2));
        QTest::newRow("a decode") << LoadedPicture::decoded(image) << int(LoadedPicture::Kind::Decoded) << true;
        QTest::newRow("a first look") << LoadedPicture::firstLook(image) << int(LoadedPicture::Kind::FirstLook) << true;
        QTest::newRow("a decode of nothing") << LoadedPicture::decoded(QImage()) << int(LoadedPicture::Kind::Failed) << false;
        QTest::newRow("a first look at nothing") << LoadedPicture::firstLook(QImage()) << int(LoadedPicture::Kind::Failed)
                                                 << false;
        QTest::newRow("a failure without a reason") << LoadedPicture::failed(QString())
                                                    << int(LoadedPicture::Kind::Failed) << false;
        QTest::newRow("the cache's word") << LoadedPicture::cached() << int(LoadedPicture::Kind::Cached) << false;
        QTest::newRow("nothing loaded yet") << LoadedPicture() << int(LoadedPicture::Kind::Stopped) << false;
    }

    void loadedPictureKinds()
    {
        QFETCH(LoadedPicture, picture);
        QFETCH(int, kind);
        QFETCH(bool, ok);
        QCOMPARE(int(picture.kind()), kind);
        QCOMPARE(picture.ok(), ok);
        QCOMPARE(picture.image().isNull(), !ok);
        // Only a failure or a stop has a reason, and then always one.
        const bool reason = kind == int(LoadedPicture::Kind::Failed) || kind == int(LoadedPicture::Kind::Stopped);
        QCOMPARE(!picture.error().isEmpty(), reason);
    }

    // Many threads at once, one of them on a picture that crashes its
    // helper: every other picture is decoded all the same.
    void helpersServeManyAtOnce()
    {
        const QByteArray jpeg = encoded(twoHalves(QSize(400, 300)), "jpeg");
        QList<QFuture<LoadedPicture>> loads;
        QThreadPool pool;
        pool.setMaxThreadCount(8);
        for (int i = 0; i < 24; ++i) {
            const QString path = write(QStringLiteral("many-%1.jpg").arg(i),
                                       i == 5 ? QByteArray(PictureDecode::CrashMarker) : jpeg);
            loads << QtConcurrent::run(&pool, [path] { return loadPicture(path, Slot); });
        }
        for (int i = 0; i < loads.size(); ++i) {
            const LoadedPicture picture = loads[i].result();
            QVERIFY2(picture.ok() == (i != 5), qPrintable(QString::number(i) + QLatin1Char(' ') + picture.error()));
        }
    }

    void prefetchedResultsMatchDirectLoads()
    {
        QStringList paths;
        for (int i = 0; i < 12; ++i) {
            const QSize size(300 + 40 * i, 200 + 30 * (i % 5));
            const QString name = QStringLiteral("item%1.%2").arg(i).arg(i % 3 == 2 ? "bmp" : "jpg");
            paths << write(name, encoded(twoHalves(size), i % 3 == 2 ? "bmp" : "jpeg", Quality));
        }
        paths[5] = m_dir.filePath("gone.jpg");

        PicturePrefetcher prefetcher(&m_pool, paths, Slot, 3);
        for (int i = 0; i < paths.size(); ++i) {
            const LoadedPicture ahead = prefetcher.take(i, paths.at(i)).result();
            const LoadedPicture direct = loadPicture(paths.at(i), Slot);
            QCOMPARE(ahead.error(), direct.error());
            QCOMPARE(ahead.image(), direct.image());
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
        const QByteArray wide = encoded(twoHalves(QSize(800, 600)), "jpeg", Quality);
        const QStringList predicted = {write("a.jpg", wide), write("b.jpg", wide), write("c.jpg", wide)};
        write("other.jpg", encoded(twoHalves(QSize(300, 900)), "jpeg", Quality));

        PicturePrefetcher prefetcher(&m_pool, predicted, Slot, 2);
        const LoadedPicture picture = prefetcher.take(index, m_dir.filePath(actual)).result();
        QVERIFY2(picture.ok(), qPrintable(picture.error()));
        QCOMPARE(picture.image().size(), expected);

        // The prefetcher goes on serving later items correctly.
        const LoadedPicture last = prefetcher.take(2, predicted.at(2)).result();
        QVERIFY2(last.ok(), qPrintable(last.error()));
        QCOMPARE(last.image().size(), QSize(151, 113));
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
        const QString path = write("mid.jpg", encoded(twoHalves(QSize(1600, 1200)), "jpeg", Quality));
        const QStringList paths(20, path);

        auto prefetcher = std::make_unique<PicturePrefetcher>(&m_pool, paths, Slot, 6);
        for (int i = 0; i < taken; ++i)
            QVERIFY(prefetcher->take(i, path).result().ok());
        prefetcher.reset();

        // A new prefetcher over the same files starts from scratch.
        PicturePrefetcher next(&m_pool, paths, Slot, 6);
        QCOMPARE(next.take(0, path).result().image().size(), QSize(151, 113));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
