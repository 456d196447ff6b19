// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/quietcurrent.h"
#include "toolkit/wholeframe.h"

#include <QListWidget>
#include <QStringList>

// Orders names the way the lists show them: ascending without regard to
// case, with the plain comparison only breaking ties, so the order is total.
bool namesLess(const QString &a, const QString &b);

// A list box that keeps its items sorted without regard to case, whatever
// order they are added in, and lets the user select several items.
class SortedListBox : public WholeFrame<QuietCurrent<QListWidget>>
{
    Q_OBJECT

public:
    explicit SortedListBox(QWidget *parent = nullptr);

    int listCount() const { return count(); }
    QString list(int index) const;
    QStringList names() const;

    // Inserts each name at its sorted place; existing selection is kept.
    void addName(const QString &name);
    void addNames(const QStringList &names);
    // The same for names in the list's own order, as another list holds them.
    void addSortedNames(const QStringList &names);
    // Removes the given rows; existing selection of the others is kept.
    void removeRows(QList<int> rows);
    // The selected rows, ascending, read in one pass.
    QList<int> selectedRows() const;

Q_SIGNALS:
    // The user picked an item with the mouse or moved to one with the keys.
    void picked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int insertionRow(const QString &name) const;
    void selectRows(const QList<int> &ascendingRows);
    void mergeSorted(const QStringList &incoming);
    // Lists these names in place of all items, the given rows selected.
    void replaceItems(const QStringList &names, const QList<int> &selectedRows);
};
