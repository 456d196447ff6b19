// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include "settings/profilefile.h"
#include "toolkit/processfolders.h"
#include "toolkit/systempath_win.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

#include <windows.h>
#include <shlobj.h>

namespace {

using Toolkit::wide;

const wchar_t section[] = L"Defaults";
const wchar_t key[] = L"FilesDir";
// The longest path Windows takes, and the separator stored after it.
constexpr DWORD longestStoredPath = 32768;
// What a value too long to be a path is cut to, as on other systems.
constexpr int cutLength = 254;

QString readKey(const wchar_t *file)
{
    // A value that does not fit comes back cut to the buffer less its zero;
    // the buffer grows until it fits, or the value is too long for a path.
    std::vector<wchar_t> buffer;
    DWORD length = 0;
    for (DWORD size = 256;; size *= 2) {
        buffer.assign(size, L'\0');
        length = ::GetPrivateProfileStringW(section, key, L"", buffer.data(), size, file);
        if (length + 1 < size || size > longestStoredPath)
            break;
    }
    QString value = QString::fromWCharArray(buffer.data(), int(length));
    if (value.size() > int(longestStoredPath)) {
        int kept = cutLength;
        // Never keep half of a surrogate pair.
        if (value.at(kept - 1).isHighSurrogate())
            --kept;
        value.truncate(kept);
    }
    return value;
}

QString roamingAppData()
{
    return Toolkit::knownFolder("APPDATA", FOLDERID_RoamingAppData);
}

// The profile functions create a missing file in the ANSI code page, where
// a Greek or Japanese folder name would be lost. A file that starts with a
// UTF-16 byte-order mark is read and written as UTF-16.
bool makeUnicodeFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const char bom[] = {'\xFF', '\xFE'};
    return file.write(bom, sizeof bom) == sizeof bom && file.flush();
}

} // namespace

namespace Settings {

QString filePath()
{
    // The Windows folder, where the bare name would put the file, is not
    // writable for a standard user; the user's roaming folder is.
    const QString folder = roamingAppData();
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(QStringLiteral("Kelvane.INI"));
}

QString legacyFilePath()
{
    // The folder the profile functions use for a file named without one.
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return QString();
    return QDir(QDir::fromNativeSeparators(QString::fromWCharArray(folder, int(length))))
        .filePath(QStringLiteral("Kelvane.INI"));
}

QString readStoredFolder(const QString &iniPath, const QString &legacyPath)
{
    for (const QString &path : {iniPath, legacyPath}) {
        if (path.isEmpty() || path.contains(QChar(0)) || ProfileFile::refuseTooLarge(path))
            continue;
        const QString folder = readKey(wide(QDir::toNativeSeparators(path)));
        if (!folder.isEmpty())
            return folder;
    }
    return QString();
}

void writeStoredFolder(const QString &folderPath, const QString &iniPath)
{
    // An empty box would store "\", a folder the user never chose.
    if (folderPath.isEmpty() || iniPath.isEmpty() || iniPath.contains(QChar(0))
        || QFileInfo(iniPath).size() > ProfileFile::largestFile)
        return;
    if (!makeUnicodeFile(iniPath))
        return;
    // "C:/" gives "C:\\", as a drive root always was stored.
    const QString value = QDir::toNativeSeparators(folderPath + QLatin1Char('/'));
    ::WritePrivateProfileStringW(section, key, wide(value), wide(QDir::toNativeSeparators(iniPath)));
}

} // namespace Settings
