// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/folderlisting.h"
#include "toolkit/quietcurrent.h"
#include "toolkit/wholeframe.h"

#include <QListWidget>

#include <functional>

// The folder box: the folders from the volume root down to the current
// folder, then the current folder's subfolders, indented like a tree.
// A double click or Enter opens a folder; a single click only selects.
class FolderBox : public WholeFrame<QuietCurrent<QListWidget>>
{
    Q_OBJECT

public:
    explicit FolderBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }

    enum class Move { Changed, Unchanged, Failed };
    // Moves to a folder. A trailing separator names the folder without it.
    // The current folder again does nothing. A folder that cannot be listed
    // leaves the box as it was and gives its reason. The folder is listed
    // on a thread of its own: a share that does not answer keeps the
    // system's call waiting for the network's time-out, or for ever. The
    // window keeps painting and can be closed meanwhile (it takes no other
    // input), and after Toolkit::storageWaitMilliseconds the move fails,
    // with the system's reason if it gave one by then.
    Move setPath(const QString &path, QString *reason = nullptr);

    // How a folder's subfolders are listed; tests put a lister that does
    // not answer in its place. An empty function restores the system's.
    // Returns the previous lister.
    using Lister = std::function<FolderListing(const QString &folder)>;
    static Lister setLister(Lister lister);

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
    QStringList m_subfolders; // as last listed
    QString m_volume;         // the root the chain starts from
};
