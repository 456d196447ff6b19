// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/messagebox.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

#include <vector>

namespace Toolkit {
namespace {

void showDialog(const QString &text, MessageStyle style, const QString &title, QWidget *parent)
{
    // The box belongs to the window, not to the control that asked, so that
    // the window system keeps it above the window and centres it there.
    QWidget *owner = parent ? parent->window() : QApplication::activeWindow();
    QMessageBox box(owner);
    // A dialog's decoration: a title and a close button, nothing to minimise
    // or maximise (client-side decorations show only what is asked for).
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setIcon(style == MessageStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.exec();
}

// Lifts every busy pointer for as long as a message waits for the user,
// including those of operations that the one showing it interrupted.
class NormalPointer
{
public:
    NormalPointer()
    {
        while (const QCursor *cursor = QGuiApplication::overrideCursor()) {
            m_lifted.push_back(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~NormalPointer()
    {
        for (auto it = m_lifted.rbegin(); it != m_lifted.rend(); ++it)
            QGuiApplication::setOverrideCursor(*it);
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    std::vector<QCursor> m_lifted;
};

MessageHandler &currentHandler()
{
    static MessageHandler handler;
    return handler;
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Kelvane");
}

void showMessage(const QString &text, MessageStyle style, const QString &title, QWidget *parent)
{
    const QString caption = title.isEmpty() ? applicationTitle() : title;
    const NormalPointer pointer;
    if (const MessageHandler &handler = currentHandler())
        handler(text, style, caption, parent);
    else
        showDialog(text, style, caption, parent);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

} // namespace Toolkit
