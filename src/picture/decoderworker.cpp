// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/decoderworker.h"

#include "picture/decodejob.h"
#include "picture/picturedecode.h"
#include "picture/workerprocess.h"
#include "toolkit/translations.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include <cerrno>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Every plugin is loaded before the sandbox closes: a plugin is a file, and
// the helper can open none afterwards.
void loadEveryPlugin()
{
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        QBuffer empty;
        empty.open(QIODevice::ReadOnly);
        QImageReader(&empty, format).canRead();
    }
}

// The file a job was sent, with the size learnt when it was opened: a
// decoder asks for the size again and again (readAll() once for every
// read), and Qt asks the system each time.
class SizedFile : public QIODevice
{
public:
    SizedFile(QFile &file, qint64 size) : m_file(file), m_size(size) { open(ReadOnly | Unbuffered); }
    qint64 size() const override { return m_size; }
    bool seek(qint64 position) override { return QIODevice::seek(position) && m_file.seek(position); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 read = m_file.read(data, maxSize);
        if (read < 0)
            setErrorString(m_file.errorString());
        return read;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile &m_file;
    const qint64 m_size;
};

[[noreturn]] void spinForever()
{
    volatile unsigned long long turns = 0;
    for (;;)
        turns = turns + 1;
}

[[noreturn]] void allocateForever()
{
    std::vector<char *> held;
    for (;;) {
        char *block = static_cast<char *>(std::malloc(16 << 20));
        if (block) {
            std::memset(block, 1, 16 << 20);
            held.push_back(block);
        }
    }
}

// Test mode: the markers PictureDecode names make the helper fail as a
// broken decoder would.
void obeyMarker(QFile &file, WorkerProcess::Channel &channel)
{
    const QByteArray head = file.peek(64);
    if (head.startsWith(PictureDecode::NonsenseMarker))
        channel.send(QByteArrayLiteral("not an answer"));
    if (head.startsWith(PictureDecode::CrashMarker))
        std::abort();
    if (head.startsWith(PictureDecode::SpinMarker))
        spinForever();
    if (head.startsWith(PictureDecode::AllocateMarker))
        allocateForever();
}

DecodeJob::Answer failed(const QString &error, bool recordable = false)
{
    DecodeJob::Answer answer;
    answer.outcome = DecodeJob::Outcome::Failed;
    answer.error = error;
    answer.recordable = recordable;
    return answer;
}

DecodeJob::Answer decoded(const QImage &image)
{
    DecodeJob::Answer answer;
    answer.outcome = image.isNull() ? DecodeJob::Outcome::Failed : DecodeJob::Outcome::Decoded;
    answer.image = image;
    return answer;
}

DecodeJob::Answer answer(const DecodeJob::Job &job, WorkerProcess::NativeFile received, bool testMode,
                         WorkerProcess::Channel &channel)
{
    switch (job.kind) {
    case DecodeJob::Kind::Picture: {
        QFile file;
        qint64 size = 0;
        if (!WorkerProcess::openFile(received, file, &size))
            return failed(QCoreApplication::translate("DecoderWorker", "No file came with the job"));
        if (testMode)
            obeyMarker(file, channel);
        SizedFile sized(file, size);
        const PictureDecode::Picture picture = PictureDecode::decodePicture(sized, job.target, job.cacheSized);
        DecodeJob::Answer answer = picture.image.isNull() ? failed(picture.error, picture.recordable)
                                                          : decoded(picture.image);
        answer.upright = picture.upright;
        return answer;
    }
    case DecodeJob::Kind::FirstLook:
        return decoded(PictureDecode::firstLook(job.bytes, job.target));
    case DecodeJob::Kind::CacheEntry:
        return decoded(PictureDecode::cacheEntry(job.bytes));
    case DecodeJob::Kind::Attempt: {
        QFile file;
        WorkerProcess::openFile(received, file);
        if (!testMode)
            return failed(QStringLiteral("Not in test mode"));
        return failed(WorkerProcess::attempt(job.bytes, file.isOpen() ? file.handle() : -1));
    }
    }
    return failed(QCoreApplication::translate("DecoderWorker", "Unknown job"));
}

} // namespace

int runDecoderWorker(int argc, char **argv)
{
#ifdef __GLIBC__
    // Each job allocates and frees the same few buffers: kept rather than
    // given back to the system after every job and faulted in again at the
    // next, which cost the helper more time than its decodes on small
    // pictures. The memory limit still holds.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
    // Nothing is shown: no windows, and no fonts to open.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QGuiApplication application(argc, argv);
    // The reasons a picture cannot be shown are made here, in the user's
    // language; the translations are read before the sandbox closes.
    Toolkit::installTranslations();
    const QStringList arguments = QCoreApplication::arguments();
    WorkerProcess::Channel channel = WorkerProcess::Channel::fromArguments(arguments);
    if (!channel.isValid()) {
        std::fputs(qPrintable(QCoreApplication::translate("DecoderWorker", "kelvane-decoder decodes pictures for "
                                                                           "Kelvane, which starts it; it is not "
                                                                           "started by hand.")
                              + QLatin1Char('\n')),
                   stderr);
        return 2;
    }
    const bool testMode = arguments.contains(QStringLiteral("--test-markers"));
    loadEveryPlugin();
    const QStringList notes = WorkerProcess::enterSandbox(DecoderMemoryBytes);
    if (!channel.send(DecodeJob::encodeReady(notes)))
        return 1;
    // Kept from job to job, with the memory they hold (see decodejob.h).
    QByteArray frame;
    DecodeJob::Job job;
    for (;;) {
        WorkerProcess::NativeFile file = -1;
        // The parent has gone: nothing is left to write or free. Ending at
        // once also spares a sanitizer build its leak check, which could not
        // work inside the sandbox.
        if (!channel.receive(&frame, &file))
            std::_Exit(0);
        if (!DecodeJob::decode(frame, &job)) {
            QFile unused;
            WorkerProcess::openFile(file, unused);
            return 3;
        }
        // The parent ends a job past its second; the system does too, a
        // little later, should the parent not.
        WorkerProcess::allowProcessorTime(2 * DecoderJobNanoseconds);
        if (job.kind != DecodeJob::Kind::Picture && job.kind != DecodeJob::Kind::Attempt) {
            QFile unused;
            WorkerProcess::openFile(file, unused);
            file = -1;
        }
        // The job's frame is done with: the answer is written over it.
        DecodeJob::encode(answer(job, file, testMode, channel), &frame);
        if (!channel.send(frame))
            return 1;
    }
}
