// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/volumes.h"

#include "toolkit/sortedlistbox.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace Toolkit {

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
