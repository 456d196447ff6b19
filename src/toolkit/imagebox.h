// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPixmap>

// An image control: draws its picture stretched to fill the box inside a
// one-pixel border. A box whose picture could not be loaded shows a
// "cannot show" placeholder instead, and stays clickable.
//
// The border and the picture are drawn on whole device pixels. At a
// fractional scale a box's edges fall inside device pixels; each edge is
// taken to the pixel Qt rounds the box's own area to, so that boxes side by
// side neither share a pixel nor leave one between them, and every border
// is the same whole number of device pixels wide. A picture of the size
// devicePixelTarget() gives for the box where it lies is then copied pixel
// for pixel.
class ImageBox : public QFrame
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    // Shows the placeholder; `reason` is the box's accessible description
    // and begins its tool tip, so it can be found again later.
    void setFailure(const QString &reason);
    bool hasFailure() const { return m_failed; }
    QString failure() const { return m_failure; }
    // What the tool tip shows: the reason a picture cannot be shown, if it
    // cannot, then the description the tool tip holds.
    QString shownToolTip() const;

    // The box's name for a screen reader. A box not shown yet is new to
    // every screen reader, which learns its name with it; none is told of
    // the change, so that a board of a thousand new boxes does not flood
    // them with changes ahead of what they have to say.
    void setName(const QString &name);

    // The size the picture is drawn at, in device pixels: the size worth
    // decoding a picture to. At a fractional scale it depends on where the
    // box lies in its window, by a pixel.
    QSize devicePixelTarget() const;
    // The size for the box moved to `place` in its parent.
    QSize devicePixelTarget(const QPoint &place) const;
    // The picture is drawn pixel for pixel in one direction, stretched only
    // in the other, as one decoded for the box where it lies is; or it is
    // smaller than the box, and no decode would give more. True without a
    // picture.
    bool pictureFits() const;

Q_SIGNALS:
    // A left-button press and release both over the box, as a click is
    // everywhere on the desktop; a press dragged off the box is none.
    void clicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void redraw();
    // The device pixels the picture covers, where `toDevice` maps the box's
    // pixels to the device's, and the border's width around it.
    QRect devicePictureRect(const QTransform &toDevice) const;
    int deviceLineWidth(qreal ratio) const;

    QPixmap m_picture;
    bool m_failed = false;
    bool m_pressed = false;
    QString m_failure;
};
