// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

class QHelpEvent;
class QWidget;

// Tool tips that show their text as it was typed. QToolTip shows text that
// looks like HTML as rich text, so a description "Sunrise & <b>waves</b>"
// would show "waves" in bold and hide the tags, while the page gets the
// text as typed; and a folder's name is a name, not markup.
namespace Toolkit {

// The text that QToolTip shows exactly as `text` reads.
QString plainToolTip(const QString &text);

// Answers a tool-tip event of `widget` with `text` as typed, tied to `rect`
// of the widget (the whole widget when empty); no text hides the tip.
void showPlainToolTip(QHelpEvent *event, const QString &text, QWidget *widget, const QRect &rect = QRect());

} // namespace Toolkit
