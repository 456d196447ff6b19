// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/thumbnailcache.h"

#include "toolkit/processfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <glib.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ThumbnailCache {

QString folder()
{
    // Looked up afresh on every call, by the settings file's rule: a
    // relative folder would put the cache wherever the process happens to
    // be, and no HOME at all would put it at the root.
    QString home = Toolkit::folderFromEnvironment("XDG_CACHE_HOME");
    if (home.isEmpty()) {
        const QString userHome = Toolkit::folderFromEnvironment("HOME");
        if (userHome.isEmpty())
            return QString();
        home = userHome + QStringLiteral("/.cache");
    }
    return QDir::cleanPath(home) + QStringLiteral("/thumbnails");
}

QByteArray uriOf(const QString &absolutePath)
{
    // GLib's form of the URI, as the desktop's file managers hash it.
    const QByteArray local = QFile::encodeName(absolutePath);
    gchar *uri = g_filename_to_uri(local.constData(), nullptr, nullptr);
    if (!uri)
        return QByteArray();
    const QByteArray result(uri);
    g_free(uri);
    return result;
}

bool stampOf(const QString &path, qint64 *modifiedSeconds, qint64 *size)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || ::access(name.constData(), R_OK) != 0)
        return false;
    *modifiedSeconds = info.st_mtime;
    *size = info.st_size;
    return true;
}

FolderState folderState(const QString &path)
{
    // The name itself, not what a link names: another user may have put
    // the link there.
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? FolderState::Missing : FolderState::Refused;
    const bool mine = S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
        && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    return mine ? FolderState::Private : FolderState::Refused;
}

bool makeFolder(const QString &path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST)
        return true;
    const QString parent = QFileInfo(path).path();
    if (errno != ENOENT || parent == path || !makeFolder(parent))
        return false;
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST;
}

} // namespace ThumbnailCache
