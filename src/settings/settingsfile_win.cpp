// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include "toolkit/folderlisting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>
#include <shlobj.h>

namespace {

const wchar_t section[] = L"Defaults";
const wchar_t key[] = L"FilesDir";
// Named without a folder, the profile functions use the Windows folder.
const wchar_t legacyFile[] = L"Kelvane.INI";
// 254 characters and the terminating zero, as the value was always read.
constexpr DWORD bufferSize = 255;

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

QString readKey(const wchar_t *file)
{
    wchar_t buffer[bufferSize] = {};
    const DWORD length = ::GetPrivateProfileStringW(section, key, L"", buffer, bufferSize, file);
    return QString::fromWCharArray(buffer, int(qMin(length, bufferSize - 1)));
}

QString roamingAppData()
{
    const QString fromEnvironment = Toolkit::folderFromEnvironment("APPDATA");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    PWSTR folder = nullptr;
    QString result;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)))
        result = QDir::fromNativeSeparators(QString::fromWCharArray(folder));
    ::CoTaskMemFree(folder);
    return result;
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

QString readStoredFolder(const QString &iniPath)
{
    if (!iniPath.isEmpty() && !iniPath.contains(QChar(0))) {
        const QString folder = readKey(wide(QDir::toNativeSeparators(iniPath)));
        if (!folder.isEmpty())
            return folder;
    }
    return readKey(legacyFile);
}

void writeStoredFolder(const QString &folderPath, const QString &iniPath)
{
    // An empty box would store "\", a folder the user never chose.
    if (folderPath.isEmpty() || iniPath.isEmpty() || iniPath.contains(QChar(0)))
        return;
    if (!makeUnicodeFile(iniPath))
        return;
    // "C:/" gives "C:\\", as a drive root always was stored.
    const QString value = QDir::toNativeSeparators(folderPath + QLatin1Char('/'));
    ::WritePrivateProfileStringW(section, key, wide(value), wide(QDir::toNativeSeparators(iniPath)));
}

} // namespace Settings
