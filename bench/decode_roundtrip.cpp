// SPDX-License-Identifier: GPL-3.0-or-later
// What a decode in a helper costs beyond the decode: the same small JPEG
// decoded N times in this process, then N times through the decoding
// helpers, one caller at a time. Prints one line:
//   decode_roundtrip: pictures=N in_process_ms=... helper_ms=... overhead_ms=...
//   first_job_ms=...
// (each a mean per picture, but the last: the first job through the helpers,
// which starts one). Asserts nothing.
//   decode_roundtrip [--count N] [--size WxH]

#include "picture/decoderpool.h"
#include "picture/picturedecode.h"
#include "picture/picturefile.h"
#include "testpictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    int count = 500;
    QSize size(640, 480);
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--count"))
            count = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--size"))
            size = QSize(args.at(i + 1).section(QLatin1Char('x'), 0, 0).toInt(),
                         args.at(i + 1).section(QLatin1Char('x'), 1, 1).toInt());
    }
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("picture.jpg"));
    QFile out(path);
    const QByteArray bytes = encoded(noisyImage(size), "jpeg");
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    const QSize target(125, 113);
    QFile file;
    if (!openRegularFile(path, file).isEmpty())
        return 1;

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        file.seek(0);
        if (PictureDecode::decodePicture(file, target, false).image.isNull())
            return 1;
    }
    const double inProcess = double(clock.nsecsElapsed()) / 1e6 / count;

    DecodeJob::Job job;
    job.kind = DecodeJob::Kind::Picture;
    job.target = target;
    // The first job starts a helper: its time is a figure of its own, and
    // not part of the mean.
    clock.restart();
    DecoderPool::run(job, WorkerProcess::nativeFileOf(file), nullptr);
    const double start = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    for (int i = 0; i < count; ++i) {
        if (DecoderPool::run(job, WorkerProcess::nativeFileOf(file), nullptr).image.isNull())
            return 1;
    }
    const double helper = double(clock.nsecsElapsed()) / 1e6 / count;
    std::printf("decode_roundtrip: pictures=%d size=%dx%d in_process_ms=%.3f helper_ms=%.3f overhead_ms=%.3f "
                "first_job_ms=%.1f\n",
                count, size.width(), size.height(), inProcess, helper, helper - inProcess, start);
    return 0;
}
