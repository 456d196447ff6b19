// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/plaintooltip.h"

#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace Toolkit {

QString plainToolTip(const QString &text)
{
    // Text that does not look like markup is shown as it is already.
    if (!Qt::mightBeRichText(text))
        return text;
    // Escaped, with its spaces and line breaks kept, and wrapped as a long
    // tip is.
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

void showPlainToolTip(QHelpEvent *event, const QString &text, QWidget *widget, const QRect &rect)
{
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    QToolTip::showText(event->globalPos(), plainToolTip(text), widget, rect, widget->toolTipDuration());
}

} // namespace Toolkit
