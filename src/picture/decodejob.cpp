// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/decodejob.h"

#include <QDataStream>
#include <QIODevice>

namespace DecodeJob {
namespace {

// Each frame starts with its own tag, so that one read as the other fails.
constexpr quint32 JobTag = 0x4b4a4f42;    // "KJOB"
constexpr quint32 AnswerTag = 0x4b414e53; // "KANS"
constexpr quint32 ReadyTag = 0x4b524459;  // "KRDY"
// No picture the window asks for is larger: the largest preview is a
// screen's worth.
constexpr int LargestSide = 32768;
constexpr int MostTexts = 64;

QDataStream &stream(QDataStream &s)
{
    s.setVersion(QDataStream::Qt_6_4);
    return s;
}

// Empties the frame but keeps its memory: resize never gives it back (clear
// does), and unshares a frame shared with another array.
void rewind(QByteArray *frame)
{
    frame->resize(0);
}

} // namespace

QByteArray encode(const Job &job)
{
    QByteArray frame;
    encode(job, &frame);
    return frame;
}

void encode(const Job &job, QByteArray *frame)
{
    rewind(frame);
    QDataStream s(frame, QIODevice::WriteOnly);
    stream(s) << JobTag << quint8(job.kind) << job.target << job.cacheSized << job.bytes;
}

bool decode(const QByteArray &frame, Job *job)
{
    QDataStream s(frame);
    quint32 tag = 0;
    quint8 kind = 0;
    stream(s) >> tag >> kind >> job->target >> job->cacheSized;
    job->kind = Kind(kind);
    // The bytes as QDataStream writes a QByteArray, a length and then the
    // bytes, read into the memory the job holds; QDataStream's own reading
    // frees that first.
    quint32 length = 0;
    s >> length;
    if (s.status() != QDataStream::Ok)
        return false;
    if (length == 0xffffffffu) { // a null array
        job->bytes.resize(0);
    } else {
        if (qint64(length) > frame.size() - s.device()->pos())
            return false;
        job->bytes.resize(qsizetype(length));
        if (s.readRawData(job->bytes.data(), int(length)) != int(length))
            return false;
    }
    return s.status() == QDataStream::Ok && s.atEnd() && tag == JobTag && kind >= quint8(Kind::Picture)
        && kind <= quint8(Kind::Attempt);
}

QByteArray encode(const Answer &answer)
{
    QByteArray frame;
    encode(answer, &frame);
    return frame;
}

void encode(const Answer &answer, QByteArray *frame)
{
    QImage image = answer.image;
    if (!image.isNull() && image.colorCount() > 0)
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    rewind(frame);
    QDataStream s(frame, QIODevice::WriteOnly);
    stream(s) << AnswerTag << quint8(answer.outcome) << answer.error << answer.recordable << answer.upright;
    s << qint32(image.width()) << qint32(image.height()) << qint32(image.format());
    QStringList keys;
    for (const QString &key : image.textKeys()) {
        if (key.startsWith(QLatin1String("Thumb::")))
            keys << key;
    }
    keys = keys.mid(0, MostTexts);
    s << qint32(keys.size());
    for (const QString &key : keys)
        s << key << image.text(key);
    if (!image.isNull())
        s.writeRawData(reinterpret_cast<const char *>(image.constBits()), int(image.sizeInBytes()));
}

bool decode(const QByteArray &frame, Answer *answer)
{
    QDataStream s(frame);
    quint32 tag = 0;
    quint8 outcome = 0;
    qint32 width = 0, height = 0, format = 0, texts = 0;
    stream(s) >> tag >> outcome >> answer->error >> answer->recordable >> answer->upright;
    s >> width >> height >> format >> texts;
    if (s.status() != QDataStream::Ok || tag != AnswerTag
        || (outcome != quint8(Outcome::Decoded) && outcome != quint8(Outcome::Failed))
        || texts < 0 || texts > MostTexts)
        return false;
    answer->outcome = Outcome(outcome);
    QList<QPair<QString, QString>> pairs;
    for (qint32 i = 0; i < texts; ++i) {
        QString key, value;
        s >> key >> value;
        pairs.append({key, value});
    }
    if (s.status() != QDataStream::Ok)
        return false;
    answer->image = QImage();
    if (width == 0 && height == 0)
        return s.atEnd() && answer->outcome == Outcome::Failed;
    if (width <= 0 || height <= 0 || width > LargestSide || height > LargestSide || format <= QImage::Format_Invalid
        || format >= QImage::NImageFormats || answer->outcome != Outcome::Decoded)
        return false;
    // The frame must hold the pixels whole before any memory is taken.
    const qint64 lineBytes = ((qint64(width) * QImage::toPixelFormat(QImage::Format(format)).bitsPerPixel() + 31) >> 5) << 2;
    if (frame.size() - s.device()->pos() != lineBytes * height)
        return false;
    QImage image(width, height, QImage::Format(format));
    // An indexed format would need its colours too; those never come.
    if (image.isNull() || image.colorCount() > 0 || image.format() == QImage::Format_Mono
        || image.format() == QImage::Format_MonoLSB || image.format() == QImage::Format_Indexed8)
        return false;
    const qsizetype bytes = image.sizeInBytes();
    if (frame.size() - s.device()->pos() != bytes)
        return false;
    if (s.readRawData(reinterpret_cast<char *>(image.bits()), int(bytes)) != bytes)
        return false;
    for (const auto &[key, value] : pairs)
        image.setText(key, value);
    answer->image = image;
    return true;
}

QByteArray encodeReady(const QStringList &notes)
{
    QByteArray frame;
    QDataStream s(&frame, QIODevice::WriteOnly);
    stream(s) << ReadyTag << notes;
    return frame;
}

bool decodeReady(const QByteArray &frame, QStringList *notes)
{
    QDataStream s(frame);
    quint32 tag = 0;
    stream(s) >> tag >> *notes;
    return s.status() == QDataStream::Ok && s.atEnd() && tag == ReadyTag;
}

} // namespace DecodeJob
