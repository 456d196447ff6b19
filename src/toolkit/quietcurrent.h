// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QModelIndex>

// A list whose current item is moved by the program while another control
// has the keyboard. Qt's list view tells a screen reader that the new
// current item has the focus whether the list has it or not; at start-up,
// before the window is active, the reader then takes the folder list's
// item for the focus and says it instead of the window. The list says so
// only while it has the focus itself.
template <typename List>
class QuietCurrent : public List
{
public:
    using List::List;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override
    {
        if (this->hasFocus())
            List::currentChanged(current, previous);
        else
            QAbstractItemView::currentChanged(current, previous);
    }
};
