// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/sortedlistbox.h"

#include <QCollator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QItemSelection>

#include <algorithm>

namespace {

const QCollator &nameCollator()
{
    static const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

} // namespace

bool namesLess(const QString &a, const QString &b)
{
    const int order = nameCollator().compare(a, b);
    if (order != 0)
        return order < 0;
    return a < b;
}

SortedListBox::SortedListBox(QWidget *parent)
    : WholeFrame(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setSortingEnabled(false); // QListWidget's own sort is case-sensitive
}

QString SortedListBox::list(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->text() : QString();
}

QStringList SortedListBox::names() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result << item(i)->text();
    return result;
}

int SortedListBox::insertionRow(const QString &name) const
{
    int low = 0;
    int high = count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (namesLess(item(mid)->text(), name))
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void SortedListBox::addName(const QString &name)
{
    insertItem(insertionRow(name), name);
}

QList<int> SortedListBox::selectedRows() const
{
    QList<int> rows;
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    rows.reserve(indexes.size());
    for (const QModelIndex &index : indexes)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void SortedListBox::selectRows(const QList<int> &ascendingRows)
{
    // One call for the whole selection: row by row, each call would merge
    // its row into every range selected before it.
    QItemSelection selection;
    for (qsizetype i = 0; i < ascendingRows.size();) {
        qsizetype last = i;
        while (last + 1 < ascendingRows.size() && ascendingRows.at(last + 1) == ascendingRows.at(last) + 1)
            ++last;
        selection.select(model()->index(ascendingRows.at(i), 0), model()->index(ascendingRows.at(last), 0));
        i = last + 1;
    }
    if (selection.isEmpty())
        return;
    {
        // The view would turn every range into a region to repaint; the
        // whole list is repainted once instead.
        const QSignalBlocker quiet(selectionModel());
        selectionModel()->select(selection, QItemSelectionModel::Select);
    }
    viewport()->update();
    Q_EMIT itemSelectionChanged();
}

void SortedListBox::replaceItems(const QStringList &names, const QList<int> &selectedRows)
{
    setUpdatesEnabled(false);
    clear();
    addItems(names);
    selectRows(selectedRows);
    setUpdatesEnabled(true);
}

void SortedListBox::addNames(const QStringList &names)
{
    // A few names go in one by one; many are merged and the list rebuilt at
    // once, which keeps a move of thousands of names quick.
    if (names.size() < 32) {
        for (const QString &name : names)
            addName(name);
        return;
    }
    // A folder's names come sorted already.
    if (std::is_sorted(names.cbegin(), names.cend(), namesLess)) {
        mergeSorted(names);
        return;
    }
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), namesLess);
    mergeSorted(sorted);
}

void SortedListBox::addSortedNames(const QStringList &names)
{
    Q_ASSERT(std::is_sorted(names.cbegin(), names.cend(), namesLess));
    if (names.size() < 32) {
        for (const QString &name : names)
            addName(name);
        return;
    }
    mergeSorted(names);
}

void SortedListBox::mergeSorted(const QStringList &incoming)
{
    const QStringList current = this->names();
    const QList<int> selected = selectedRows();
    QStringList merged;
    merged.reserve(current.size() + incoming.size());
    QList<int> stillSelected;
    stillSelected.reserve(selected.size());
    qsizetype c = 0, n = 0, s = 0;
    while (c < current.size() || n < incoming.size()) {
        // On a tie the name already listed comes first.
        if (n == incoming.size() || (c < current.size() && !namesLess(incoming.at(n), current.at(c)))) {
            if (s < selected.size() && selected.at(s) == c) {
                stillSelected << int(merged.size());
                ++s;
            }
            merged << current.at(c++);
        } else {
            merged << incoming.at(n++);
        }
    }
    replaceItems(merged, stillSelected);
}

void SortedListBox::removeRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.size() < 32) {
        setUpdatesEnabled(false);
        for (const int row : rows)
            delete takeItem(row);
        setUpdatesEnabled(true);
        return;
    }
    std::reverse(rows.begin(), rows.end());
    const QList<int> selected = selectedRows();
    QStringList kept;
    kept.reserve(count());
    QList<int> stillSelected;
    qsizetype r = 0, s = 0;
    for (int i = 0; i < count(); ++i) {
        while (r < rows.size() && rows.at(r) < i)
            ++r;
        while (s < selected.size() && selected.at(s) < i)
            ++s;
        if (r < rows.size() && rows.at(r) == i)
            continue;
        if (s < selected.size() && selected.at(s) == i)
            stillSelected << int(kept.size());
        kept << item(i)->text();
    }
    replaceItems(kept, stillSelected);
}

void SortedListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        Q_EMIT picked();
}

void SortedListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        Q_EMIT picked();
}
