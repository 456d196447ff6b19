// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/processfolders.h"
#include "toolkit/systempath_win.h"

#include <QDir>

#include <shlobj.h>

namespace Toolkit {

QString currentFolder()
{
    return QDir::currentPath();
}

QString folderFromEnvironment(const char *variable)
{
    const QString folder = QDir::fromNativeSeparators(qEnvironmentVariable(variable));
    return QDir::isAbsolutePath(folder) ? folder : QString();
}

QString knownFolder(const char *variable, REFKNOWNFOLDERID id)
{
    const QString fromEnvironment = folderFromEnvironment(variable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    PWSTR folder = nullptr;
    QString result;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &folder)))
        result = QDir::fromNativeSeparators(QString::fromWCharArray(folder));
    ::CoTaskMemFree(folder);
    return result;
}

} // namespace Toolkit
