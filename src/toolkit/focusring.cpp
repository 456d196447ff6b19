// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/focusring.h"

#include <QApplication>
#include <QPainter>

FocusRing::FocusRing(const QList<QWidget *> &controls, QWidget *parent)
    : QFocusFrame(parent)
{
    for (QWidget *control : controls)
        m_controls << control;
    setObjectName(QStringLiteral("focusRing"));
    // QFocusFrame's own following (setWidget) stacks the frame under its
    // widget and draws the style's ring; this one draws its own, on top.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
    follow(QApplication::focusWidget());
}

namespace {

// Whether another of the controls, stacked in front of this one, covers it
// whole, so that the user never sees it, nor should its ring be drawn
// across the other. Decorations on top (a frame's border) do not count.
bool liesUnderAnother(const QWidget *control, const QList<QPointer<QWidget>> &controls)
{
    const QWidget *parent = control->parentWidget();
    if (!parent)
        return false;
    const QObjectList &siblings = parent->children();
    for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
        const auto *sibling = qobject_cast<QWidget *>(siblings.at(i));
        if (sibling && controls.contains(sibling) && !sibling->isHidden()
            && sibling->geometry().contains(control->geometry()))
            return true;
    }
    return false;
}

} // namespace

void FocusRing::follow(QWidget *control)
{
    if (m_target)
        m_target->removeEventFilter(this);
    // A control under another keeps its tab stop, without a ring.
    m_target = (control && m_controls.contains(control) && !liesUnderAnother(control, m_controls)) ? control : nullptr;
    if (!m_target) {
        hide();
        return;
    }
    // A control that moves, as the whole layout does when its direction
    // turns, takes its ring along.
    m_target->installEventFilter(this);
    // A sibling of the control, above every other one, so that a control
    // lying under another one still shows the ring.
    if (parentWidget() != control->parentWidget())
        setParent(control->parentWidget());
    surround();
    raise();
    show();
}

void FocusRing::surround()
{
    setGeometry(m_target->geometry().adjusted(-thickness, -thickness, thickness, thickness));
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(thickness, thickness, -thickness, -thickness))));
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_target && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        surround();
    return false;
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
}
