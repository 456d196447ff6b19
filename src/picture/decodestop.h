// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/sanitizers.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QSize>
#include <QString>

#include <atomic>

// What one decode may spend, whatever the picture's format and whatever was
// estimated before it started. Past either bound the decoder's reads fail.
namespace DecodeLimits {

// Processor time of the decoding thread: the second a picture may take,
// the same the estimates before decoding allow. It is the thread's own
// time, so a busy machine or a slow disk never cuts a decode short.
// A sanitizer build's own code runs about four times slower: it gets four.
#ifdef KELVANE_SANITIZED
constexpr qint64 DeadlineNanoseconds = qint64(4000) * 1000 * 1000;
#else
constexpr qint64 DeadlineNanoseconds = 1000 * 1000 * 1000;
#endif
// Bytes read, in every format: a JPEG is read whole, so this is also the
// largest JPEG file.
constexpr qint64 MaxReadBytes = qint64(256) * 1024 * 1024;
// Room for what is not pixels: headers, texts, colour profiles, EXIF and
// its thumbnails, an editor's private data.
constexpr qint64 OverheadBytes = qint64(16) * 1024 * 1024;
// Bytes a pixel may take in the file: four times a decoded 32-bit pixel,
// which covers four 32-bit floating-point samples stored uncompressed.
constexpr qint64 PixelBytes = 16;

// The most a decoder may read of a picture of the stated size in `frames`
// frames (at least one).
qint64 readBudget(const QSize &picture, qint64 frames = 1);
// The reason given for a picture refused by these bounds or an estimate.
QString tooLarge();

} // namespace DecodeLimits

// Tells a decode on another thread that its picture is no longer wanted.
// A decoder cannot be interrupted inside a call; it reads through a
// StoppableDevice instead, whose reads fail once a stop is requested, and so
// gives up at its next read.
class DecodeStop
{
public:
    void request() { m_requested.store(true, std::memory_order_relaxed); }
    // True once this decode or every decode was asked to stop.
    bool requested() const;

    // The program is ending: every decode, running or yet to start, stops.
    static void requestAll();
    // Whether stop, which may be null, or every decode was asked to stop.
    static bool requested(const DecodeStop *stop) { return stop ? stop->requested() : allRequested(); }

private:
    static bool allRequested();

    std::atomic<bool> m_requested{false};
};

// Reads another device at its own position for one decode on the thread
// that creates it, and fails every read once its stop is requested, its
// deadline has passed or its read budget is spent. Not a QBuffer on
// purpose: decoders hand a QBuffer's whole memory to the decoding library at
// once, where no read could fail any more.
class StoppableDevice : public QIODevice
{
public:
    // stop may be null; the program's end still stops the reads. The
    // deadline counts the processor time of the creating thread from now on;
    // reads may add up to MaxReadBytes until limitReads() says otherwise.
    StoppableDevice(QIODevice *source, const DecodeStop *stop,
                    qint64 deadlineNanoseconds = DecodeLimits::DeadlineNanoseconds);

    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool stopRequested() const { return DecodeStop::requested(m_stop); }
    // The bytes the decode may read in all, counted from the first read:
    // what it read already counts too.
    void limitReads(qint64 bytes);
    // Whether a read failed for the deadline or the budget: the picture
    // asks too much, whatever the decoder made of the failure.
    bool overspent() const { return m_overspent; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool pastDeadline();

    QIODevice *m_source;
    // Asked once: on some systems every question about a file's size is a
    // call into the system, and decoders read in pieces of a kilobyte.
    const qint64 m_size;
    const DecodeStop *m_stop;
    qint64 m_budget = DecodeLimits::MaxReadBytes;
    qint64 m_read = 0;
    bool m_overspent = false;
    const qint64 m_deadline;
    const qint64 m_cpuStart;
    // The thread's processor time cannot grow faster than the clock: it is
    // asked for only once the clock has run past m_nextLook.
    QElapsedTimer m_clock;
    qint64 m_nextLook;
};
