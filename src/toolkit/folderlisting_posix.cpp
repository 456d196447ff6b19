// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/folderlisting.h"

#include "toolkit/sortedlistbox.h"

#include <QDir>
#include <QRegularExpression>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Toolkit {

QString currentFolder()
{
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return QString();
    return textOfName(buffer);
}

QString folderFromEnvironment(const char *variable)
{
    const QString folder = textOfName(qgetenv(variable));
    return folder.startsWith(QLatin1Char('/')) ? folder : QString();
}

namespace {

// Opens a folder for reading its entries; gives the system's reason when
// it cannot.
DIR *openFolder(const QString &folder, QString *problem)
{
    if (folder.isEmpty()) {
        *problem = QStringLiteral("No folder was given");
        return nullptr;
    }
    // The system would see only the part before a NUL: another folder.
    if (folder.contains(QChar(0))) {
        *problem = QStringLiteral("A folder name cannot contain a NUL character");
        return nullptr;
    }
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        *problem = QString::fromLocal8Bit(std::strerror(errno));
    return dir;
}

enum class EntryKind { File, Folder };

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

// The folder's entries of one kind that are not hidden and whose names
// match the pattern (none: every name). The names are read as bytes: a
// name that is not valid UTF-8 would decode to replacement characters,
// which name another file or none, so it goes to `leftOut` instead.
FolderListing list(const QString &folder, EntryKind kind, const QRegularExpression *pattern)
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
        if (pattern && !pattern->match(name.isNull() ? QFile::decodeName(bytes.toByteArray()) : name).hasMatch())
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

} // namespace

QString folderProblem(const QString &folder)
{
    // Opening the folder is the one check that tells missing, not a folder
    // and no permission apart, in the system's own words.
    QString problem;
    if (DIR *dir = openFolder(folder, &problem))
        ::closedir(dir);
    return problem;
}

FolderListing listFiles(const QString &folder, const QString &pattern)
{
    // "*.*" is the "All" filter: it matches every name, also one without
    // a dot, which a plain wildcard would leave out.
    if (pattern == QLatin1String("*.*") || pattern.isEmpty())
        return list(folder, EntryKind::File, nullptr);
    const QRegularExpression expression = QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    return list(folder, EntryKind::File, &expression);
}

FolderListing listSubfolders(const QString &folder)
{
    return list(folder, EntryKind::Folder, nullptr);
}

QStringList browsableVolumes()
{
    static const QStringList pseudo = {
        QStringLiteral("proc"),       QStringLiteral("sysfs"),      QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),    QStringLiteral("devpts"),     QStringLiteral("devtmpfs"),
        QStringLiteral("securityfs"), QStringLiteral("pstore"),
        QStringLiteral("debugfs"),    QStringLiteral("tracefs"),    QStringLiteral("configfs"),
        QStringLiteral("fusectl"),    QStringLiteral("mqueue"),     QStringLiteral("hugetlbfs"),
        QStringLiteral("bpf"),        QStringLiteral("autofs"),     QStringLiteral("binfmt_misc"),
        QStringLiteral("efivarfs"),   QStringLiteral("squashfs"),   QStringLiteral("overlay"),
        QStringLiteral("nsfs"),       QStringLiteral("rpc_pipefs"), QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"), QStringLiteral("ramfs"),
    };
    QStringList volumes{QStringLiteral("/")};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const QString type = QString::fromLatin1(volume.fileSystemType());
        if (root == QLatin1String("/") || !volume.isValid())
            continue;
        // A mount point whose path is not valid UTF-8 reads back with
        // replacement characters: a path that may name another folder.
        if (root.contains(QChar::ReplacementCharacter))
            continue;
        if (pseudo.contains(type) || root.startsWith(QLatin1String("/proc")) || root.startsWith(QLatin1String("/sys"))
            || root.startsWith(QLatin1String("/dev"))
            || (root.startsWith(QLatin1String("/run/")) && !root.startsWith(QLatin1String("/run/media/"))))
            continue;
        // Bind mounts of single files (as containers use) are no volumes.
        if (!QFileInfo(root).isDir())
            continue;
        if (!volumes.contains(root))
            volumes << root;
    }
    std::sort(volumes.begin() + 1, volumes.end(), namesLess);
    return volumes;
}

QString volumeText(const QString &root)
{
    return QDir::toNativeSeparators(root);
}

QString volumeLabel(const QString &)
{
    return QString();
}

QString volumeOf(const QString &folder, const QStringList &volumes)
{
    QString best = QStringLiteral("/");
    for (const QString &root : volumes) {
        if (root.size() > best.size()
            && (folder == root || folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'))))
            best = root;
    }
    return best;
}

} // namespace Toolkit
