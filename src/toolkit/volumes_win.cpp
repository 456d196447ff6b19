// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/volumes.h"

#include "toolkit/systempath_win.h"

#include <QDir>

#include <windows.h>

namespace Toolkit {

QStringList browsableVolumes()
{
    QStringList volumes;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (drives & (DWORD(1) << letter))
            volumes << QString(QLatin1Char(char('A' + letter))) + QStringLiteral(":/");
    }
    return volumes;
}

QString volumeText(const QString &root)
{
    return root.left(2).toLower();
}

QString volumeLabel(const QString &root)
{
    // No error box for a drive without a disk: it lists without a label.
    // The program turns such boxes off for the whole process at start; this
    // thread's own setting also covers callers that did not.
    DWORD oldMode = 0;
    const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
    wchar_t label[MAX_PATH + 1] = {};
    const bool known = ::GetVolumeInformationW(wide(QDir::toNativeSeparators(root)), label, MAX_PATH + 1, nullptr,
                                               nullptr, nullptr, nullptr, 0);
    if (quiet)
        ::SetThreadErrorMode(oldMode, nullptr);
    return known ? QString::fromWCharArray(label) : QString();
}

QString volumeOf(const QString &folder, const QStringList &volumes)
{
    // Drive letters match without regard to case.
    for (const QString &root : volumes) {
        if (folder.startsWith(root, Qt::CaseInsensitive) || folder.compare(root.left(2), Qt::CaseInsensitive) == 0)
            return root;
    }
    return folder.left(3);
}

} // namespace Toolkit
