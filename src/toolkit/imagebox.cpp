// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/imagebox.h"

#include "toolkit/plaintooltip.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// A screen reader reads an image box as a picture, not as a frame.
QAccessibleInterface *accessibleImageBox(const QString &className, QObject *object)
{
    if (className == QLatin1String("ImageBox") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

ImageBox::ImageBox(QWidget *parent)
    : QFrame(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleImageBox), true);
    Q_UNUSED(accessible);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

bool ImageBox::event(QEvent *event)
{
    // The tool tip is the picture's description, shown as typed.
    if (event->type() == QEvent::ToolTip) {
        Toolkit::showPlainToolTip(static_cast<QHelpEvent *>(event), shownToolTip(), this);
        return true;
    }
    return QFrame::event(event);
}

void ImageBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_failed)
        setAccessibleDescription(QString());
    m_failed = false;
    m_failure.clear();
    redraw();
}

void ImageBox::setFailure(const QString &reason)
{
    m_picture = QPixmap();
    m_failed = true;
    m_failure = reason;
    setAccessibleDescription(tr("Cannot show: %1").arg(reason));
    redraw();
}

QString ImageBox::shownToolTip() const
{
    if (!m_failed)
        return toolTip();
    const QString reason = tr("Cannot show: %1").arg(m_failure);
    return toolTip().isEmpty() ? reason : reason + QLatin1String("\n\n") + toolTip();
}

void ImageBox::redraw()
{
    // Qt finds each widget it repaints among its siblings one by one: on a
    // board of thousands of boxes, a few dozen boxes drawn anew after a
    // scroll cost a tenth of a second in that search alone. The parent
    // repaints the box's area instead, and paints its children in one pass.
    if (!isVisible())
        return;
    if (QWidget *parent = parentWidget(); parent && !isWindow())
        parent->update(geometry());
    else
        update();
}

void ImageBox::setName(const QString &name)
{
    if (isVisible()) {
        setAccessibleName(name);
        return;
    }
    // Qt tells of every change of name; for as long as it is set, a handler
    // that passes nothing on stands in for the screen readers.
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler([](QAccessibleEvent *) {});
    setAccessibleName(name);
    QAccessible::installUpdateHandler(previous);
}

QSize ImageBox::devicePixelTarget() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size();
    return QSize(static_cast<int>(std::ceil(size.width() * ratio)),
                 static_cast<int>(std::ceil(size.height() * ratio)));
}

void ImageBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    if (!m_picture.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(area, m_picture);
    } else if (m_failed) {
        painter.fillRect(area, palette().color(QPalette::AlternateBase));
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
        painter.drawLine(area.topLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomLeft());
        painter.setPen(palette().color(QPalette::WindowText));
        QRect label = area.adjusted(4, 4, -4, -4);
        painter.fillRect(QRect(label.left(), area.center().y() - 9, label.width(), 18),
                         palette().color(QPalette::Base));
        painter.drawText(label, Qt::AlignCenter | Qt::TextWordWrap, tr("Cannot show"));
    }
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    // Taken here, so the release comes back to this box wherever it ends.
    m_pressed = true;
    event->accept();
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    event->accept();
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
