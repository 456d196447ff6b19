#pragma once

#include "app/toolkit/messagebox.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Takes the place of the message box while it lives and records every
// message instead of showing it.
class MessageRecorder
{
public:
    struct Message
    {
        QString text;
        MessageStyle style;
        QString title;
    };

    MessageRecorder();
    ~MessageRecorder();

    QList<Message> messages;

private:
    Toolkit::MessageHandler m_previous;
};

// Whole contents of a file, or a null array when it cannot be read.
QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &bytes);
