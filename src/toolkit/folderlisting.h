// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// What one reading of a folder gave: the names, or the reason it failed.
struct FolderListing
{
    QStringList names;
    // Names whose bytes do not survive the way through QString, shown
    // escaped. They are no part of `names`: decoded, they would name
    // another file, or none.
    QStringList leftOut;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

namespace Toolkit {

// The folder a path names: a trailing separator names the folder without
// it, and the root stays "/" ("C:/" on Windows). An empty path stays empty.
QString normalizeFolder(const QString &path);

// The text of a file name or path, or a null text when its bytes are not
// valid UTF-8 and so would come back from QString as other bytes.
QString textOfName(QByteArrayView bytes);

// A name's bytes for a message: valid UTF-8 as text, every other byte, a
// control character and the backslash as \xHH ("caf\xE9.jpg").
QString escapedName(QByteArrayView bytes);

// The process's current folder; empty when it was removed, or when its path
// is not valid UTF-8.
QString currentFolder();

// An environment variable that names a folder by an absolute path; empty
// when it is unset, relative, or not valid UTF-8.
QString folderFromEnvironment(const char *variable);

// Why a folder cannot be listed, in the system's words; empty when it can.
QString folderProblem(const QString &folder);

// The folder's files whose names match the wildcard pattern, without regard
// to case, leaving out hidden (dot) files, sorted as the lists sort. "*.*"
// matches every name, also one without a dot.
FolderListing listFiles(const QString &folder, const QString &pattern);

// The folder's subfolders that are not hidden, sorted as the lists sort.
FolderListing listSubfolders(const QString &folder);

// The mounted volumes a user browses: the root and real data volumes, no
// pseudo file systems; on Windows the drive letters. Each entry is a
// volume's root path.
QStringList browsableVolumes();

// A volume as the drive box lists it before its label is known: the root
// path on Linux, the drive letter on Windows ("c:").
QString volumeText(const QString &root);

// The volume's label ("System"), empty when it has none, has no disk or
// does not answer; always empty on Linux. A network drive that is offline
// keeps the call waiting for the network's time-out, so it is never asked
// on the window's thread.
QString volumeLabel(const QString &root);

// The volume root that holds a folder, out of the given volume roots.
QString volumeOf(const QString &folder, const QStringList &volumes);

} // namespace Toolkit
