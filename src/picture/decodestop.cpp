// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/decodestop.h"

#include "picture/cputime.h"

#include <QCoreApplication>

namespace {

std::atomic<bool> everyDecodeStops{false};

} // namespace

bool DecodeStop::requested() const
{
    return m_requested.load(std::memory_order_relaxed) || allRequested();
}

void DecodeStop::requestAll()
{
    everyDecodeStops.store(true, std::memory_order_relaxed);
}

bool DecodeStop::allRequested()
{
    return everyDecodeStops.load(std::memory_order_relaxed);
}

namespace DecodeLimits {

qint64 readBudget(const QSize &picture, qint64 frames)
{
    const qint64 pixels = qint64(qMax(picture.width(), 0)) * qMax(picture.height(), 0);
    // Below the cap, and far from overflowing: pixels is under 2^62.
    const qint64 room = (MaxReadBytes - OverheadBytes) / PixelBytes;
    if (frames < 1 || pixels == 0)
        frames = 1;
    if (pixels > room || frames > room / qMax<qint64>(pixels, 1))
        return MaxReadBytes;
    return qMin(MaxReadBytes, OverheadBytes + PixelBytes * pixels * frames);
}

QString tooLarge()
{
    return QCoreApplication::translate("PictureLoader", "Too large to decode.");
}

} // namespace DecodeLimits

StoppableDevice::StoppableDevice(QIODevice *source, const DecodeStop *stop, qint64 deadlineNanoseconds)
    : m_source(source)
    , m_size(source->size())
    , m_stop(stop)
    , m_deadline(deadlineNanoseconds)
    , m_cpuStart(threadCpuNanoseconds())
    , m_nextLook(deadlineNanoseconds)
{
    m_clock.start();
    // Unbuffered: every read of the decoder reaches readData and its check.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 StoppableDevice::size() const
{
    return m_size;
}

void StoppableDevice::limitReads(qint64 bytes)
{
    m_budget = qMin(bytes, DecodeLimits::MaxReadBytes);
    if (m_read > m_budget)
        m_overspent = true;
}

bool StoppableDevice::pastDeadline()
{
    const qint64 clock = m_clock.nsecsElapsed();
    if (clock < m_nextLook)
        return false;
    const qint64 now = threadCpuNanoseconds();
    // Without the thread's own time, the clock's is the stricter bound.
    const qint64 used = now < 0 || m_cpuStart < 0 ? clock : now - m_cpuStart;
    if (used >= m_deadline)
        return true;
    m_nextLook = clock + (m_deadline - used);
    return false;
}

qint64 StoppableDevice::readData(char *data, qint64 maxSize)
{
    if (stopRequested()) {
        setErrorString(QCoreApplication::translate("PictureLoader", "The decode was stopped"));
        return -1;
    }
    if (m_source->pos() != pos() && !m_source->seek(pos()))
        return -1;
    // A read fails whole when what it would get passes the budget; asking
    // for more than the file holds past the budget's end is no fault.
    const qint64 wanted = qMin(maxSize, qMax<qint64>(0, m_size - pos()));
    if (m_overspent || wanted > m_budget - m_read || pastDeadline()) {
        m_overspent = true;
        setErrorString(DecodeLimits::tooLarge());
        return -1;
    }
    const qint64 read = m_source->read(data, wanted);
    if (read > 0)
        m_read += read;
    return read;
}
