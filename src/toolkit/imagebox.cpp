// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/imagebox.h"

#include "toolkit/plaintooltip.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The device pixels a box covers: each edge at the pixel boundary nearest
// to it, as Qt rounds a widget's area when it paints it.
QRect deviceRect(const QRectF &box, const QTransform &toDevice)
{
    const QPoint topLeft = toDevice.map(box.topLeft()).toPoint();
    const QPoint bottomRight = toDevice.map(box.bottomRight()).toPoint();
    return QRect(topLeft, bottomRight - QPoint(1, 1));
}

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
    return devicePixelTarget(isWindow() ? QPoint() : pos());
}

QSize ImageBox::devicePixelTarget(const QPoint &place) const
{
    // A window's pixels begin on a device pixel; what lies inside it is
    // rounded from there.
    const QWidget *parent = isWindow() ? nullptr : parentWidget();
    const QPoint inWindow = parent ? parent->mapTo(window(), place) : QPoint();
    const qreal ratio = devicePixelRatioF();
    const QTransform toDevice = QTransform::fromTranslate(inWindow.x(), inWindow.y()) * QTransform::fromScale(ratio, ratio);
    return devicePictureRect(toDevice).size();
}

bool ImageBox::pictureFits() const
{
    const QSize size = m_picture.size();
    const QSize target = devicePixelTarget();
    if (m_picture.isNull() || size.width() < target.width() || size.height() < target.height())
        return true;
    return size.width() == target.width() || size.height() == target.height();
}

int ImageBox::deviceLineWidth(qreal ratio) const
{
    return frameWidth() > 0 ? qMax(1, qRound(frameWidth() * ratio)) : 0;
}

QRect ImageBox::devicePictureRect(const QTransform &toDevice) const
{
    const int line = deviceLineWidth(toDevice.m11());
    return deviceRect(QRectF(rect()), toDevice).adjusted(line, line, -line, -line);
}

void ImageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // From here on the painter draws in device pixels.
    const QTransform toDevice = painter.deviceTransform();
    painter.setWorldTransform(toDevice.inverted());
    const QRect bounds = deviceRect(QRectF(rect()), toDevice);
    const int line = deviceLineWidth(toDevice.m11());
    if (line > 0) {
        const QColor colour = palette().color(QPalette::WindowText);
        painter.fillRect(QRect(bounds.left(), bounds.top(), bounds.width(), line), colour);
        painter.fillRect(QRect(bounds.left(), bounds.bottom() - line + 1, bounds.width(), line), colour);
        painter.fillRect(QRect(bounds.left(), bounds.top(), line, bounds.height()), colour);
        painter.fillRect(QRect(bounds.right() - line + 1, bounds.top(), line, bounds.height()), colour);
    }
    const QRect inside = bounds.adjusted(line, line, -line, -line);
    if (!m_picture.isNull()) {
        // One of the picture's sides is the box's when it was decoded for
        // this place; the other is stretched to the box.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(inside, m_picture);
    } else if (m_failed) {
        painter.fillRect(inside, palette().color(QPalette::AlternateBase));
        // The rest in the box's own pixels.
        painter.setWorldTransform(QTransform());
        const QRect area = contentsRect();
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
