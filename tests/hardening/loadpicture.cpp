// SPDX-License-Identifier: GPL-3.0-or-later
// Shows one file in the preview and then on the board, and prints every
// message the window gave, one a line ("\n" for line breaks), then "done".
// The test runs it under a memory limit and a timeout.
//
//   hardening_loadpicture FOLDER NAME

#include "app/frmmain.h"
#include "toolkit/sortedlistbox.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    MessageRecorder recorder;
    {
        frmMain form;
        Settings::writeStoredFolder(args.at(1));
        form.Form_Load();
        form.optFilter[0]->click();
        const QList<QListWidgetItem *> found = form.List1->findItems(args.at(2), Qt::MatchExactly);
        if (found.isEmpty())
            return 3;
        form.List1->setCurrentItem(found.first());
        form.List1_Click();
        while (form.previewPending())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        form.List1->selectAll();
        form.cmdAdd->click();
        form.cmdRefresh->click();
    }
    QTextStream out(stdout);
    for (MessageRecorder::Message message : recorder.messages)
        out << message.text.replace(QLatin1Char('\n'), QStringLiteral("\\n")) << Qt::endl;
    out << "done" << Qt::endl;
    return 0;
}
