// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QListWidget>

MessageRecorder::MessageRecorder()
    : m_handler(Toolkit::setMessageHandler,
                [this](const QString &text, MessageStyle style, const QString &title, QWidget *) {
                    // Without a GUI application there is no pointer to ask about.
                    const bool gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
                    messages.append({text, style, title, gui && QGuiApplication::overrideCursor() != nullptr});
                })
{
}

void addSystemRows(void (*linuxRows)(), void (*windowsRows)())
{
    (OnWindows ? windowsRows : linuxRows)();
}

void setCacheHome(const QString &folder)
{
    qputenv(CacheHomeVariable, QFile::encodeName(folder));
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes = file.readAll();
    if (bytes.isNull())
        bytes = QByteArray("");
    return bytes;
}

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray crlfLines(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

void selectNames(QListWidget *list, const QStringList &names)
{
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i) {
        if (names.contains(list->item(i)->text()))
            list->item(i)->setSelected(true);
    }
}
