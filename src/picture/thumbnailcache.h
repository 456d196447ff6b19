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

// What a folder of the cache is to the user. Only a private one is used:
// anything another user can put there, the program would show or overwrite.
enum class FolderState { Missing, Private, Refused };

// Whether the folder is there and private: on Linux a real folder, not a
// link, of the user's own, that neither the group nor others may write to;
// on Windows a real folder, not a junction or a link. Anything else, or a
// folder the system cannot tell about, is refused.
FolderState folderState(const QString &path);

// Makes the folder and any missing parents, each of mode 0700. Says nothing
// of what was there already: ask folderState().
bool makeFolder(const QString &path);

} // namespace ThumbnailCache
