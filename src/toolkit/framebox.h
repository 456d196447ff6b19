// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPointer>

#include <memory>

class FrameControls;

// A frame without caption that holds other controls and clips them, in a
// one-pixel border. A screen reader reads it as a group of controls: Qt
// would give a plain QFrame the role of a top-level window, and a screen
// reader then takes the controls inside for part of a window that is not
// active, and keeps silent about them.
class FrameBox : public QFrame
{
    Q_OBJECT

public:
    explicit FrameBox(QWidget *parent = nullptr);
    ~FrameBox() override;

    // Children that cover the frame's edge hide its border; this draws the
    // border once more above the children there are now. The copy is
    // decoration and stays out of what a screen reader is shown.
    void keepBorderOnTop();

    // The controls a screen reader is shown as the group's children, kept
    // as children come and go, so that a board of a thousand pictures is
    // read in a thousand steps. The list ends with the frame, before Qt
    // deletes the children.
    std::weak_ptr<const FrameControls> controls() const { return m_controls; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    QPointer<QFrame> m_edge;
    std::shared_ptr<FrameControls> m_controls;
};
