// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/processfolders.h"

#include "toolkit/folderlisting.h"

#include <climits>

#include <unistd.h>

namespace Toolkit {

QString currentFolder()
{
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return QString();
    return textOfName(buffer);
}

QString folderFromEnvironment(const char *variable)
{
    const QString folder = textOfName(qgetenv(variable));
    return folder.startsWith(QLatin1Char('/')) ? folder : QString();
}

} // namespace Toolkit
