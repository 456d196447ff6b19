// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class frmMain;

// What a screen reader and a keyboard user need of the window beyond its
// captions: a name for every control that takes the focus, the labels tied
// to their boxes, and a visible focus on every control.
namespace Access {

void nameControls(frmMain &form);

// The board's accessible description after a refresh.
QString pictureCount(int count);

// Tells the screen reader of a change that the focus does not show: the
// message, then the detail.
void announce(frmMain &form, const QString &message, const QString &detail = QString());

} // namespace Access
