// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/thumbnailcache.h"

#include "picture/picturefile.h"
#include "toolkit/processfolders.h"
#include "toolkit/systempath_win.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <shlobj.h>

namespace ThumbnailCache {

namespace {

QString localAppData()
{
    return Toolkit::knownFolder("LOCALAPPDATA", FOLDERID_LocalAppData);
}

} // namespace

QString folder()
{
    // Per user and never roaming: thumbnails are made again cheaply, and a
    // roaming profile would copy them to every machine.
    const QString home = localAppData();
    if (home.isEmpty())
        return QString();
    return QDir::cleanPath(home) + QStringLiteral("/Kelvane/thumbnails");
}

QByteArray uriOf(const QString &absolutePath)
{
    // The form GLib gives a Windows path: file:///C:/a%20b for a drive,
    // file://server/share/a for a share; UTF-8, with the characters GLib
    // leaves as they are. The same names as on Linux, so one rule hashes
    // both.
    QString path = QDir::fromNativeSeparators(absolutePath);
    QByteArray host;
    if (path.startsWith(QLatin1String("//"))) {
        const qsizetype end = path.indexOf(QLatin1Char('/'), 2);
        if (end < 0)
            return QByteArray();
        host = path.mid(2, end - 2).toUtf8();
        path = path.mid(end);
    } else if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter()) {
        path.prepend(QLatin1Char('/'));
    } else {
        return QByteArray();
    }
    return QByteArrayLiteral("file://") + host.toPercentEncoding("!$&'()*+,:=@")
        + path.toUtf8().toPercentEncoding("!$&'()*+,/:=@");
}

bool stampOf(const QString &path, qint64 *modifiedSeconds, qint64 *size)
{
    // Opened for reading, as the decode will: a file that cannot be read
    // shows its error rather than a thumbnail.
    QFile file;
    FileStamp stamp;
    if (!openRegularFile(path, file).isEmpty() || !sizeAndTimeOfOpenFile(file, &stamp))
        return false;
    *modifiedSeconds = stamp.modifiedSeconds;
    *size = stamp.size;
    return true;
}

FolderState folderState(const QString &path)
{
    // The folders under %LOCALAPPDATA% inherit the profile's rights, which
    // keep other users out: only a junction or a link, which would take the
    // entries elsewhere, is refused.
    const std::wstring name = Toolkit::systemPath(path);
    if (name.empty())
        return FolderState::Refused;
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = ::GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? FolderState::Missing
                                                                            : FolderState::Refused;
    }
    const bool real = (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    return real ? FolderState::Private : FolderState::Refused;
}

bool makeFolder(const QString &path)
{
    // The folders take the permissions of the user's profile, which keep
    // other users out as mode 0700 does on Linux.
    const std::wstring name = Toolkit::systemPath(path);
    if (name.empty())
        return false;
    if (::CreateDirectoryW(name.c_str(), nullptr))
        return true;
    const DWORD code = ::GetLastError();
    if (code == ERROR_ALREADY_EXISTS)
        return QFileInfo(path).isDir();
    const QString parent = QFileInfo(path).path();
    if (code != ERROR_PATH_NOT_FOUND || parent == path || !makeFolder(parent))
        return false;
    return ::CreateDirectoryW(name.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace ThumbnailCache
