// SPDX-License-Identifier: GPL-3.0-or-later
#include "selection/listmoves.h"

#include "toolkit/sortedlistbox.h"

namespace Selection {

void moveSelected(SortedListBox &source, SortedListBox &destination)
{
    // The selection is read once, before anything moves: asking each row
    // whether it is selected costs a search of the selection per row.
    const QList<int> rows = source.selectedRows();
    if (rows.isEmpty())
        return;
    QStringList names;
    names.reserve(rows.size());
    for (const int row : rows)
        names << source.list(row);
    destination.addSortedNames(names);
    source.removeRows(rows);
}

} // namespace Selection
