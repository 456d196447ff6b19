// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Where the thumbnail cache lives, how it names a picture, and the file
// operations that writing it takes. Linux shares the freedesktop cache with
// the desktop's file managers; Windows has none of that kind, so the program
// keeps the same cache, in the same format, per user in its own folder.
namespace ThumbnailCache {

// The cache's root: $XDG_CACHE_HOME/thumbnails, or $HOME/.cache/thumbnails
// when that variable is unset, relative or not UTF-8; empty when HOME is no
// better. On Windows %LOCALAPPDATA%/Kelvane/thumbnails.
QString folder();

// The file URI the cache knows the picture at this absolute path by, in the
// form the desktop's file managers hash (file:///C:/... on Windows); empty
// when there is none.
QByteArray uriOf(const QString &absolutePath);

// The modification time in whole seconds and the size, as the cache records
// them; false when the file cannot be read, which shows its error rather
// than a thumbnail.
bool stampOf(const QString &path, qint64 *modifiedSeconds, qint64 *size);

// Makes the folder and any missing parents, each of mode 0700.
bool makeFolder(const QString &path);

} // namespace ThumbnailCache
