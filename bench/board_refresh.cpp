// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the window in the real frmMain (offscreen). Prints one summary
// line per case; asserts nothing.
//
//   board_refresh [FOLDER] [--count N] [--naive N] [--case cold|crafted|lists]
//   board_refresh --case exif|exif-bars|cache|cold-scale2 [--count N] [--shot PREFIX]
//   board_refresh --case accessible [--count N]
//   board_refresh --case scale [--count N]
//   board_refresh --case page [--count N]
//   --keep leaves the generated pictures in their folder and prints where.
//
// cold     a refresh of every picture of a folder, against the naive way of
//          loading each picture at full size and scaling it down. Without a
//          folder it writes N (default 200) photo-like 4000 x 3000 JPEGs of
//          quality 90 into a temporary folder first.
// crafted  the pictures made to hurt a decoder, three copies of each: every
//          one previewed, then four quick presses of Refresh.
// lists    50,000 names listed; every second one to the page list and
//          selected there, the others after them with that selection kept,
//          then the selected half back with "<". steps_ms: ">", select
//          all, ">", "<"; open_ms, the opening of the folder, is not
//          part of max_stall_ms.
// page     N names (default 32767) on the page list, and a page of images
//          built from them with the Build button into the folder. seconds
//          and build_ms are the press of the button until the page is
//          written; max_stall_ms covers the press, the page text and the
//          write. text_ms is the page text alone, made once before the
//          press. It runs only when asked for.
//
// exif, exif-bars, cache and cold-scale2 measure the thumbnail sources; see
// thumbnailSourceCase below. Each reports first_board_ms, until every slot
// is drawn (EXIF thumbnails among them), and settled_s, until every slot
// shows a decoded or cached picture. Compare settled_s with cold's seconds
// for the same --count.
//
// accessible  N small pictures (default 1000) refreshed on a private X server
//          and a private session and accessibility bus, once with the
//          accessibility bridge on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1) and a
//          listener taking every event as a screen reader does
//          (atspi_listener.py), once without, each in a process of its own.
//          With the bridge, the board's accessible tree is then walked in
//          the process (walk_ms) and by the listener over AT-SPI
//          (atspi_walk_s). ratio is the refresh and the walk with the bridge
//          over the refresh without it, cpu_ratio the same in the
//          process's own time; events the events the listener got
//          during the refresh; max_stall_ms covers the refresh and both
//          walks. Each way runs twice; the faster run's times count, and
//          the longer stall of the two.
//          Needs xvfb-run, dbus-run-session, at-spi2-core and
//          python3-pyatspi; it runs only when asked for.
//
// Every case reports max_stall_ms, the longest the event loop went without
// running a 5 ms timer. Without --case, and without a folder, every case
// runs, each in a process of its own so that peak_rss_mb is its own.

#include "app/frmmain.h"
#include "picture/picturefile.h"
#include "picture/pictureloader.h"
#include "board/thumbnailboard.h"
#include "picture/thumbnailsources.h"
#include "picture/decoderpool.h"
#include "page/pagewriter.h"
#include "toolkit/imagebox.h"
#include "toolkit/sortedlistbox.h"
#include "settings/settingsfile.h"
#include "toolkit/messagebox.h"
#include "toolkit/scopedoverride.h"
#include "testpictures.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QItemSelection>
#include <QLineEdit>
#include <QFrame>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>

#include <libexif/exif-data.h>

namespace {

// Notes when slot 1 becomes visible: its show event arrives.
struct FirstShow : QObject
{
    QElapsedTimer *clock = nullptr;
    qint64 *when = nullptr;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (*when < 0 && event->type() == QEvent::Show && qobject_cast<ImageBox *>(watched)
            && watched->property("index").toInt() == 1)
            *when = clock->elapsed();
        return false;
    }
};

// The decoding helpers' peaks, added up: what the program holds in all is
// this and peak_rss_mb together.
double helpersPeakMb()
{
    return double(DecoderPool::helpersPeakBytes()) / (1024.0 * 1024.0);
}

double peakRssMb()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
#endif
}

// Smooth light, a horizon, shapes and sensor noise: enough structure that
// the encoder and decoder do the work they do on a camera photo.
QByteArray photoLikeJpeg(int seed)
{
    QRandomGenerator rng(static_cast<quint32>(seed) * 7919u + 17u);
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1800);
    sky.setColorAt(0, QColor::fromHsv(200 + seed % 20, 120, 240));
    sky.setColorAt(1, QColor::fromHsv(30 + seed % 30, 60, 250));
    painter.fillRect(0, 0, 4000, 1800, sky);
    QLinearGradient ground(0, 1800, 0, 3000);
    ground.setColorAt(0, QColor::fromHsv(100 + seed % 40, 150, 140));
    ground.setColorAt(1, QColor::fromHsv(60, 120, 60));
    painter.fillRect(0, 1800, 4000, 1200, ground);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        painter.setBrush(QColor::fromHsv(rng.bounded(360), 80 + rng.bounded(150), 60 + rng.bounded(190)));
        const int w = 40 + rng.bounded(500);
        painter.drawEllipse(rng.bounded(4000), rng.bounded(3000), w, w / 2 + rng.bounded(300));
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = static_cast<int>(rng.generate() & 15u) - 8;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255), qBound(0, qBlue(p) + n, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.write(image);
    return bytes;
}

QStringList pictureNames(const QString &folder)
{
    QDir dir(folder);
    return dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

// The longest gap between two ticks of a 5 ms timer: how long the window
// would have taken to answer an input event.
class StallMeter
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
        m_timer.start();
    }
    qint64 worstMs()
    {
        tick();
        return m_worst;
    }

private:
    void tick()
    {
        const qint64 now = m_clock.elapsed();
        m_worst = qMax(m_worst, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// Runs the event loop until `done` holds. The overload with a time limit
// never waits for events; it would spin a core that the decodes need.
void runUntil(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void pick(frmMain &form, int row)
{
    form.List1->setCurrentRow(row);
    form.List1_Click();
    runUntil([&] { return !form.previewPending(); });
}

enum class AllOnPage { No, Yes };

// The window as a user opens it on the folder, with every picture moved to
// the page list when asked.
std::unique_ptr<frmMain> openWindow(const QString &folder, AllOnPage all)
{
    Settings::writeStoredFolder(folder);
    auto form = std::make_unique<frmMain>();
    form->Form_Load();
    form->show();
    QCoreApplication::processEvents();
    if (all == AllOnPage::Yes) {
        form->List1->selectAll();
        form->cmdAdd_Click();
    }
    return form;
}

int runCrafted(QTextStream &out, const QString &workFolder)
{
    const QString folder = workFolder + QStringLiteral("/crafted");
    QDir().mkpath(folder);
    const QList<CraftedPicture> pictures = craftedPictures();
    for (int copy = 0; copy < 3; ++copy) {
        for (const CraftedPicture &picture : pictures) {
            if (!writeCrafted(folder + QStringLiteral("/%1-%2").arg(copy).arg(picture.name), picture))
                return 1;
        }
    }
    Toolkit::setMessageHandler([](const QString &, MessageStyle, const QString &, QWidget *) {});
    auto form = openWindow(folder, AllOnPage::No);

    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    // Each kind once in the preview.
    for (int row = 0; row < pictures.size(); ++row)
        pick(*form, row);
    const double previewSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;

    form->List1->selectAll();
    form->cmdAdd_Click();
    // Four presses 100 ms apart; a refresh still running takes the next
    // one at a yield.
    qint64 lastPressMs = 0;
    int pressesDone = 0;
    clock.restart();
    for (int press = 1; press < 4; ++press) {
        QTimer::singleShot(100 * press, form.get(), [&] {
            lastPressMs = clock.elapsed();
            form->cmdRefresh->click();
            ++pressesDone;
        });
    }
    form->cmdRefresh->click();
    runUntil([&] { return pressesDone == 3; });
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double afterLast = seconds - static_cast<double>(lastPressMs) / 1e3;
    const int images = form->thumbnailCount();
    form.reset();
    out << "board_refresh: case=crafted images=" << images << " seconds=" << fixed(seconds, 2)
        << " images_per_s=" << fixed(images / seconds, 1) << " first_slot_ms=-1"
        << " peak_rss_mb=" << fixed(peakRssMb(), 0) << " helpers_peak_mb=" << fixed(helpersPeakMb(), 0) << " max_stall_ms=" << stalls.worstMs()
        << " preview_seconds=" << fixed(previewSeconds, 2) << " after_last_press_s=" << fixed(afterLast, 2)
        << Qt::endl;
    return 0;
}

int runLists(QTextStream &out, const QString &workFolder)
{
    const int count = 50000;
    const QString folder = workFolder + QStringLiteral("/names");
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    Settings::writeStoredFolder(folder);
    auto form = std::make_unique<frmMain>();
    QElapsedTimer clock;
    clock.start();
    form->Form_Load();
    const qint64 openMs = clock.elapsed();
    form->show();
    QCoreApplication::processEvents();

    // Every second name: no single input selects that many ranges at once.
    QItemSelection even;
    for (int row = 0; row < form->List1->count(); row += 2)
        even.select(form->List1->model()->index(row, 0), form->List1->model()->index(row, 0));
    form->List1->selectionModel()->select(even, QItemSelectionModel::Select);

    StallMeter stalls;
    clock.restart();
    // Each step is one event, with the event loop running in between.
    QList<std::function<void()>> steps = {
        [&] { form->cmdAdd->click(); },
        [&] { form->List2->selectAll(); form->List1->selectAll(); },
        [&] { form->cmdAdd->click(); },
        [&] { form->cmdRemove->click(); },
    };
    int next = 0;
    QStringList stepMs;
    QTimer stepper;
    QObject::connect(&stepper, &QTimer::timeout, [&] {
        if (next >= steps.size())
            return;
        QElapsedTimer step;
        step.start();
        steps[next++]();
        stepMs << QString::number(step.elapsed());
    });
    stepper.start(20);
    runUntil([&] { return next == steps.size(); });
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    // The second ">" keeps the first half selected; "<" sends that half back.
    const bool whole = form->List1->count() == count / 2 && form->List2->count() == count / 2
        && form->List1->item(0)->text() == QLatin1String("IMG_00000.jpg");
    form.reset();
    out << "board_refresh: case=lists images=0 seconds=" << fixed(seconds, 2) << " images_per_s=0"
        << " first_slot_ms=-1 peak_rss_mb=" << fixed(peakRssMb(), 0) << " helpers_peak_mb=" << fixed(helpersPeakMb(), 0) << " max_stall_ms=" << stalls.worstMs()
        << " names=" << count << " open_ms=" << openMs << " steps_ms=" << stepMs.join(QLatin1Char(',')) << (whole ? "" : " WRONG")
        << Qt::endl;
    return 0;
}

} // namespace


// ---- Thumbnail sources: EXIF thumbnails and the shared thumbnail cache ----
//
//   exif       camera-like pictures with a 160 x 120 EXIF thumbnail of the
//              picture's aspect, every second one with orientation 6
//   exif-bars  3:2 pictures whose EXIF thumbnail is 4:3 with black bars: they
//              must be decoded
//   cache      a refresh (printed as case=cache-fill) fills the shared cache,
//              then a second refresh reads it
//   cold-scale2  the EXIF pictures with an empty cache, at QT_SCALE_FACTOR=2
//              unless that is set: the thumbnails are too small for the slot
namespace {

QByteArray withExifThumbnail(const QByteArray &jpeg, const QImage &thumbnail, int orientation)
{
    // A null thumbnail leaves only the orientation.
    QByteArray thumbnailJpeg;
    QBuffer buffer(&thumbnailJpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!thumbnail.isNull())
        thumbnail.save(&buffer, "jpeg", 80);
    ExifData *exif = exif_data_new();
    exif_data_set_byte_order(exif, EXIF_BYTE_ORDER_INTEL);
    ExifEntry *entry = exif_entry_new();
    exif_content_add_entry(exif->ifd[EXIF_IFD_0], entry);
    exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
    exif_set_short(entry->data, EXIF_BYTE_ORDER_INTEL, ExifShort(orientation));
    exif_entry_unref(entry);
    if (!thumbnailJpeg.isEmpty()) {
        exif->data = static_cast<unsigned char *>(malloc(size_t(thumbnailJpeg.size())));
        memcpy(exif->data, thumbnailJpeg.constData(), size_t(thumbnailJpeg.size()));
        exif->size = unsigned(thumbnailJpeg.size());
    }
    unsigned char *block = nullptr;
    unsigned int length = 0;
    exif_data_save_data(exif, &block, &length);
    QByteArray app1 = QByteArrayLiteral("\xff\xe1");
    app1 += char((length + 2) >> 8);
    app1 += char((length + 2) & 0xff);
    app1 += QByteArray(reinterpret_cast<const char *>(block), int(length));
    free(block);
    exif_data_unref(exif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

struct RefreshFigures
{
    int images = 0;
    // Until the refresh returned: every slot drawn, some with their
    // embedded thumbnails.
    double seconds = 0;
    // Until every slot showed a decoded or cached picture.
    double settledSeconds = 0;
    qint64 firstSlotMs = -1;
    qint64 maxStallMs = 0;
    double peakRssMb = 0;
};

// With a shot path, the window is saved as a picture after the refresh.
RefreshFigures measureRefresh(QApplication &app, const QString &folder, const QString &shot = QString())
{
    auto form = openWindow(folder, AllOnPage::Yes);

    QElapsedTimer clock;
    RefreshFigures figures;
    FirstShow firstShow;
    firstShow.clock = &clock;
    firstShow.when = &figures.firstSlotMs;
    app.installEventFilter(&firstShow);
    StallMeter stalls;
    clock.start();
    form->cmdRefresh->click();
    figures.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    runUntil([&] { return form->board().isSettled(); });
    figures.settledSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    figures.maxStallMs = stalls.worstMs();
    app.removeEventFilter(&firstShow);
    figures.peakRssMb = peakRssMb();
    figures.images = form->thumbnailCount();
    if (!shot.isEmpty())
        form->grab().save(shot);
    return figures;
}

void printFigures(QTextStream &out, const QString &name, const RefreshFigures &figures)
{
    out << "board_refresh: case=" << name << " images=" << figures.images
        << " seconds=" << QString::number(figures.seconds, 'f', 2)
        << " images_per_s=" << QString::number(figures.images / figures.seconds, 'f', 1)
        << " first_slot_ms=" << figures.firstSlotMs
        << " first_board_ms=" << qRound64(figures.seconds * 1000)
        << " settled_s=" << QString::number(figures.settledSeconds, 'f', 2)
        << " scale=" << qgetenv("QT_SCALE_FACTOR")
        << " peak_rss_mb=" << QString::number(peakRssMb(), 'f', 0) << " helpers_peak_mb=" << QString::number(helpersPeakMb(), 'f', 0) << " max_stall_ms=" << figures.maxStallMs
        << Qt::endl;
}

// What a slot far from the viewport asks of a warm cache, on one thread and
// without the board: answered from the picture's attributes, as the board
// does, and from the picture opened, as it did before. Printed per picture.
void measureCacheAnswers(QTextStream &out, const QString &folder, int count)
{
    const QSize target(125, 113); // a slot at scale 1
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
    for (int round = 0; round < 2; ++round) {
        for (const bool opened : {true, false}) {
            int cached = 0;
            QElapsedTimer clock;
            clock.start();
            for (const QString &path : paths) {
                if (opened) {
                    QFile file;
                    FileStamp stamp;
                    cached += openRegularFile(path, file).isEmpty() && sizeAndTimeOfOpenFile(file, &stamp)
                        && ThumbnailSources::recordedFailure(path, &stamp).isEmpty()
                        && ThumbnailSources::hasCachedThumbnail(path, target, &stamp);
                } else {
                    cached += loadUnlessCached(path, target).isCached();
                }
            }
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            out << "board_refresh: case=cache-answers way=" << (opened ? "opened" : "attributes")
                << " round=" << round + 1 << " images=" << count << " cached=" << cached
                << " ms_per_picture=" << QString::number(ms / count, 'f', 3)
                << " answers_per_s=" << QString::number(count * 1000.0 / ms, 'f', 0) << Qt::endl;
        }
    }
}

// With a shot prefix, boards are saved for a side-by-side look: for exif,
// PREFIX-exif.png and then PREFIX-decoded.png of the same pictures without
// their thumbnails; for cache, PREFIX-decoded.png and PREFIX-cache.png.
int thumbnailSourceCase(QApplication &app, const QString &name, int count, const QString &shot)
{
    QTextStream out(stdout);
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(work.filePath(QStringLiteral("cache"))));
    // Windows keeps the settings file in %APPDATA% and the thumbnails in
    // %LOCALAPPDATA%: the run's own folders too.
    qputenv("APPDATA", QDir::toNativeSeparators(work.filePath(QStringLiteral("config"))).toLocal8Bit());
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(work.filePath(QStringLiteral("cache"))).toLocal8Bit());
    const QString folder = work.filePath(QStringLiteral("photos"));
    QDir().mkpath(folder);

    const bool bars = name == QLatin1String("exif-bars");
    const bool exif = bars || name == QLatin1String("exif") || name == QLatin1String("cold-scale2");
    out << "writing " << count << " pictures for case " << name << " into " << folder << Qt::endl;
    const int distinct = qMin(count, 8);
    QList<QByteArray> photos[2];
    QList<QByteArray> plain[2];
    for (int i = 0; i < distinct; ++i) {
        QByteArray jpeg = photoLikeJpeg(i);
        QImage picture = QImage::fromData(jpeg);
        if (bars) {
            // A 3:2 sensor: the 4:3 thumbnail has black bars above and below.
            picture = picture.copy(0, 167, 4000, 2667);
            QBuffer buffer(&jpeg);
            jpeg.clear();
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "jpeg", 90);
        }
        for (const int orientation : {1, 6}) {
            QImage thumbnail(160, 120, QImage::Format_RGB32);
            thumbnail.fill(Qt::black);
            QPainter painter(&thumbnail);
            const QImage small = picture.scaled(160, 120, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            painter.drawImage((160 - small.width()) / 2, (120 - small.height()) / 2, small);
            painter.end();
            photos[orientation == 6] << (exif ? withExifThumbnail(jpeg, thumbnail, orientation) : jpeg);
            plain[orientation == 6] << withExifThumbnail(jpeg, QImage(), orientation);
        }
    }
    const auto writeAll = [&](const QList<QByteArray> (&files)[2]) {
        for (int i = 0; i < count; ++i) {
            QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
            if (!file.open(QIODevice::WriteOnly) || file.write(files[i % 2].at(i % distinct)) < 0) {
                out << "cannot write " << file.fileName() << ": " << file.errorString() << Qt::endl;
                return false;
            }
        }
        return true;
    };
    if (!writeAll(photos))
        return 1;
    const auto shotPath = [&](const char *what) {
        return shot.isEmpty() ? QString() : shot + QLatin1Char('-') + QLatin1String(what) + QStringLiteral(".png");
    };
    if (name == QLatin1String("cache"))
        printFigures(out, QStringLiteral("cache-fill"), measureRefresh(app, folder, shotPath("decoded")));
    printFigures(out, name, measureRefresh(app, folder, shotPath(name == QLatin1String("cache") ? "cache" : "exif")));
    if (name == QLatin1String("cache"))
        measureCacheAnswers(out, folder, count);
    if (name == QLatin1String("exif") && !shot.isEmpty()) {
        if (!writeAll(plain))
            return 1;
        printFigures(out, QStringLiteral("exif-decoded"), measureRefresh(app, folder, shotPath("decoded")));
    }
    return 0;
}

bool isThumbnailSourceCase(const QString &name)
{
    return name == QLatin1String("exif") || name == QLatin1String("exif-bars") || name == QLatin1String("cache")
        || name == QLatin1String("cold-scale2");
}

} // namespace
// ---- end of the thumbnail-source cases ----

// ---- The board with a screen reader's accessibility bridge on ----
namespace {

const char busLauncher[] = "/usr/libexec/at-spi-bus-launcher";

// What one process of the accessible case measured, as it prints it.
QMap<QString, QString> figuresOf(const QString &line)
{
    QMap<QString, QString> figures;
    for (const QString &pair : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype at = pair.indexOf(QLatin1Char('='));
        if (at > 0)
            figures.insert(pair.left(at), pair.mid(at + 1));
    }
    return figures;
}

// The board's children as a flat review reads them, in the process; the
// time it took, in milliseconds.
double walkBoard(QWidget *board, int &children)
{
    QElapsedTimer clock;
    clock.start();
    QAccessibleInterface *frame = QAccessible::queryAccessibleInterface(board);
    children = 0;
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface *child = frame->child(i);
        if (!child || child->parent() != frame || frame->indexOfChild(child) != i)
            return -1;
        child->text(QAccessible::Name);
        child->role();
        child->state();
        ++children;
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// One process: the window on the X server, a refresh of the folder, then
// the walks.
int runAccessibleChild(const QString &folder, bool bridge)
{
    QTextStream out(stdout);
    Toolkit::setMessageHandler([](const QString &, MessageStyle, const QString &, QWidget *) {});
    QElapsedTimer wait;
    wait.start();
    while (bridge && !QAccessible::isActive() && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (bridge && !QAccessible::isActive()) {
        out << "accessible-run: the accessibility bridge did not start" << Qt::endl;
        return 1;
    }
    QProcess listener;
    if (bridge) {
        listener.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(KELVANE_BENCH_DIR "/atspi_listener.py"),
                                                   QCoreApplication::applicationName()});
        listener.write("ready\n");
        if (!listener.waitForReadyRead(20000)) {
            out << "accessible-run: the listener did not start: " << listener.readAllStandardError() << Qt::endl;
            return 1;
        }
        listener.readAll();
    }
    // The listener answers a command with a line that starts with `answer`;
    // the window goes on answering the listener meanwhile.
    const auto ask = [&](const char *command, const char *answer) {
        listener.write(command);
        listener.write("\n");
        for (;;) {
            while (!listener.canReadLine() && listener.state() == QProcess::Running)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const QString line = QString::fromUtf8(listener.readLine()).trimmed();
            if (line.startsWith(QLatin1String(answer)) || listener.state() != QProcess::Running)
                return line;
        }
    };
    // Events on their way to the listener still count where they were sent.
    const auto drain = [] {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    };

    auto form = openWindow(folder, AllOnPage::Yes);
    if (bridge) {
        drain();
        ask("counts", "events="); // the window's own events, before the refresh
    }
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpuStart = std::clock();
    form->cmdRefresh->click();
    runUntil([&] { return form->board().isSettled(); });
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    int children = 0;
    const double walkMs = walkBoard(form->Frame1, children);
    // The process's own time, all its threads: less of what else the
    // machine runs.
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    QString events = QStringLiteral("-1");
    QString atspiWalk = QStringLiteral("-1");
    if (bridge) {
        drain();
        const QString counted = ask("counts", "events=");
        const QString walked = ask("walk", "walked ");
        if (qEnvironmentVariableIsSet("KELVANE_BENCH_VERBOSE"))
            out << counted << '\n' << walked << Qt::endl;
        events = figuresOf(counted).value(QStringLiteral("events"));
        atspiWalk = figuresOf(walked).value(QStringLiteral("seconds"));
    }
    const qint64 worstStallMs = stalls.worstMs();
    if (bridge) {
        listener.closeWriteChannel();
        listener.waitForFinished(5000);
    }
    out << "accessible-run: images=" << form->thumbnailCount() << " seconds=" << fixed(seconds, 3)
        << " cpu_s=" << fixed(cpuSeconds, 3) << " walk_ms=" << fixed(walkMs, 1) << " walked=" << children
        << " atspi_walk_s=" << atspiWalk
        << " events=" << events << " max_stall_ms=" << worstStallMs << " peak_rss_mb=" << fixed(peakRssMb(), 0) << " helpers_peak_mb=" << fixed(helpersPeakMb(), 0)
        << Qt::endl;
    return 0;
}

int runAccessible(QTextStream &out, const QString &workFolder, int count)
{
    const QString folder = workFolder + QStringLiteral("/small");
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        const QByteArray jpeg = encoded(flatImage(QSize(320, 240), QColor::fromHsv((i * 37) % 360, 200, 200)), "jpeg");
        if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) < 0) {
            out << "cannot write " << file.fileName() << ": " << file.errorString() << Qt::endl;
            return 1;
        }
    }
    // Each way twice, in turns, and the faster of each kept: what else the
    // machine runs meanwhile falls on both alike.
    QMap<QString, QString> runs[2];
    qint64 worstStallMs[2] = {0, 0};
    for (const bool bridge : {false, true, false, true}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{QStringLiteral("-a"), QStringLiteral("dbus-run-session"), QStringLiteral("--"),
                              QCoreApplication::applicationFilePath(), QStringLiteral("--case"),
                              QStringLiteral("accessible-run"), folder};
        if (bridge)
            arguments << QStringLiteral("--bridge");
        child.start(QStringLiteral("xvfb-run"), arguments);
        child.waitForFinished(-1);
        QMap<QString, QString> run;
        for (const QString &line : QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("accessible-run: ")))
                run = figuresOf(line);
        }
        const auto seconds = [](const QMap<QString, QString> &figures) {
            return figures.value(QStringLiteral("seconds")).toDouble();
        };
        if (runs[bridge].isEmpty() || (!run.isEmpty() && seconds(run) < seconds(runs[bridge])))
            runs[bridge] = run;
        worstStallMs[bridge] = qMax(worstStallMs[bridge], run.value(QStringLiteral("max_stall_ms")).toLongLong());
        if (run.isEmpty()) {
            out << "board_refresh: case=accessible failed" << (bridge ? " with" : " without") << " the bridge"
                << Qt::endl;
            return 1;
        }
    }
    const QMap<QString, QString> &plain = runs[0];
    const QMap<QString, QString> &with = runs[1];
    const double seconds = with.value(QStringLiteral("seconds")).toDouble();
    const double walkSeconds = with.value(QStringLiteral("walk_ms")).toDouble() / 1000;
    const double plainSeconds = plain.value(QStringLiteral("seconds")).toDouble();
    out << "board_refresh: case=accessible images=" << with.value(QStringLiteral("images"))
        << " seconds=" << fixed(seconds, 2) << " images_per_s=" << fixed(count / seconds, 1)
        << " plain_seconds=" << fixed(plainSeconds, 2) << " ratio=" << fixed((seconds + walkSeconds) / plainSeconds, 2)
        << " cpu_ratio="
        << fixed(with.value(QStringLiteral("cpu_s")).toDouble() / plain.value(QStringLiteral("cpu_s")).toDouble(), 2)
        << " walk_ms=" << with.value(QStringLiteral("walk_ms")) << " walked=" << with.value(QStringLiteral("walked"))
        << " plain_walk_ms=" << plain.value(QStringLiteral("walk_ms"))
        << " atspi_walk_s=" << with.value(QStringLiteral("atspi_walk_s"))
        << " events=" << with.value(QStringLiteral("events"))
        << " peak_rss_mb=" << with.value(QStringLiteral("peak_rss_mb"))
        << " max_stall_ms=" << worstStallMs[1] << " plain_max_stall_ms=" << worstStallMs[0] << Qt::endl;
    return 0;
}

} // namespace
// ---- end of the accessible case ----

// ---- The board at scale ----
//
//   scale    N small camera-like pictures (640 x 480, default 10,000) with
//            a 160 x 120 EXIF thumbnail. first_board_ms until the refresh
//            returns; settled_s until every slot has shown a decoded or
//            cached picture; then the scroll bar goes to the last row at
//            once, and scroll_ms is the time until every slot the viewport
//            shows there has its picture, scroll_back_ms the same for the
//            way back to the top. peak_rss_mb and max_stall_ms cover all of it.
namespace {

QByteArray smallCameraJpeg(int seed)
{
    QRandomGenerator rng(static_cast<quint32>(seed) * 104729u + 3u);
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 290);
    sky.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 120, 240));
    sky.setColorAt(1, QColor::fromHsv(30 + seed % 30, 60, 250));
    painter.fillRect(0, 0, 640, 290, sky);
    painter.fillRect(0, 290, 640, 190, QColor::fromHsv((seed * 83) % 360, 150, 120));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 25; ++i) {
        painter.setBrush(QColor::fromHsv(rng.bounded(360), 80 + rng.bounded(150), 60 + rng.bounded(190)));
        const int w = 10 + rng.bounded(120);
        painter.drawEllipse(rng.bounded(640), rng.bounded(480), w, w / 2 + rng.bounded(60));
    }
    painter.end();
    const QImage thumbnail = image.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return withExifThumbnail(encoded(image, "jpeg", 85), thumbnail, 1);
}

// Whether every slot the viewport shows at the scroll bar's position has
// its picture or its failure.
bool viewportShown(frmMain &form)
{
    const int first = form.VScroll1->value();
    const int rows = form.Frame2->height() / form.imgView(0)->height() + 1;
    for (int row = first; row <= first + rows; ++row) {
        for (int n = row * Board::columns + 1; n <= (row + 1) * Board::columns; ++n) {
            const ImageBox *slot = form.imgView(n);
            if (slot && slot->picture().isNull() && !slot->hasFailure())
                return false;
        }
    }
    return true;
}

int runScale(QTextStream &out, const QString &workFolder, int count)
{
    Toolkit::setMessageHandler([](const QString &, MessageStyle, const QString &, QWidget *) {});
    const QString folder = workFolder + QStringLiteral("/camera");
    QDir().mkpath(folder);
    out << "writing " << count << " pictures for case scale into " << folder << Qt::endl;
    QList<QByteArray> photos;
    for (int i = 0; i < qMin(count, 16); ++i)
        photos << smallCameraJpeg(i);
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(photos.at(i % photos.size())) < 0) {
            out << "cannot write " << file.fileName() << ": " << file.errorString() << Qt::endl;
            return 1;
        }
    }
    auto form = openWindow(folder, AllOnPage::Yes);

    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    form->cmdRefresh->click();
    const qint64 firstBoardMs = clock.elapsed();
    runUntil([&] { return form->board().isSettled(); });
    const double settledSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const auto scroll = [&](int position) {
        QElapsedTimer scrolling;
        scrolling.start();
        form->VScroll1->setValue(position);
        runUntil([&] { return viewportShown(*form); });
        return static_cast<double>(scrolling.nsecsElapsed()) / 1e6;
    };
    const double scrollMs = scroll(form->VScroll1->maximum());
    const double scrollBackMs = scroll(0);
    out << "board_refresh: case=scale images=" << form->thumbnailCount() << " first_board_ms=" << firstBoardMs
        << " settled_s=" << fixed(settledSeconds, 2) << " scroll_ms=" << fixed(scrollMs, 1)
        << " scroll_back_ms=" << fixed(scrollBackMs, 1) << " peak_rss_mb=" << fixed(peakRssMb(), 0) << " helpers_peak_mb=" << fixed(helpersPeakMb(), 0)
        << " max_stall_ms=" << stalls.worstMs() << Qt::endl;
    return 0;
}

} // namespace
// ---- end of the scale case ----

// ---- A page built from a full page list ----
namespace {

int runPage(QTextStream &out, const QString &workFolder, int count)
{
    const QString folder = workFolder + QStringLiteral("/page");
    QDir().mkpath(folder);
    // Empty files: the page is made from the names alone.
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    int messages = 0;
    // Given back on return: the handler counts into this function's own variable.
    const Toolkit::ScopedOverride handler(
        Toolkit::setMessageHandler, [&messages](const QString &text, MessageStyle, const QString &, QWidget *) {
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
            ++messages;
        });
    auto form = openWindow(folder, AllOnPage::Yes);
    form->txtName->setText(QStringLiteral("Album"));
    const int names = form->List2->count();
    // The page text alone, as the press makes it.
    PageInput input;
    input.folder = folder;
    input.pageName = QStringLiteral("Album");
    input.pageList = form->List2->names();
    QElapsedTimer textClock;
    textClock.start();
    const qsizetype textBytes = Page::pageBytes(input).size();
    const qint64 textMs = textClock.elapsed();

    StallMeter stalls;
    QElapsedTimer clock;
    qint64 buildMs = -1;
    // The press is an event of its own, with the event loop running around it.
    QTimer::singleShot(20, form.get(), [&] {
        clock.start();
        form->cmdBuild->click();
        buildMs = clock.elapsed();
    });
    runUntil([&] { return buildMs >= 0; });
    const qint64 worst = stalls.worstMs();
    const qint64 pageBytes = QFileInfo(Page::pagePath(folder, QStringLiteral("Album"))).size();
    form.reset();
    out << "board_refresh: case=page images=" << names << " seconds=" << fixed(buildMs / 1e3, 2)
        << " max_stall_ms=" << worst << " build_ms=" << buildMs << " text_ms=" << textMs << " page_bytes=" << pageBytes
        << " peak_rss_mb=" << fixed(peakRssMb(), 0) << " helpers_peak_mb=" << fixed(helpersPeakMb(), 0)
        << (names == count && messages == 0 && pageBytes == textBytes ? "" : " WRONG")
        << Qt::endl;
    return 0;
}

} // namespace
// ---- end of the page case ----

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    for (int i = 1; i + 1 < argc; ++i) {
        if (!strcmp(argv[i], "--case") && !strcmp(argv[i + 1], "cold-scale2") && qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
            qputenv("QT_SCALE_FACTOR", "2");
    }
    // A process of the accessible case: its accessibility bus is started
    // before the window, which looks for it once.
    bool accessibleRun = false;
    bool bridge = false;
    for (int i = 1; i < argc; ++i) {
        accessibleRun |= i + 1 < argc && !strcmp(argv[i], "--case") && !strcmp(argv[i + 1], "accessible-run");
        bridge |= !strcmp(argv[i], "--bridge");
    }
    QProcess launcher;
    if (accessibleRun) {
        launcher.start(QLatin1String(busLauncher), {QStringLiteral("--launch-immediately")});
        if (!launcher.waitForStarted())
            return 1;
        QThread::msleep(500); // until the bus has its name
        if (bridge)
            qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    }
    QApplication app(argc, argv);
    if (accessibleRun) {
        QTemporaryDir work;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(work.filePath(QStringLiteral("cache"))));
        const int status = runAccessibleChild(QCoreApplication::arguments().at(3), bridge);
        launcher.terminate();
        launcher.waitForFinished(3000);
        return status;
    }
    if (const qsizetype at = QCoreApplication::arguments().indexOf(QStringLiteral("--case")); at > 0) {
        const QStringList args = QCoreApplication::arguments();
        const QString name = args.value(at + 1);
        const qsizetype countAt = args.indexOf(QStringLiteral("--count"));
        const qsizetype shotAt = args.indexOf(QStringLiteral("--shot"));
        if (isThumbnailSourceCase(name))
            return thumbnailSourceCase(app, name, countAt > 0 ? args.value(countAt + 1).toInt() : 500,
                                       shotAt > 0 ? args.value(shotAt + 1) : QString());
    }
    QTextStream out(stdout);

    QString folder;
    QString onlyCase;
    int count = 200;
    int naiveCount = 40;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--count") && i + 1 < args.size())
            count = args.at(++i).toInt();
        else if (args.at(i) == QLatin1String("--naive") && i + 1 < args.size())
            naiveCount = args.at(++i).toInt();
        else if (args.at(i) == QLatin1String("--case") && i + 1 < args.size())
            onlyCase = args.at(++i);
        else if (args.at(i) != QLatin1String("--keep"))
            folder = args.at(i);
    }

    if (onlyCase.isEmpty() && folder.isEmpty()) {
        // Each case in a process of its own: the peak RSS is per process.
        int status = 0;
        for (const char *name : {"cold", "crafted", "lists", "exif", "exif-bars", "cache", "cold-scale2"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), args + QStringList{QStringLiteral("--case"), QLatin1String(name)});
            child.waitForFinished(-1);
            status |= child.exitCode();
        }
        return status;
    }

    QTemporaryDir work;
    // --keep leaves the pictures behind, for other tools to be timed on them.
    if (args.contains(QLatin1String("--keep"))) {
        work.setAutoRemove(false);
        std::fprintf(stderr, "kept: %s\n", qPrintable(work.path()));
    }
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", work.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("APPDATA", QDir::toNativeSeparators(work.filePath(QStringLiteral("config"))).toLocal8Bit());
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(work.filePath(QStringLiteral("cache"))).toLocal8Bit());
    if (onlyCase == QLatin1String("crafted"))
        return runCrafted(out, work.path());
    if (onlyCase == QLatin1String("lists"))
        return runLists(out, work.path());
    if (onlyCase == QLatin1String("accessible"))
        return runAccessible(out, work.path(), args.contains(QLatin1String("--count")) ? count : 1000);
    if (onlyCase == QLatin1String("scale"))
        return runScale(out, work.path(), args.contains(QLatin1String("--count")) ? count : 10000);
    if (onlyCase == QLatin1String("page"))
        return runPage(out, work.path(), args.contains(QLatin1String("--count")) ? count : 32767);

    if (folder.isEmpty()) {
        folder = work.filePath(QStringLiteral("photos"));
        QDir().mkpath(folder);
        out << "writing " << count << " photo-like 4000x3000 JPEGs (quality 90) into " << folder << Qt::endl;
        // A handful of distinct photos, written again under other names:
        // decoding costs the same for each copy.
        const int distinct = qMin(count, 8);
        QList<QByteArray> photos;
        for (int i = 0; i < distinct; ++i)
            photos << photoLikeJpeg(i);
        for (int i = 0; i < count; ++i) {
            QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
            if (!file.open(QIODevice::WriteOnly) || file.write(photos.at(i % distinct)) < 0) {
                out << "cannot write " << file.fileName() << ": " << file.errorString() << Qt::endl;
                return 1;
            }
        }
    }
    const QStringList names = pictureNames(folder);
    if (names.isEmpty()) {
        out << "no JPEG pictures in " << folder << Qt::endl;
        return 1;
    }

    const RefreshFigures board = measureRefresh(app, folder);
    const double rate = board.images / board.seconds;
    out << "board: images=" << board.images << " seconds=" << QString::number(board.seconds, 'f', 2)
        << " images_per_s=" << QString::number(rate, 'f', 1) << " first_slot_ms=" << board.firstSlotMs
        << " peak_rss_mb=" << QString::number(board.peakRssMb, 'f', 0) << Qt::endl;

    // The naive baseline: every picture decoded at full size, then scaled.
    const int naiveImages = qMin(naiveCount, static_cast<int>(names.size()));
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < naiveImages; ++i) {
        const QPixmap full(folder + QLatin1Char('/') + names.at(i));
        const QPixmap small = full.scaled(125, 113, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Q_UNUSED(small);
    }
    const double naiveRate = naiveImages / (static_cast<double>(clock.nsecsElapsed()) / 1e9);
    out << "naive: images=" << naiveImages << " images_per_s=" << QString::number(naiveRate, 'f', 1) << Qt::endl;

    out << "board_refresh: case=cold images=" << board.images << " seconds=" << QString::number(board.seconds, 'f', 2)
        << " images_per_s=" << QString::number(rate, 'f', 1) << " first_slot_ms=" << board.firstSlotMs
        << " settled_s=" << QString::number(board.settledSeconds, 'f', 2)
        << " peak_rss_mb=" << QString::number(board.peakRssMb, 'f', 0)
        << " naive_images_per_s=" << QString::number(naiveRate, 'f', 1)
        << " ratio=" << QString::number(rate / naiveRate, 'f', 1) << " max_stall_ms=" << board.maxStallMs << Qt::endl;
    return 0;
}
