// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/folderlisting.h"

#include "toolkit/folderlisting_p.h"
#include "toolkit/sortedlistbox.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>

namespace Toolkit {

namespace {

// Opens a folder for reading its entries; gives the system's reason when
// it cannot.
DIR *openFolder(const QString &folder, QString *problem)
{
    if (folder.isEmpty()) {
        *problem = QCoreApplication::translate("Toolkit", "No folder was given");
        return nullptr;
    }
    // The system would see only the part before a NUL: another folder.
    if (folder.contains(QChar(0))) {
        *problem = QCoreApplication::translate("Toolkit", "A folder name cannot contain a NUL character");
        return nullptr;
    }
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        *problem = QString::fromLocal8Bit(std::strerror(errno));
    return dir;
}

// Symbolic links count as what they point to, as in a file manager.
bool isKind(DIR *dir, const dirent *entry, EntryKind kind)
{
    unsigned char type = entry->d_type;
    if (type == DT_LNK || type == DT_UNKNOWN) {
        struct stat info;
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0)
            return false;
        type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
    }
    return type == (kind == EntryKind::File ? DT_REG : DT_DIR);
}

} // namespace

// The names are read as bytes: a name that is not valid UTF-8 would decode
// to replacement characters, which name another file or none, so it goes to
// `leftOut` instead.
FolderListing listEntries(const QString &folder, EntryKind kind, const QString *pattern)
{
    FolderListing listing;
    DIR *dir = openFolder(folder, &listing.error);
    if (!dir)
        return listing;
    for (;;) {
        // Only readdir's own errno tells an error from the end.
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArrayView bytes(entry->d_name);
        // Also leaves out "." and "..".
        if (bytes.startsWith('.') || !isKind(dir, entry, kind))
            continue;
        const QString name = textOfName(bytes);
        if (pattern && !matchesWildcard(*pattern, name.isNull() ? QFile::decodeName(bytes.toByteArray()) : name))
            continue;
        if (name.isNull())
            listing.leftOut << escapedName(bytes);
        else
            listing.names << name;
    }
    if (errno != 0) {
        listing.error = QString::fromLocal8Bit(std::strerror(errno));
        listing.names.clear();
        listing.leftOut.clear();
    }
    ::closedir(dir);
    std::sort(listing.names.begin(), listing.names.end(), namesLess);
    std::sort(listing.leftOut.begin(), listing.leftOut.end(), namesLess);
    return listing;
}

QString folderProblem(const QString &folder)
{
    // Opening the folder is the one check that tells missing, not a folder
    // and no permission apart, in the system's own words.
    QString problem;
    if (DIR *dir = openFolder(folder, &problem))
        ::closedir(dir);
    return problem;
}

} // namespace Toolkit
