// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/announcer.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *accessibleAnnouncer(const QString &className, QObject *object)
{
    if (className == QLatin1String("Announcer") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

QObject *quietTextBox = nullptr;
QAccessible::UpdateHandler passedOn = nullptr;

bool isTextChange(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::ValueChanged:
        return true;
    default:
        return false;
    }
}

void keepTextQuiet(QAccessibleEvent *event)
{
    if (event->object() == quietTextBox && isTextChange(event->type()))
        return;
    if (passedOn) {
        passedOn(event);
        return;
    }
    // Without a handler, events go to the platform's screen reader bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(keepTextQuiet);
}

} // namespace

QuietText::QuietText(QObject *textBox)
{
    quietTextBox = textBox;
    passedOn = QAccessible::installUpdateHandler(keepTextQuiet);
}

QuietText::~QuietText()
{
    QAccessible::installUpdateHandler(passedOn);
    passedOn = nullptr;
    quietTextBox = nullptr;
}

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleAnnouncer), true);
    Q_UNUSED(accessible);
    hide();
}

void Announcer::announce(const QString &message, const QString &detail)
{
    setAccessibleName(message);
    setAccessibleDescription(detail);
    // Shown to the screen reader only: the widget itself stays hidden.
    QAccessibleEvent appeared(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&appeared);
    Q_EMIT announced(message, detail);
}
