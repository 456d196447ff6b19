#pragma once

#include <QString>
#include <QStringList>

// What one reading of a folder gave: the names, or the reason it failed.
struct FolderListing
{
    QStringList names;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

namespace Toolkit {

// The folder a path names: a trailing separator names the folder without
// it, and the root stays "/". An empty path stays empty.
QString normalizeFolder(const QString &path);

// Why a folder cannot be listed, in the system's words; empty when it can.
QString folderProblem(const QString &folder);

// The folder's files whose names match the wildcard pattern, without regard
// to case, leaving out hidden (dot) files, sorted as the lists sort. "*.*"
// matches every name, also one without a dot.
FolderListing listFiles(const QString &folder, const QString &pattern);

// The folder's subfolders that are not hidden, sorted as the lists sort.
FolderListing listSubfolders(const QString &folder);

// The mounted volumes a user browses: the root and real data volumes, no
// pseudo file systems. Each entry is a volume's root path.
QStringList browsableVolumes();

// The volume root that holds a folder, out of the given volume roots.
QString volumeOf(const QString &folder, const QStringList &volumes);

} // namespace Toolkit
