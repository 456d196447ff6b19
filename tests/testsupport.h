// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/messagebox.h"
#include "toolkit/scopedoverride.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QListWidget;

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
        bool busyPointer; // the wait cursor was on while it was shown
    };

    MessageRecorder();

    QList<Message> messages;

private:
    const Toolkit::ScopedOverride<Toolkit::MessageHandler> m_handler;
};

// ---- What differs between the systems, in testsupport_posix.cpp and
// testsupport_win.cpp ----

// The system the tests run on. A test of one system's own behaviour skips
// on the other; where only the rows differ, each system's rows are a
// function of their own and the _data() function adds them with
// addSystemRows().
extern const bool OnWindows;
void addSystemRows(void (*linuxRows)(), void (*windowsRows)());

// The most memory the process has held at once, in MB; -1 when unknown.
long peakMegabytes();
// Gives the file to the user nobody; false where that cannot be done: only
// the superuser may, and Windows has no such user.
bool giveToAnotherUser(const QString &path);

// The system's words for a file that is not there, as a message gives them.
QString noSuchFileReason();

// The environment variable that names the thumbnail cache's home on this
// system; setCacheHome() points it at a folder of the test's own.
extern const char *const CacheHomeVariable;
void setCacheHome(const QString &folder);

// Whole contents of a file, or a null array when it cannot be read.
QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &bytes);

// Each line followed by CR LF, as the page ends its lines.
QByteArray crlfLines(const QList<QByteArray> &lines);

// Selects exactly the items of `list` with these texts.
void selectNames(QListWidget *list, const QStringList &names);
