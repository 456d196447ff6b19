// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/replacedfile.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace Toolkit {

ReplacedFile replacedFile(const QString &path)
{
    // stat() follows a link, so these are the bits of the file that will
    // be replaced.
    struct stat existing {};
    ReplacedFile replaced;
    replaced.exists = ::stat(QFile::encodeName(path).constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    // Root may write anything; a file that nobody may write is still kept.
    replaced.readOnly = replaced.exists && (existing.st_mode & 0222) == 0;
    replaced.permissionBits = existing.st_mode & 0777;
    replaced.owner = existing.st_uid;
    replaced.group = existing.st_gid;
    return replaced;
}

// Any name but one with a NUL (checked before this) names a file.
QString nameProblem(const QString &)
{
    return QString();
}

bool writableInPlace(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

QString readOnlyReason()
{
    return qt_error_string(EACCES);
}

} // namespace Toolkit
