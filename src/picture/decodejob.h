// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// What the window's process asks of a decoding helper and what it answers,
// and how each is put into a frame of the helper's channel. The window's
// side trusts nothing in an answer: a frame that does not read back whole,
// or an image whose sizes do not add up, counts as the helper failing.
namespace DecodeJob {

enum class Kind : quint8 {
    Picture = 1,    // the file sent with the job: PictureDecode::decodePicture
    FirstLook = 2,  // bytes: a JPEG's head, for PictureDecode::firstLook
    CacheEntry = 3, // bytes: a cache entry, for PictureDecode::cacheEntry
    // bytes: something the helper's sandbox should refuse, tried with the
    // file sent (test mode only; see WorkerProcess::attempt)
    Attempt = 4,
};

struct Job
{
    Kind kind = Kind::Picture;
    QSize target;
    bool cacheSized = false;
    QByteArray bytes;
};

enum class Outcome : quint8 {
    Decoded = 1,
    Failed = 2,
    // The helper ended before it answered: stopped, too slow, too large or
    // crashed. Set only by the window's side.
    Stopped = 3,
    Ended = 4,
};

struct Answer
{
    Outcome outcome = Outcome::Failed;
    // The image, with the texts a cache entry carries (Thumb:: keys only).
    QImage image;
    QString error;
    bool recordable = false;
    QSize upright;
};

// Each side keeps its frames and a job's bytes in buffers it reuses: a
// fresh buffer of a thumbnail's size costs far more than the copy into it
// under Wine, whose heap gives freed blocks of over 64 KiB back to the
// system, so that every new one faults its pages in again. The overloads
// that take a frame write it over what it held, keeping its memory.
QByteArray encode(const Job &job);
void encode(const Job &job, QByteArray *frame);
// The job's bytes are read into the memory `job` already holds.
bool decode(const QByteArray &frame, Job *job);
// Images of indexed formats go as 32-bit ones; the colour space stays behind.
QByteArray encode(const Answer &answer);
void encode(const Answer &answer, QByteArray *frame);
bool decode(const QByteArray &frame, Answer *answer);

// The helper's first frame, once it is ready: what of its sandbox could not
// be put in place.
QByteArray encodeReady(const QStringList &notes);
bool decodeReady(const QByteArray &frame, QStringList *notes);

} // namespace DecodeJob
