// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// Tells a screen reader of a change that moves no focus: the number of
// pictures a refresh placed, or the picture that the description box now
// describes while it keeps the focus. Screen readers present a change of
// name or text only in some cases (Orca 43 not for a focused text box, and
// not from Qt 6.4, whose name-change events carry no name); a notification
// that appears they always read, so the announcer is an invisible widget
// with the role of a notification, which "appears" once for every message.
// It shows nothing on the screen and takes no focus.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    // The message is read first, then the detail, if any.
    void announce(const QString &message, const QString &detail = QString());

Q_SIGNALS:
    void announced(const QString &message, const QString &detail);
};

// While it lives, what a text box reports of its own text changing (text
// inserted, removed or replaced, the caret moved) does not reach the screen
// reader: for a change that an announcement then tells whole, so that the
// new text is read once, after the message, and an emptied box is not read
// out as "blank" first.
class QuietText
{
public:
    explicit QuietText(QObject *textBox);
    ~QuietText();
    QuietText(const QuietText &) = delete;
    QuietText &operator=(const QuietText &) = delete;
};
