// Measures the thumbnail board: a refresh of every picture of a folder, in
// the real window (offscreen), against the naive way of loading each picture
// at full size and scaling it down. Prints figures; asserts nothing.
//
//   board_refresh [FOLDER] [--count N] [--naive N]
//
// Without a folder it writes N (default 200) photo-like 4000 x 3000 JPEGs of
// quality 90 into a temporary folder first.

#include "app/frmmain.h"
#include "toolkit/imagebox.h"
#include "toolkit/sortedlistbox.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

double peakRssMb()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
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

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QString folder;
    int count = 200;
    int naiveCount = 40;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--count") && i + 1 < args.size())
            count = args.at(++i).toInt();
        else if (args.at(i) == QLatin1String("--naive") && i + 1 < args.size())
            naiveCount = args.at(++i).toInt();
        else
            folder = args.at(i);
    }

    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toLocal8Bit());
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

    Settings::writeStoredFolder(folder);
    auto form = std::make_unique<frmMain>();
    form->Form_Load();
    form->show();
    QCoreApplication::processEvents();
    form->List1->selectAll();
    form->cmdAdd_Click();

    QElapsedTimer clock;
    qint64 firstSlotMs = -1;
    // Slot 1 is visible when its show event arrives.
    struct FirstShow : QObject
    {
        QElapsedTimer *clock;
        qint64 *when;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (*when < 0 && event->type() == QEvent::Show && qobject_cast<ImageBox *>(watched)
                && watched->property("index").toInt() == 1)
                *when = clock->elapsed();
            return false;
        }
    } firstShow;
    firstShow.clock = &clock;
    firstShow.when = &firstSlotMs;
    app.installEventFilter(&firstShow);

    clock.start();
    form->cmdRefresh->click();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    app.removeEventFilter(&firstShow);
    const double boardPeak = peakRssMb();
    const int images = form->thumbnailCount();
    const double rate = images / seconds;
    out << "board: images=" << images << " seconds=" << QString::number(seconds, 'f', 2)
        << " images_per_s=" << QString::number(rate, 'f', 1) << " first_slot_ms=" << firstSlotMs
        << " peak_rss_mb=" << QString::number(boardPeak, 'f', 0) << Qt::endl;
    form.reset();

    // The naive baseline: every picture decoded at full size, then scaled.
    const int naiveImages = qMin(naiveCount, static_cast<int>(names.size()));
    clock.restart();
    for (int i = 0; i < naiveImages; ++i) {
        const QPixmap full(folder + QLatin1Char('/') + names.at(i));
        const QPixmap small = full.scaled(125, 113, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Q_UNUSED(small);
    }
    const double naiveRate = naiveImages / (static_cast<double>(clock.nsecsElapsed()) / 1e9);
    out << "naive: images=" << naiveImages << " images_per_s=" << QString::number(naiveRate, 'f', 1) << Qt::endl;

    out << "board_refresh: images=" << images << " seconds=" << QString::number(seconds, 'f', 2)
        << " images_per_s=" << QString::number(rate, 'f', 1) << " first_slot_ms=" << firstSlotMs
        << " peak_rss_mb=" << QString::number(boardPeak, 'f', 0)
        << " naive_images_per_s=" << QString::number(naiveRate, 'f', 1)
        << " ratio=" << QString::number(rate / naiveRate, 'f', 1) << Qt::endl;
    return 0;
}
