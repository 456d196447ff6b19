// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

// The decodes of bytes nobody vouches for: a picture file, a thumbnail cache
// entry, the thumbnail a camera put in a JPEG. These are where a decoding
// library meets the bytes, so they run in the decoding helper (see
// decoderpool.h), never in the window's process. Each is bounded as
// pictureloader.h describes, and gives an image or a reason, never neither.
namespace PictureDecode {

struct Picture
{
    QImage image;
    QString error;
    // The error is about the picture's content, so the same file fails the
    // same way every time: worth a fail record.
    bool recordable = false;
    // The picture's size turned upright, when its header told.
    QSize upright;
};

// Decodes the picture file on `file`, from its start, with its EXIF
// orientation applied, scaled down to just cover `target` (device pixels);
// with `cacheSized` set, to just cover the thumbnail cache's size for target
// where that is larger, so the decode can be stored in the cache too.
Picture decodePicture(QIODevice &file, const QSize &target, bool cacheSized);

// The EXIF thumbnail in a JPEG's first bytes (see ThumbnailSources::exifHead)
// as exifThumbnail() accepts it for target; null when there is none.
QImage firstLook(const QByteArray &head, const QSize &target);

// A thumbnail cache entry's pixels, with the texts it carries; null when its
// bytes do not decode as a PNG.
QImage cacheEntry(const QByteArray &png);

// The reason a picture gets when its decoder gave neither pixels nor an
// error, or its helper ended before it answered.
QString notDecoded();

// What the helper does on a marker input when its test mode is on: a
// picture file that begins with one of these crashes it, keeps it computing
// or keeps it allocating memory.
inline constexpr char CrashMarker[] = "KELVANE-TEST-CRASH";
inline constexpr char SpinMarker[] = "KELVANE-TEST-SPIN";
inline constexpr char AllocateMarker[] = "KELVANE-TEST-ALLOCATE";
// ...or answers with a frame that is no answer.
inline constexpr char NonsenseMarker[] = "KELVANE-TEST-NONSENSE";

} // namespace PictureDecode
