// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class DecodeStop;

// What a load gave: a decoded picture, the thumbnail embedded in the file,
// the cache's word that it holds the picture, the reason it could not be
// decoded, or a stop. Each kind has what it needs and nothing else: only
// a picture or a first look has an image, only a failure or a stop has a
// reason. The reason names no file; the caller adds the name it shows.
class LoadedPicture
{
public:
    enum class Kind : quint8 {
        Decoded,
        // The thumbnail embedded in the file, not a decode of it: it may
        // show the picture as it was before an edit.
        FirstLook,
        // Nothing was decoded: the thumbnail cache holds the picture (see
        // loadUnlessCached).
        Cached,
        Failed,
        // The decode was asked to stop before it ended: the reason says
        // nothing about the file, which another decode may still show.
        Stopped,
    };

    // A null image fails, with the reason a decoder gives that said it read
    // a picture and gave none; so does an empty reason.
    static LoadedPicture decoded(const QImage &image);
    static LoadedPicture firstLook(const QImage &image);
    static LoadedPicture cached();
    static LoadedPicture failed(const QString &reason);
    static LoadedPicture stopped();
    // Nothing loaded yet: a stop.
    LoadedPicture();

    Kind kind() const { return m_kind; }
    const QImage &image() const { return m_image; }
    const QString &error() const { return m_error; }
    bool ok() const { return m_kind == Kind::Decoded || m_kind == Kind::FirstLook; }
    bool isFirstLook() const { return m_kind == Kind::FirstLook; }
    bool isCached() const { return m_kind == Kind::Cached; }
    bool isStopped() const { return m_kind == Kind::Stopped; }

private:
    LoadedPicture(Kind kind, const QImage &image, const QString &error);

    Kind m_kind;
    QImage m_image;
    QString m_error;
};

// Reads the picture at path with its EXIF orientation applied. When target is
// not empty the picture comes back scaled down, aspect kept, just large
// enough to cover target in both dimensions; a smaller picture keeps its size.
// JPEG is scaled while it is decoded; other formats are decoded in full first.
// Pictures over QImageReader's allocation limit fail. Only a regular file is
// read, and opening never waits (a FIFO fails at once); a JPEG whose markers
// promise too many scans, too much decoder memory or over a second of
// decoding fails before decoding (see jpegbounds.h), as does a PNG with too
// much metadata, too many pixels or too much to read through (see
// pngbounds.h). Whatever those estimates said, a decode of any format that
// takes over a second of its thread's time or reads more than its picture's
// size needs gives up (see DecodeLimits). A picture that could not be
// decoded, or was refused, is recorded in the thumbnail cache's fail folder
// and then fails at once with the same reason until the file changes. Safe on
// any thread. Once stop (which may be null) or every decode is asked to stop,
// the decode ends at its next read and fails; nothing of it is cached, and no
// fail record is written.
LoadedPicture loadPicture(const QString &path, const QSize &targetDevicePixels, const DecodeStop *stop = nullptr);

// As loadPicture, but a JPEG's EXIF thumbnail that is sharp enough for target
// comes back at once instead of a decode, marked as a first look. Whoever
// shows it must replace it with loadPicture's picture.
LoadedPicture loadFirstLook(const QString &path, const QSize &targetDevicePixels, const DecodeStop *stop = nullptr);

// As loadPicture, but when the thumbnail cache already holds a thumbnail of
// the picture for target, nothing is decoded, not even the thumbnail: the
// result is marked as cached and carries no image. Whoever needs the pixels
// then asks loadPicture, which takes them from the cache. A fail record
// answers as in loadPicture.
LoadedPicture loadUnlessCached(const QString &path, const QSize &targetDevicePixels,
                               const DecodeStop *stop = nullptr);
