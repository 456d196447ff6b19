// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFocusFrame>
#include <QList>
#include <QPointer>

// A ring in the highlight colour just outside whichever of the given
// controls has the focus. Some styles show no focus at all on an empty list,
// on a text box without text or on a scroll bar; the ring shows it on every
// control alike. It ignores the mouse and takes no focus; as a focus frame
// it stays out of what a screen reader is shown. A control that lies wholly
// under another one gets no ring.
class FocusRing : public QFocusFrame
{
    Q_OBJECT

public:
    static constexpr int thickness = 2;

    FocusRing(const QList<QWidget *> &controls, QWidget *parent);

    // The control the ring is drawn around, or null while it is hidden.
    QWidget *target() const { return m_target; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QWidget *control);
    // Lays the ring around the target where it is now.
    void surround();

    QList<QPointer<QWidget>> m_controls;
    QPointer<QWidget> m_target;
};
