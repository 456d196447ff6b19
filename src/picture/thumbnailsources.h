// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/picturefile.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// Thumbnails that need no decode of the picture: the desktop's shared
// thumbnail cache ($XDG_CACHE_HOME/thumbnails, shared with file managers) and
// the thumbnail a camera embeds in a JPEG's EXIF data. Each is used only when
// it is as sharp on screen as a decode would be; the embedded one only until
// the decode is done. After a real decode the
// thumbnail is written to the shared cache for next time. Every function is
// safe on any thread; failures are silent, as both sources are only a help.
// An entry's pixels are decoded by a decoding helper (see decoderpool.h);
// exifThumbnail() and embeddedThumbnail() decode in the calling process, so
// the loader asks a helper for them instead (PictureDecode::firstLook).
namespace ThumbnailSources {

// The cache's root: $XDG_CACHE_HOME/thumbnails, or $HOME/.cache/thumbnails
// when that variable is unset, relative or not UTF-8;
// %LOCALAPPDATA%/Kelvane/thumbnails on Windows. Empty when there is no
// better place: then no cache is read or written. Nor is any folder of the
// cache that another user could have put files in, or that leads elsewhere
// (see ThumbnailCache::folderState); the folders the cache makes are of
// mode 0700. Empty too while the cache does not answer (see below).
QString cacheFolder();

// Asks whether the cache's root answers, on a thread of its own, and waits
// at most `milliseconds` while the window goes on. A cache on storage that
// hangs is off until a later call finds it answering; while an earlier
// question is unanswered, it stays off without asking again. A refresh asks
// once before it starts.
bool checkCacheAnswers(int milliseconds);
// How the root is asked; tests put one that hangs in its place. An empty
// function restores the system's. Returns the previous one.
using CacheProbe = std::function<void(const QString &root)>;
CacheProbe setCacheProbe(CacheProbe probe);

// Whether the picture is one of the cache's own files, also when it is
// reached through a symbolic link.
bool insideCache(const QString &picturePath);

// The file URI the cache knows the picture by, and the cache file of that
// picture in the folder for thumbnails of at most side × side pixels.
QByteArray pictureUri(const QString &picturePath);
QString cachePath(const QString &picturePath, int side);

// A cached thumbnail of the picture that still matches the file (modification
// time, and size when recorded) and covers target in both directions, shrunk
// to just cover it; a null image otherwise. `read` is the stamp of the
// picture as the caller has it open, when known.
QImage cachedThumbnail(const QString &picturePath, const QSize &targetDevicePixels,
                       const FileStamp *read = nullptr);

// Whether cachedThumbnail() would find a thumbnail of the picture, told from
// the entry's header and texts without inflating its pixels (whether those
// decode is left to the load that needs them).
bool hasCachedThumbnail(const QString &picturePath, const QSize &targetDevicePixels,
                        const FileStamp *read = nullptr);

// The EXIF thumbnail of a JPEG held in `head` (the file's first bytes, the
// EXIF block included), turned upright. It is used when it covers target with
// at most 5% enlargement and its aspect is within 2% of the picture's, whose
// size as stored (before the EXIF orientation) is pictureStored; a null image
// otherwise.
QImage exifThumbnail(const QByteArray &head, const QSize &pictureStored, const QSize &targetDevicePixels);

// The first bytes of the JPEG `picture`, where its EXIF block is; empty for
// a file that is not a JPEG. `picture` is left at its start.
QByteArray exifHead(QIODevice &picture);

// The EXIF thumbnail of the JPEG `picture`, as exifThumbnail() accepts it; a
// null image when there is none fit for target. Editors often keep the
// thumbnail of the picture as it was before an edit, so it is only ever a
// first look until the picture is decoded. `picture` is the picture file,
// already open (so nothing here opens a path that may have become a FIFO); it
// is left at its start.
QImage embeddedThumbnail(QIODevice &picture, const QSize &targetDevicePixels);

// The standard cache size (128, 256, 512 or 1024) of the smallest thumbnail
// of a picture of upright size `picture` that covers target, or 0 when even
// the largest does not.
int cacheSide(const QSize &picture, const QSize &targetDevicePixels);

// The size to decode the picture at so that the decode can also be written to
// the cache; target when nothing will be written.
QSize decodeTarget(const QString &picturePath, const QSize &pictureUpright, const QSize &targetDevicePixels);
// The same, for a picture the cache takes decodes of (see takesDecodes).
QSize cacheDecodeTarget(const QSize &pictureUpright, const QSize &targetDevicePixels);
// Whether a decode of the picture may be written to the cache: there is a
// cache, and the picture is not one of its own files.
bool takesDecodes(const QString &picturePath);

// Writes `decoded` (the picture at decodeTarget()) to the cache as the
// standard asks: a PNG holding the picture's URI and modification time,
// written under a temporary name and renamed, mode 0600 in folders of mode
// 0700. Nothing is written for a picture inside the cache itself, nor from a
// decode smaller than the cache size. Returns whether the file was written.
// `read` is the stamp of the file as it was read, when known; the entry then
// carries it, so that a file replaced since never matches the entry.
bool storeThumbnail(const QString &picturePath, const QImage &decoded, const QSize &pictureUpright,
                    const QSize &targetDevicePixels, const FileStamp *read = nullptr);

// The fail record of the picture: the file that says, in the cache's fail
// folder, that this program could not show it, and why.
QString failurePath(const QString &picturePath);

// Why the picture could not be shown when it was last tried, while its fail
// record still matches the file (URI, modification time and size); an
// empty text when it has none, or the file changed since. `read` as for
// cachedThumbnail.
QString recordedFailure(const QString &picturePath, const FileStamp *read = nullptr);

// Writes the picture's fail record with the reason, the same safe way as a
// thumbnail. Nothing is written for a picture inside the cache itself.
// Returns whether the record was written. `read` as for storeThumbnail.
bool storeFailure(const QString &picturePath, const QString &reason, const FileStamp *read = nullptr);

// Stores the decode when `store` is set (the picture did not change while it
// was decoded), then gives it back shrunk to just cover target.
QImage afterDecode(const QString &picturePath, const QImage &decoded, const QSize &pictureUpright,
                   const QSize &targetDevicePixels, bool store = true, const FileStamp *read = nullptr);

} // namespace ThumbnailSources
