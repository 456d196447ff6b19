// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/framebox.h"

#include <QAccessibleWidget>
#include <QChildEvent>
#include <QFocusFrame>
#include <QHash>
#include <QMenu>

#include <algorithm>
#include <vector>

namespace {

// The border drawn above a frame's children.
class FrameEdge : public QFrame
{
public:
    using QFrame::QFrame;
};

} // namespace

// A frame's child widgets in the order they came, and of those the ones a
// screen reader is shown, with their places. A child is sorted into one or
// the other when it is first asked for, by then whole: a widget announces
// itself to its parent before its own constructor has run.
class FrameControls
{
public:
    void added(QWidget *child) { m_children.push_back(child); }

    // Children mostly go last first, as a board is cleared.
    void removed(const QObject *child)
    {
        const auto found = std::find(m_children.rbegin(), m_children.rend(), child);
        if (found == m_children.rend())
            return;
        const size_t at = static_cast<size_t>(std::distance(found, m_children.rend())) - 1;
        m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(at));
        forgetFrom(at);
    }

    // The edge was sorted as a control while it was being made.
    void resort() { forgetFrom(0); }

    void setEdge(const QWidget *edge) { m_edge = edge; }

    int count() const
    {
        sortNewChildren();
        return static_cast<int>(m_controls.size());
    }

    QWidget *at(int index) const
    {
        sortNewChildren();
        return index >= 0 && index < count() ? m_controls[static_cast<size_t>(index)].widget : nullptr;
    }

    int indexOf(const QObject *control) const
    {
        sortNewChildren();
        return m_index.value(control, -1);
    }

private:
    struct Control
    {
        QWidget *widget;
        size_t child; // its place in m_children
    };

    // What Qt leaves out of any widget's children, and the edge.
    bool isControl(const QWidget *child) const
    {
        return child != m_edge && !child->isWindow() && !qobject_cast<const QFocusFrame *>(child)
            && !qobject_cast<const QMenu *>(child);
    }

    void sortNewChildren() const
    {
        for (; m_sorted < m_children.size(); ++m_sorted) {
            QWidget *child = m_children[m_sorted];
            if (isControl(child)) {
                m_index.insert(child, static_cast<int>(m_controls.size()));
                m_controls.push_back(Control{child, m_sorted});
            }
        }
    }

    // The children from `at` on are sorted again when next asked for.
    void forgetFrom(size_t at)
    {
        m_sorted = qMin(m_sorted, at);
        while (!m_controls.empty() && m_controls.back().child >= at) {
            m_index.remove(m_controls.back().widget);
            m_controls.pop_back();
        }
    }

    std::vector<QWidget *> m_children;
    const QWidget *m_edge = nullptr;
    mutable size_t m_sorted = 0;
    mutable std::vector<Control> m_controls;
    mutable QHash<const QObject *, int> m_index;
};

namespace {

// A group's children as a screen reader is shown them. While the frame is
// being destroyed, what Qt finds of any widget.
class AccessibleFrameBox : public QAccessibleWidget
{
public:
    explicit AccessibleFrameBox(FrameBox *frame)
        : QAccessibleWidget(frame, QAccessible::Grouping)
        , m_controls(frame->controls())
    {
    }

    int childCount() const override
    {
        const auto controls = m_controls.lock();
        return controls ? controls->count() : QAccessibleWidget::childCount();
    }

    QAccessibleInterface *child(int index) const override
    {
        const auto controls = m_controls.lock();
        if (!controls)
            return QAccessibleWidget::child(index);
        QWidget *control = controls->at(index);
        return control ? QAccessible::queryAccessibleInterface(control) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto controls = m_controls.lock();
        if (!controls)
            return QAccessibleWidget::indexOfChild(child);
        return child ? controls->indexOf(child->object()) : -1;
    }

private:
    std::weak_ptr<const FrameControls> m_controls;
};

QAccessibleInterface *accessibleFrameBox(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("FrameBox"))
        return new AccessibleFrameBox(static_cast<FrameBox *>(widget));
    // Reached only by its own events, never through its frame: a plain
    // widget, not a window.
    if (className == QLatin1String("QFrame") && dynamic_cast<FrameEdge *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Client);
    return nullptr;
}

} // namespace

FrameBox::FrameBox(QWidget *parent)
    : QFrame(parent)
    , m_controls(std::make_shared<FrameControls>())
{
    static const bool accessible = (QAccessible::installFactory(accessibleFrameBox), true);
    Q_UNUSED(accessible);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

FrameBox::~FrameBox() = default;

void FrameBox::keepBorderOnTop()
{
    if (m_edge)
        return;
    m_edge = new FrameEdge(this);
    m_controls->setEdge(m_edge);
    m_controls->resort();
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

void FrameBox::childEvent(QChildEvent *event)
{
    QFrame::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        m_controls->added(static_cast<QWidget *>(event->child()));
    else if (event->removed())
        m_controls->removed(event->child());
}
