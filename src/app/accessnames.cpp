// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessnames.h"

#include "app/frmmain.h"
#include "toolkit/announcer.h"
#include "toolkit/drivebox.h"
#include "toolkit/filebox.h"
#include "toolkit/focusring.h"
#include "toolkit/folderbox.h"
#include "toolkit/imagebox.h"
#include "toolkit/sortedlistbox.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <utility>

namespace {

// Qt reads a top-level QWidget as a plain area inside a window; a screen
// reader looks for a window, which is where it takes the active state from.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("frmMain") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

namespace Access {

void nameControls(frmMain &form)
{
    static const bool window = (QAccessible::installFactory(accessibleWindow), true);
    Q_UNUSED(window);
    new Announcer(&form);

    // A box takes its label's caption as its name; the picture description
    // box so follows lblPicDesc as a click rewrites it.
    form.Label1[1]->setBuddy(form.txtName);
    form.Label1[0]->setBuddy(form.txtDesc);
    form.lblPicDesc->setBuddy(form.txtItemDesc);

    // Buttons and filter buttons are named by their captions, except the
    // two arrows.
    const std::pair<QWidget *, const char *> names[] = {
        {form.Drive1, QT_TRANSLATE_NOOP("Access", "Drives")},
        {form.Dir1, QT_TRANSLATE_NOOP("Access", "Folders")},
        {form.File1, QT_TRANSLATE_NOOP("Access", "Files of the folder")},
        {form.List1, QT_TRANSLATE_NOOP("Access", "File list")},
        {form.List2, QT_TRANSLATE_NOOP("Access", "Page list")},
        {form.cmdAdd, QT_TRANSLATE_NOOP("Access", "Move to page list")},
        {form.cmdRemove, QT_TRANSLATE_NOOP("Access", "Move back to file list")},
        {form.VScroll1, QT_TRANSLATE_NOOP("Access", "Thumbnail rows")},
        {form.Frame1, QT_TRANSLATE_NOOP("Access", "Thumbnails")},
        {form.imgView2, QT_TRANSLATE_NOOP("Access", "Preview")},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(QCoreApplication::translate("Access", name));
    // A screen reader says a radio button's group from the label it is
    // labelled by. The filter buttons' group has no caption on the screen,
    // so each button gets a label of its own that is never shown.
    for (size_t i = 0; i < form.optFilter.size(); ++i) {
        auto *group = new QLabel(QCoreApplication::translate("Access", "File type"), form.optFilter[i]->parentWidget());
        group->setObjectName(QStringLiteral("optFilterGroup"));
        group->setProperty("index", int(i));
        group->setBuddy(form.optFilter[i]);
        group->hide();
    }
    // What the keys of the picture description box do.
    form.txtItemDesc->setAccessibleDescription(QCoreApplication::translate(
        "Access", "Item Description. Page Down and Page Up describe the next and the previous picture, "
                  "Enter stores the text"));
    // On Linux Qt names a combo box by the text it shows, the drive; what the
    // box is for then reaches the screen reader as its description.
    form.Drive1->setAccessibleDescription(form.Drive1->accessibleName());

    QList<QWidget *> focusable;
    for (QWidget *control : form.findChildren<QWidget *>()) {
        // The filter buttons that Tab skips still take the focus by the
        // arrow keys, or by Tab once one of them is selected.
        if (control->focusPolicy() != Qt::NoFocus)
            focusable << control;
    }
    new FocusRing(focusable, &form);
}

void announce(frmMain &form, const QString &message, const QString &detail)
{
    if (auto *announcer = form.findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        announcer->announce(message, detail);
}

QString pictureCount(int count)
{
    return count == 1 ? QCoreApplication::translate("Access", "1 picture")
                      : QCoreApplication::translate("Access", "%1 pictures").arg(count);
}

} // namespace Access
