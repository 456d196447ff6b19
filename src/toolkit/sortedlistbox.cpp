#include "toolkit/sortedlistbox.h"

#include <QCollator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>

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
    : QListWidget(parent)
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

void SortedListBox::addNames(const QStringList &names)
{
    // A few names go in one by one; many are merged and the list rebuilt at
    // once, which keeps a move of thousands of names quick.
    if (names.size() < 32) {
        for (const QString &name : names)
            addName(name);
        return;
    }
    QSet<QString> selected;
    for (const QListWidgetItem *entry : selectedItems())
        selected.insert(entry->text());
    QStringList all = this->names() + names;
    std::stable_sort(all.begin(), all.end(), namesLess);

    setUpdatesEnabled(false);
    clear();
    addItems(all);
    for (int i = 0; i < count() && !selected.isEmpty(); ++i) {
        if (selected.contains(item(i)->text()))
            item(i)->setSelected(true);
    }
    setUpdatesEnabled(true);
}

void SortedListBox::removeRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    setUpdatesEnabled(false);
    if (rows.size() < 32) {
        for (const int row : rows)
            delete takeItem(row);
    } else {
        QSet<int> gone(rows.begin(), rows.end());
        QStringList kept;
        QSet<QString> selected;
        for (int i = 0; i < count(); ++i) {
            if (gone.contains(i))
                continue;
            kept << item(i)->text();
            if (item(i)->isSelected())
                selected.insert(item(i)->text());
        }
        clear();
        addItems(kept);
        for (int i = 0; i < count() && !selected.isEmpty(); ++i) {
            if (selected.contains(item(i)->text()))
                item(i)->setSelected(true);
        }
    }
    setUpdatesEnabled(true);
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
