// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

// The two message-box styles the program uses; the values are the classic
// message-box style codes.
enum class MessageStyle {
    Plain = 0,        // OK button, no icon
    Exclamation = 48, // OK button, exclamation icon
};

namespace Toolkit {

// The caption of a message box that is given no title.
QString applicationTitle();

// Shows a modal message box and returns when the user has closed it.
// An empty title gives the application title as caption.
void showMessage(const QString &text, MessageStyle style = MessageStyle::Plain,
                 const QString &title = QString(), QWidget *parent = nullptr);

// Everything that shows a message goes through one function, so tests can
// put a recorder in its place and never block on a dialog.
using MessageHandler =
    std::function<void(const QString &text, MessageStyle style, const QString &title, QWidget *parent)>;

// Installs a handler in place of the real dialog and returns the one it
// replaces. An empty handler restores the real dialog.
MessageHandler setMessageHandler(MessageHandler handler);

} // namespace Toolkit
