// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>

// A decoded picture, or the reason it could not be decoded. The error names
// no file; the caller adds the name it shows.
struct LoadedPicture
{
    QImage image;
    QString error;

    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

// Reads the picture at path with its EXIF orientation applied. When target is
// not empty the picture comes back scaled down, aspect kept, just large
// enough to cover target in both dimensions; a smaller picture keeps its size.
// JPEG is scaled while it is decoded; other formats are decoded in full first.
// Pictures over QImageReader's allocation limit fail. Only a regular file is
// read, and opening never waits (a FIFO fails at once); a JPEG whose markers
// promise too many scans, too much decoder memory or over a second of
// decoding fails before decoding (see jpegbounds.h), as does a PNG with too
// much metadata or too many pixels (see pngbounds.h). A picture that could not be decoded, or was refused,
// is recorded in the thumbnail cache's fail folder and then fails at once
// with the same reason until the file changes. Safe on any thread.
LoadedPicture loadPicture(const QString &path, const QSize &targetDevicePixels);

// Opens path for reading without ever waiting, as loadPicture does: a FIFO,
// or a link to one, fails at once, as does anything but a regular file.
// Returns the reason on failure, an empty text on success.
QString openRegularFile(const QString &path, QFile &file);
