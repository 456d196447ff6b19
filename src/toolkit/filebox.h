// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/quietcurrent.h"
#include "toolkit/wholeframe.h"

#include "toolkit/folderlisting.h"

#include <QListWidget>

#include <functional>

// The file box: the files of one folder whose names match a wildcard
// pattern. Setting its path or pattern reads the folder again.
class FileBox : public WholeFrame<QuietCurrent<QListWidget>>
{
    Q_OBJECT

public:
    explicit FileBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    QString pattern() const { return m_pattern; }

    // Each gives the reason in `reason` when the folder cannot be read; the
    // names and the path then stay as they were, the new pattern is kept.
    // Setting the pattern the box already lists by reads nothing, and so does
    // any pattern before the box was given its first folder.
    bool setPath(const QString &path, QString *reason = nullptr);
    bool setPattern(const QString &pattern, QString *reason = nullptr);
    // A folder and a pattern together, read once.
    bool setPathAndPattern(const QString &path, const QString &pattern, QString *reason = nullptr);

    int listCount() const { return m_names.size(); }
    QString list(int index) const { return m_names.value(index); }
    QStringList names() const { return m_names; }
    // The names the last listing left out (see FolderListing).
    QStringList leftOut() const { return m_leftOut; }
    // Whether the box has listed a folder yet; before that its path is only
    // where the process started.
    bool listed() const { return m_listed; }

    // How a folder's files are listed; tests put a lister that does not
    // answer in its place. The listing runs on a thread of its own and is
    // waited for as storage is: after Toolkit::storageWaitMilliseconds the
    // box stays as it was and gives the reason. An empty function restores
    // the system's. Returns the previous lister.
    using Lister = std::function<FolderListing(const QString &folder, const QString &pattern)>;
    static Lister setLister(Lister lister);

private:
    bool relist(const QString &path, const QString &pattern, QString *reason);

    QString m_path;
    bool m_listed = false; // the folder was read once
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_names;
    QStringList m_leftOut;
};
