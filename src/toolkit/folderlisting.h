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

// Why a folder cannot be listed, in the system's words; empty when it can.
QString folderProblem(const QString &folder);

// The folder's files whose names match the wildcard pattern, without regard
// to case, leaving out hidden (dot) files, sorted as the lists sort. "*.*"
// matches every name, also one without a dot.
FolderListing listFiles(const QString &folder, const QString &pattern);

// The folder's subfolders that are not hidden, sorted as the lists sort.
FolderListing listSubfolders(const QString &folder);

} // namespace Toolkit
