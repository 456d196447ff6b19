// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

#include <atomic>

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

// Reads another device at its own position, and fails every read once its
// stop is requested. Not a QBuffer on purpose: decoders hand a
// QBuffer's whole memory to the decoding library at once, where no read
// could fail any more.
class StoppableDevice : public QIODevice
{
public:
    // stop may be null; the program's end still stops the reads.
    StoppableDevice(QIODevice *source, const DecodeStop *stop);

    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool stopRequested() const { return DecodeStop::requested(m_stop); }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice *m_source;
    const DecodeStop *m_stop;
};
