// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/thumbnailcache.h"

// No freedesktop cache here: pictures are decoded every time, and nothing is
// written beside them.
namespace ThumbnailCache {

QString folder()
{
    return QString();
}

QByteArray uriOf(const QString &)
{
    return QByteArray();
}

bool stampOf(const QString &, qint64 *, qint64 *)
{
    return false;
}

bool makeFolder(const QString &)
{
    return false;
}

bool moveInto(const QString &, const QString &)
{
    return false;
}

} // namespace ThumbnailCache
