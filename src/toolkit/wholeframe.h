// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QRectF>
#include <QWidget>

#include <cmath>

// A scroll area (list box, text box) whose frame stays whole at fractional
// scales. There a viewport edge can fall inside a device pixel; Qt then
// gives that pixel to the viewport, which paints its background over the
// frame line beneath, and at 150% the bottom line of a list disappears.
// After the viewport has painted, the frame is painted again, only in such
// shared pixels, so the frame looks as the style draws it and the viewport
// keeps every pixel it owns outright. No widget is added: a screen reader
// sees the control as before.
template <typename Area>
class WholeFrame : public Area
{
public:
    using Area::Area;

protected:
    bool event(QEvent *event) override
    {
        const bool handled = Area::event(event);
        if (event->type() == QEvent::Paint)
            redrawCutEdges();
        return handled;
    }

    void paintEvent(QPaintEvent *event) override
    {
        Area::paintEvent(event);
        QWidget *viewport = this->viewport();
        const qreal ratio = viewport->devicePixelRatioF();
        // Device pixels are counted from the window's corner.
        const QPointF corner = QPointF(viewport->mapTo(viewport->window(), QPoint(0, 0)));
        const QRectF exact(corner * ratio, QSizeF(viewport->size()) * ratio);
        const QRectF touched(QPointF(std::floor(exact.left()), std::floor(exact.top())),
                             QPointF(std::ceil(exact.right()), std::ceil(exact.bottom())));
        const QRectF owned(QPointF(std::ceil(exact.left()), std::ceil(exact.top())),
                           QPointF(std::floor(exact.right()), std::floor(exact.bottom())));
        if (touched == owned)
            return;
        QPainterPath shared;
        shared.addRect(touched);
        QPainterPath inside;
        inside.addRect(owned);
        QPainter painter(viewport);
        // The clip in device pixels of the window, then the frame in the
        // area's own coordinates.
        painter.scale(1 / ratio, 1 / ratio);
        painter.translate(-corner * ratio);
        painter.setClipPath(shared.subtracted(inside));
        painter.resetTransform();
        painter.translate(-viewport->pos());
        this->drawFrame(&painter);
    }

private:
    // The box's own top or left edge can also fall inside a device pixel;
    // that pixel is left to what lies beneath, and the frame's line, drawn
    // there, is lost (at 150% with a 14 pt font, the top line of every box).
    // The frame is drawn again moved onto the first device row and column
    // that are wholly the box's, only there.
    void redrawCutEdges()
    {
        const qreal ratio = this->devicePixelRatioF();
        const QPointF corner = QPointF(this->mapTo(this->window(), QPoint(0, 0))) * ratio;
        const qreal cutX = std::ceil(corner.x()) - corner.x();
        const qreal cutY = std::ceil(corner.y()) - corner.y();
        if (cutX == 0 && cutY == 0)
            return;
        QPainterPath edges;
        if (cutY != 0)
            edges.addRect(QRectF(0, cutY / ratio, this->width(), 1 / ratio));
        if (cutX != 0)
            edges.addRect(QRectF(cutX / ratio, 0, 1 / ratio, this->height()));
        QPainter painter(this);
        painter.setClipPath(edges);
        painter.translate(cutX / ratio, cutY / ratio);
        this->drawFrame(&painter);
    }
};
