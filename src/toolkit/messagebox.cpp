#include "toolkit/messagebox.h"

#include <QMessageBox>

namespace Toolkit {
namespace {

void showDialog(const QString &text, MessageStyle style, const QString &title, QWidget *parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setIcon(style == MessageStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.exec();
}

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
