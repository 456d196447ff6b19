// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/framebox.h"

#include <QAccessibleWidget>

namespace {

// The border drawn above a frame's children.
class FrameEdge : public QFrame
{
public:
    using QFrame::QFrame;
};

// A group's children as a screen reader is shown them: the ones Qt shows
// of any widget, without the edge.
class AccessibleFrameBox : public QAccessibleWidget
{
public:
    explicit AccessibleFrameBox(QWidget *frame)
        : QAccessibleWidget(frame, QAccessible::Grouping)
    {
    }

    int childCount() const override { return static_cast<int>(controls().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QAccessibleInterface *> list = controls();
        return index >= 0 && index < list.size() ? list.at(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return static_cast<int>(controls().indexOf(const_cast<QAccessibleInterface *>(child)));
    }

private:
    QList<QAccessibleInterface *> controls() const
    {
        QList<QAccessibleInterface *> list;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface *control = QAccessibleWidget::child(i);
            if (control && !dynamic_cast<FrameEdge *>(control->object()))
                list << control;
        }
        return list;
    }
};

QAccessibleInterface *accessibleFrameBox(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("FrameBox"))
        return new AccessibleFrameBox(widget);
    // Reached only by its own events, never through its frame: a plain
    // widget, not a window.
    if (className == QLatin1String("QFrame") && dynamic_cast<FrameEdge *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Client);
    return nullptr;
}

} // namespace

FrameBox::FrameBox(QWidget *parent)
    : QFrame(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleFrameBox), true);
    Q_UNUSED(accessible);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

void FrameBox::keepBorderOnTop()
{
    if (m_edge)
        return;
    m_edge = new FrameEdge(this);
    m_edge->setFrameStyle(frameStyle());
    m_edge->setLineWidth(lineWidth());
    m_edge->setGeometry(rect());
    m_edge->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_edge->raise();
}

void FrameBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (m_edge)
        m_edge->setGeometry(rect());
}
