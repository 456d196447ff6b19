// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the window on the folder its command line names, taking the
// arguments as the program does, and prints in UTF-8 the folder the window
// shows, then the names of the file list, one a line, then every message.
//
//   selection_folderargument FOLDER

#include "app/frmmain.h"
#include "app/commandline.h"
#include "toolkit/folderbox.h"
#include "toolkit/sortedlistbox.h"
#include "testsupport.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList notUtf8;
    const QStringList arguments = Platform::commandLine(argc, argv, &notUtf8);
    QApplication app(argc, argv);
    if (arguments.size() != 2)
        return 2;
    MessageRecorder recorder;
    QByteArray out;
    {
        frmMain form;
        const QString folder = arguments.at(1);
        form.Form_Load(folder, notUtf8.contains(folder) ? frmMain::RequestedName::NotUtf8
                                                        : frmMain::RequestedName::Text);
        QCoreApplication::processEvents();
        out += form.Dir1->path().toUtf8() + '\n';
        for (const QString &name : form.List1->names())
            out += name.toUtf8() + '\n';
    }
    for (const MessageRecorder::Message &message : recorder.messages)
        out += "message: " + QString(message.text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
