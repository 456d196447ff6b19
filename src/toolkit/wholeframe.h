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
};
