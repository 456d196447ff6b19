#include "settings/settingsfile.h"

#include "settings/profilefile.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString section = QStringLiteral("Defaults");
const QString key = QStringLiteral("FilesDir");

} // namespace

namespace Settings {

QString filePath()
{
    // The generic config location is $XDG_CONFIG_HOME, or ~/.config when it
    // is unset or empty; it is looked up afresh on every call.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Kelvane.INI");
}

QString readStoredFolder(const QString &iniPath)
{
    return ProfileFile(iniPath).readString(section, key);
}

void writeStoredFolder(const QString &folderPath, const QString &iniPath)
{
    ProfileFile(iniPath).writeString(section, key, folderPath + QLatin1Char('/'));
}

} // namespace Settings
