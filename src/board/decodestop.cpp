// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/decodestop.h"

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

StoppableDevice::StoppableDevice(QIODevice *source, const DecodeStop *stop)
    : m_source(source)
    , m_stop(stop)
{
    // Unbuffered: every read of the decoder reaches readData and its check.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 StoppableDevice::size() const
{
    return m_source->size();
}

qint64 StoppableDevice::readData(char *data, qint64 maxSize)
{
    if (stopRequested()) {
        setErrorString(QCoreApplication::translate("PictureLoader", "The decode was stopped"));
        return -1;
    }
    if (m_source->pos() != pos() && !m_source->seek(pos()))
        return -1;
    return m_source->read(data, maxSize);
}
