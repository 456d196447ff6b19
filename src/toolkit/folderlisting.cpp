#include "toolkit/folderlisting.h"

#include "toolkit/sortedlistbox.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>

namespace Toolkit {

QString normalizeFolder(const QString &path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

QString folderProblem(const QString &folder)
{
    if (folder.isEmpty())
        return QStringLiteral("No folder was given");
    // The system would see only the part before a NUL: another folder.
    if (folder.contains(QChar(0)))
        return QStringLiteral("A folder name cannot contain a NUL character");
    // Opening the folder is the one check that tells missing, not a folder
    // and no permission apart, in the system's own words.
    const QByteArray native = QFile::encodeName(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::closedir(dir);
    return QString();
}

namespace {

FolderListing list(const QString &folder, QDir::Filters filters, const QStringList &nameFilters)
{
    FolderListing listing;
    listing.error = folderProblem(folder);
    if (!listing.ok())
        return listing;
    QDir dir(folder);
    dir.setFilter(filters);
    dir.setNameFilters(nameFilters);
    dir.setSorting(QDir::Unsorted);
    listing.names = dir.entryList();
    std::sort(listing.names.begin(), listing.names.end(), namesLess);
    return listing;
}

} // namespace

FolderListing listFiles(const QString &folder, const QString &pattern)
{
    // "*.*" is the "All" filter: it matches every name, also one without
    // a dot, which QDir's wildcard would leave out.
    const QString filter = (pattern == QLatin1String("*.*") || pattern.isEmpty()) ? QStringLiteral("*") : pattern;
    return list(folder, QDir::Files | QDir::NoDotAndDotDot, {filter});
}

FolderListing listSubfolders(const QString &folder)
{
    return list(folder, QDir::Dirs | QDir::NoDotAndDotDot, {});
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
