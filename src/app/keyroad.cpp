// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keyroad.h"

#include "app/accessnames.h"
#include "app/frmmain.h"
#include "board/slotgeometry.h"
#include "board/thumbnailboard.h"
#include "toolkit/announcer.h"
#include "toolkit/imagebox.h"
#include "toolkit/sortedlistbox.h"
#include "toolkit/twips.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Runs an action for a plain key pressed in one control, in place of what
// the control itself would do with it.
class KeyAction : public QObject
{
public:
    KeyAction(QWidget *control, std::vector<std::pair<int, std::function<void()>>> keys)
        : QObject(control)
        , m_keys(std::move(keys))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *press = static_cast<QKeyEvent *>(event);
        if ((press->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        for (const auto &[key, action] : m_keys) {
            if (press->key() == key) {
                action();
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::pair<int, std::function<void()>>> m_keys;
};

// Scrolls the board the way the user would, through its scroll bar, until
// the slot's row lies wholly in the viewport.
void scrollToSlot(frmMain &form, int slot)
{
    const TwipsRect cell = form.board().templateRect();
    if (cell.height <= 0)
        return;
    const double viewport = Twips::fromPixels(form.Frame2->height());
    const int wholeRows = static_cast<int>(std::floor((viewport - cell.top) / cell.height));
    const int row = Board::placeSlot(slot, cell).row;
    form.VScroll1->setValue(KeyRoad::positionShowing(row, form.VScroll1->value(), wholeRows));
}

// The slot as a screen reader names it: "Picture 3: beach.jpg".
QString slotName(const frmMain &form, int slot)
{
    const ImageBox *box = form.imgView(slot);
    return box ? box->accessibleName() : QString();
}

void stepThroughBoard(frmMain &form, KeyRoad::Step step)
{
    const int current = form.currentSlot();
    const int count = form.thumbnailCount();
    const int slot = KeyRoad::slotFor(step, current, count);
    if (slot == 0) {
        // Nothing moves; without a word the user could not tell a board's
        // end from a key that was not taken.
        if (step == KeyRoad::Step::Next && current == count && count > 0)
            Access::announce(form, QCoreApplication::translate("KeyRoad", "%1 is the last picture")
                                       .arg(slotName(form, current)));
        else if (step == KeyRoad::Step::Previous && current == 1 && count > 0)
            Access::announce(form, QCoreApplication::translate("KeyRoad", "%1 is the first picture")
                                       .arg(slotName(form, current)));
        return;
    }
    scrollToSlot(form, slot);
    {
        // The box's new text is read once, with the announcement.
        const QuietText quiet(form.txtItemDesc);
        form.imgView_Click(slot);
    }
    // The box keeps the focus, so a screen reader would not say that it
    // now describes another picture: its new name, the label's caption,
    // with the picture's own name, and the text it holds.
    Access::announce(form,
                     QCoreApplication::translate("KeyRoad", "%1, %2").arg(form.lblPicDesc->text(), slotName(form, slot)),
                     form.txtItemDesc->text());
}

} // namespace

namespace KeyRoad {

int slotFor(Step step, int current, int count)
{
    int slot = 0;
    switch (step) {
    case Step::Previous: slot = std::min(current, count + 1) - 1; break;
    case Step::Same: slot = current; break;
    case Step::Next: slot = current + 1; break;
    }
    return slot >= 1 && slot <= count ? slot : 0;
}

int positionShowing(int row, int position, int wholeRows)
{
    const int rows = std::max(wholeRows, 1);
    if (row < position)
        return row;
    if (row >= position + rows)
        return row - rows + 1;
    return position;
}

void install(frmMain &form)
{
    frmMain *window = &form;
    new KeyAction(form.txtItemDesc,
                  {{Qt::Key_PageDown, [window] { stepThroughBoard(*window, Step::Next); }},
                   {Qt::Key_PageUp, [window] { stepThroughBoard(*window, Step::Previous); }},
                   {Qt::Key_Return, [window] { stepThroughBoard(*window, Step::Same); }},
                   {Qt::Key_Enter, [window] { stepThroughBoard(*window, Step::Same); }}});
    new KeyAction(form.List1, {{Qt::Key_Return, [window] { window->cmdAdd_Click(); }},
                               {Qt::Key_Enter, [window] { window->cmdAdd_Click(); }}});
    new KeyAction(form.List2, {{Qt::Key_Delete, [window] { window->cmdRemove_Click(); }}});
}

} // namespace KeyRoad
