// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/processfolders.h"

#include <QDir>

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

} // namespace Toolkit
