// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/replacedfile.h"

#include "toolkit/systempath_win.h"

namespace Toolkit {

ReplacedFile replacedFile(const QString &path)
{
    ReplacedFile replaced;
    // Opened for its attributes only, through links, whoever else has it open.
    const std::wstring name = systemPath(path);
    HANDLE handle = name.empty() ? INVALID_HANDLE_VALUE
        : ::CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return replaced;
    BY_HANDLE_FILE_INFORMATION info {};
    replaced.exists = ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info)
        && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    replaced.readOnly = replaced.exists && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    ::CloseHandle(handle);
    return replaced;
}

// A colon after the drive names a stream of another file ("Trip:x.html" one
// of "Trip"), where nobody would find the page: the name is refused with the
// words the system has for a name that no file may carry.
QString nameProblem(const QString &path)
{
    const qsizetype separator = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (path.indexOf(QLatin1Char(':'), qMax(separator + 1, qsizetype(2))) >= 0)
        return qt_error_string(ERROR_INVALID_NAME);
    return QString();
}

bool writableInPlace(const QString &path)
{
    const std::wstring name = systemPath(path);
    HANDLE handle = name.empty() ? INVALID_HANDLE_VALUE
        : ::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

// A Windows file has no permission bits; the new file takes the folder's
// access rules, as any file saved there would.
QString readOnlyReason()
{
    // Windows' own code: qt_error_string reads its argument as one here.
    return qt_error_string(ERROR_ACCESS_DENIED);
}

} // namespace Toolkit
