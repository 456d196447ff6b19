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

} // namespace

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
