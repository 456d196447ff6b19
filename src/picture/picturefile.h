// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

// A file's identity (its volume and its number there), its size and its last
// change at the file system's full resolution. Two stamps of one path differ
// when the file was written to, replaced or moved away meanwhile.
struct FileStamp
{
    quint64 volume = 0;
    quint64 file = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;     // since 1970
    qint64 modifiedNanoseconds = 0; // within that second

    friend bool operator==(const FileStamp &a, const FileStamp &b)
    {
        return a.volume == b.volume && a.file == b.file && a.size == b.size
            && a.modifiedSeconds == b.modifiedSeconds && a.modifiedNanoseconds == b.modifiedNanoseconds;
    }
    friend bool operator!=(const FileStamp &a, const FileStamp &b) { return !(a == b); }
};

// Opens path for reading without ever waiting: a FIFO, a device or a
// folder, or a link to any of them, fails at once, as does anything but a
// regular file. The name goes to the system whole, in any script. Returns
// the reason on failure, an empty text on success.
QString openRegularFile(const QString &path, QFile &file);

// The stamp of a file that openRegularFile() opened; false when the system
// cannot tell it.
bool stampOfOpenFile(const QFile &file, FileStamp *stamp);

// The size and the last change of a file that openRegularFile() opened, its
// identity left at zero: all that the thumbnail cache compares. On Windows
// the identity comes only with the volume's serial number, a question of its
// own to the file system (a millisecond and more under Wine); the rest does
// not need it.
bool sizeAndTimeOfOpenFile(const QFile &file, FileStamp *stamp);

// The size and the last change of the regular file at path, through links,
// without opening it. False when there is none, or when the answer would
// need the file opened (a link, on Windows).
bool sizeAndTimeOfPath(const QString &path, FileStamp *stamp);

// Reads a small regular file whole, without ever waiting, in as few calls
// into the system as it takes: a file of more than `largest` bytes, a folder,
// a FIFO or a device is refused, as is a missing file. Returns the reason on
// failure, an empty text on success.
QString readRegularFile(const QString &path, qint64 largest, QByteArray *bytes);

// The stamp of the file at path, through links; false when there is none.
bool stampOfPath(const QString &path, FileStamp *stamp);
