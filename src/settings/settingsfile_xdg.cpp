// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include "settings/profilefile.h"
#include "toolkit/folderlisting.h"
#include "toolkit/processfolders.h"

#include <climits>

namespace {

const QString section = QStringLiteral("Defaults");
const QString key = QStringLiteral("FilesDir");

// A stored value longer than a path can be (a folder at the path limit
// plus its separator) is cut to what a short buffer would have held.
constexpr qsizetype longestStoredPath = PATH_MAX;
constexpr qsizetype cutLength = 254;

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

namespace Settings {

QString filePath()
{
    // Looked up afresh on every call. Relative folders are ignored, as the
    // XDG rules say: they would name a folder below wherever the process
    // happens to be.
    const QString configHome = Toolkit::folderFromEnvironment("XDG_CONFIG_HOME");
    if (!configHome.isEmpty())
        return joined(configHome, QStringLiteral("Kelvane.INI"));
    const QString home = Toolkit::folderFromEnvironment("HOME");
    if (home.isEmpty())
        return QString();
    return joined(home, QStringLiteral(".config/Kelvane.INI"));
}

QString legacyFilePath()
{
    return QString();
}

QString readStoredFolder(const QString &iniPath, const QString &)
{
    if (iniPath.isEmpty())
        return QString();
    if (ProfileFile::refuseTooLarge(iniPath))
        return QString();
    const QByteArray value = ProfileFile(iniPath).readValue(section, key);
    QString folder = Toolkit::textOfName(value);
    if (value.size() > longestStoredPath && folder.size() > cutLength) {
        qsizetype length = cutLength;
        // Never keep half of a surrogate pair.
        if (folder.at(length - 1).isHighSurrogate())
            --length;
        folder.truncate(length);
    }
    return folder;
}

void writeStoredFolder(const QString &folderPath, const QString &iniPath)
{
    // An empty box would store "/", a folder the user never chose.
    if (folderPath.isEmpty() || iniPath.isEmpty())
        return;
    // ProfileFile leaves a file that is too large as it is.
    ProfileFile(iniPath).writeString(section, key, folderPath + QLatin1Char('/'));
}

} // namespace Settings
