// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/volumelist.h"

#include "toolkit/processfolders.h"
#include "toolkit/volumes.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

std::atomic<VolumeList::Lookup> lookup {&Toolkit::browsableVolumes};

// "/" on Linux, "C:/" on Windows: the volume the process's folder is on is
// at least below that root.
QString rootOfProcessFolder()
{
    QString folder = Toolkit::currentFolder();
    if (folder.isEmpty())
        return QStringLiteral("/");
    for (;;) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder || parent == QLatin1String("."))
            return folder;
        folder = parent;
    }
}

} // namespace

VolumeList &VolumeList::instance()
{
    static VolumeList *list = new VolumeList; // lives as long as the process
    return *list;
}

VolumeList::VolumeList()
    : m_volumes{rootOfProcessFolder()}
{
}

VolumeList::Lookup VolumeList::setLookup(Lookup replacement)
{
    return lookup.exchange(replacement ? replacement : &Toolkit::browsableVolumes);
}

// What one reading hands over to the window's thread.
struct VolumeList::Reading
{
    std::mutex lock;
    std::condition_variable answered;
    bool done = false;
    QStringList volumes;
    QElapsedTimer started;
};

bool VolumeList::refresh(int waitMs)
{
    if (!m_reading) {
        m_reading = std::make_shared<Reading>();
        m_reading->started.start();
        // Detached: a reading that never returns must not hold up the end of
        // the process.
        // The answer goes to this list, which is never destroyed, rather
        // than to the application, which may be going away meanwhile.
        std::thread([this, reading = m_reading, read = lookup.load()] {
            QStringList volumes = read();
            {
                const std::lock_guard<std::mutex> hold(reading->lock);
                reading->volumes = std::move(volumes);
                reading->done = true;
            }
            reading->answered.notify_all();
            QMetaObject::invokeMethod(
                this, [this, reading] { take(reading); }, Qt::QueuedConnection);
        }).detach();
    }
    const std::shared_ptr<Reading> reading = m_reading;
    {
        // A reading known to be slow is not waited for again.
        const qint64 left = std::max<qint64>(0, waitMs - reading->started.elapsed());
        std::unique_lock<std::mutex> hold(reading->lock);
        reading->answered.wait_for(hold, std::chrono::milliseconds(left), [&reading] { return reading->done; });
        if (!reading->done)
            return false;
    }
    take(reading);
    return true;
}

// The answer, once: from the wait above or from the thread's message,
// whichever comes first.
bool VolumeList::take(const std::shared_ptr<Reading> &reading)
{
    if (m_reading != reading)
        return false;
    m_reading.reset();
    if (!reading->volumes.isEmpty())
        m_volumes = reading->volumes;
    Q_EMIT changed();
    return true;
}
