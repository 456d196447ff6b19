// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/wholeframe.h"

#include <QListWidget>

// The folder box: the folders from the volume root down to the current
// folder, then the current folder's subfolders, indented like a tree.
// A double click or Enter opens a folder; a single click only selects.
class FolderBox : public WholeFrame<QListWidget>
{
    Q_OBJECT

public:
    explicit FolderBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }

    enum class Move { Changed, Unchanged, Failed };
    // Moves to a folder. A trailing separator names the folder without it.
    // The current folder again does nothing. A folder that cannot be listed
    // leaves the box as it was and gives its reason.
    Move setPath(const QString &path, QString *reason = nullptr);

    // The message for a folder that cannot be opened, with the system's reason.
    static void showProblem(const QString &folder, const QString &reason, QWidget *parent);

    // The subfolders that the last listing left out (see FolderListing),
    // once: the box forgets them here.
    QStringList takeLeftOut();
    // The one message for names a listing of a folder left out, given
    // escaped.
    static void showLeftOut(const QString &folder, const QStringList &names, QWidget *parent);

Q_SIGNALS:
    void changed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void open(QListWidgetItem *item);
    void relist(const QStringList &subfolders);

    QString m_path; // empty until a folder was listed
    QStringList m_leftOut;
    QStringList m_volumes;
};
