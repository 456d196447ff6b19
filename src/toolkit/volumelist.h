// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

// The volumes a user browses, as the drive box and the folder box show them,
// read on a thread: finding them asks every mount about itself, and a
// mounted share that stops answering (NFS, a FUSE folder, an offline network
// drive) keeps that call waiting for the network's time-out, or for ever.
// Such a wait holds the thread only. One list for the process, read by at
// most one thread at a time.
class VolumeList : public QObject
{
    Q_OBJECT

public:
    static VolumeList &instance();

    // The list as last read; before any answer, the root of the process's
    // folder alone.
    QStringList volumes() const { return m_volumes; }

    // Reads the list again and waits for it at most waitMs from the start of
    // the reading, the window's thread held meanwhile: a short wait, for
    // the answer that comes at once on every machine whose mounts answer.
    // Returns whether the answer came in time; a later one comes with
    // changed(). While a reading still runs, no other starts.
    bool refresh(int waitMs);

    // How the list is read; tests put one that does not answer in its place.
    // nullptr restores the system's. Returns the lookup it replaces.
    using Lookup = QStringList (*)();
    static Lookup setLookup(Lookup lookup);

    // How long the window waits for the list when it is built, and when the
    // drive box opens.
    static constexpr int startWaitMilliseconds = 500;
    static constexpr int openWaitMilliseconds = 300;

Q_SIGNALS:
    // The list was read again (whether or not it differs).
    void changed();

private:
    struct Reading;
    VolumeList();
    bool take(const std::shared_ptr<Reading> &reading);

    QStringList m_volumes;
    std::shared_ptr<Reading> m_reading; // the one that runs, if any
};
