// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/durablefile_p.h"

#include "toolkit/systempath_win.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace Toolkit::Durable {
namespace {

const QString prefix = QStringLiteral(".kelvane-");
constexpr int suffixLength = 6;

HANDLE toHandle(Handle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

int lastError()
{
    const DWORD code = ::GetLastError();
    return code ? int(code) : int(ERROR_GEN_FAILURE);
}

bool isLeftoverName(const QString &name)
{
    if (name.size() != prefix.size() + suffixLength || !name.startsWith(prefix))
        return false;
    for (const QChar c : QStringView(name).sliced(prefix.size())) {
        if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
              || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}

int seekTo(Handle handle, qint64 offset)
{
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return ::SetFilePointerEx(toHandle(handle), to, nullptr, FILE_BEGIN) ? 0 : lastError();
}

} // namespace

Opened createTemporary(const QString &folder, bool)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    Opened opened;
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = folder + QLatin1Char('/') + prefix;
        for (int i = 0; i < suffixLength; ++i)
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
        // Hidden while it is written, and shared with nobody: a removal of
        // leftovers cannot delete a file that a live writer holds. The
        // file takes the folder's access rules, as any file saved there.
        HANDLE handle = ::CreateFileW(systemPath(name).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            opened.error = lastError();
            if (opened.error == ERROR_FILE_EXISTS || opened.error == ERROR_ALREADY_EXISTS)
                continue;
            return opened;
        }
        opened.handle = reinterpret_cast<Handle>(handle);
        opened.path = name;
        opened.error = 0;
        return opened;
    }
    return opened;
}

Opened openExisting(const QString &path)
{
    Opened opened;
    HANDLE handle = ::CreateFileW(systemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        opened.error = lastError();
    else
        opened.handle = reinterpret_cast<Handle>(handle);
    opened.path = path;
    return opened;
}

int writeAt(Handle handle, qint64 offset, const QByteArray &bytes)
{
    if (const int error = seekTo(handle, offset))
        return error;
    qint64 written = 0;
    while (written < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk = DWORD(qMin<qint64>(bytes.size() - written, 1 << 30));
        if (!::WriteFile(toHandle(handle), bytes.constData() + written, chunk, &n, nullptr))
            return lastError();
        if (n == 0)
            return ERROR_DISK_FULL;
        written += n;
    }
    return 0;
}

int readAll(Handle handle, QByteArray *bytes)
{
    bytes->clear();
    if (const int error = seekTo(handle, 0))
        return error;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(toHandle(handle), buffer, sizeof buffer, &n, nullptr))
            return lastError();
        if (n == 0)
            return 0;
        bytes->append(buffer, qsizetype(n));
    }
}

int truncate(Handle handle, qint64 size)
{
    if (const int error = seekTo(handle, size))
        return error;
    return ::SetEndOfFile(toHandle(handle)) ? 0 : lastError();
}

int sync(Handle handle)
{
    return ::FlushFileBuffers(toHandle(handle)) ? 0 : lastError();
}

int close(Handle handle)
{
    // The replacement must not stay hidden: the attribute goes before the
    // file takes the target's name.
    FILE_BASIC_INFO basic {};
    if (::GetFileInformationByHandleEx(toHandle(handle), FileBasicInfo, &basic, sizeof basic)
        && (basic.FileAttributes & FILE_ATTRIBUTE_HIDDEN)) {
        basic.FileAttributes &= ~DWORD(FILE_ATTRIBUTE_HIDDEN);
        if (basic.FileAttributes == 0)
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(toHandle(handle), FileBasicInfo, &basic, sizeof basic);
    }
    return ::CloseHandle(toHandle(handle)) ? 0 : lastError();
}

int rename(const QString &from, const QString &to)
{
    return ::MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        ? 0 : lastError();
}

void remove(const QString &path)
{
    ::DeleteFileW(systemPath(path).c_str());
}

// A Windows file has no permission bits; the new file takes the folder's
// access rules, as any file saved there would.
int keepAttributes(Handle, const ReplacedFile &)
{
    return 0;
}

QString resolvedTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.symLinkTarget();
    return target.isEmpty() ? path : target;
}

void removeLeftovers(const QString &folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileExW(systemPath(folder + QStringLiteral("/.kelvane-*")).c_str(), FindExInfoBasic,
                                       &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        // A file a live writer holds cannot be deleted: it shares nothing.
        if (isLeftoverName(name) && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileW(systemPath(folder + QLatin1Char('/') + name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

QString errorText(int code)
{
    // Windows' own code: qt_error_string reads its argument as one here.
    return qt_error_string(code);
}

} // namespace Toolkit::Durable
