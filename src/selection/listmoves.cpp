#include "selection/listmoves.h"

#include "toolkit/sortedlistbox.h"

namespace Selection {

void moveSelected(SortedListBox &source, SortedListBox &destination)
{
    // Visited from the last item down, so a removal never shifts an item
    // still to be visited.
    QList<int> rows;
    QStringList names;
    for (int i = source.listCount() - 1; i >= 0; --i) {
        if (source.item(i)->isSelected()) {
            rows << i;
            names << source.list(i);
        }
    }
    if (rows.isEmpty())
        return;
    destination.addNames(names);
    source.removeRows(rows);
}

} // namespace Selection
