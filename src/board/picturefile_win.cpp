// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/picturefile.h"

#include "toolkit/systempath_win.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>

namespace {

// FILETIME counts 100-nanosecond ticks from 1601; stamps count from 1970.
constexpr qint64 ticksTo1970 = 116444736000000000LL;
constexpr qint64 ticksPerSecond = 10000000;

QString notRegular()
{
    return QCoreApplication::translate("PictureLoader", "not a regular file");
}

bool stampOfHandle(HANDLE handle, FileStamp *stamp)
{
    BY_HANDLE_FILE_INFORMATION info {};
    if (handle == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(handle, &info))
        return false;
    const qint64 ticks = qint64((quint64(info.ftLastWriteTime.dwHighDateTime) << 32)
                                | info.ftLastWriteTime.dwLowDateTime) - ticksTo1970;
    // Rounded down, also before 1970, so that the nanoseconds stay positive.
    qint64 seconds = ticks / ticksPerSecond;
    qint64 rest = ticks % ticksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += ticksPerSecond;
    }
    stamp->volume = info.dwVolumeSerialNumber;
    stamp->file = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp->size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    stamp->modifiedSeconds = seconds;
    stamp->modifiedNanoseconds = rest * 100;
    return true;
}

} // namespace

// Shared for writing and deleting too: a picture that another program has
// open, or is saving, is still read, as Explorer would show it.
QString openRegularFile(const QString &path, QFile &file)
{
    const std::wstring name = Toolkit::systemPath(path);
    if (name.empty())
        return qt_error_string(ERROR_INVALID_NAME);
    HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // A folder cannot be opened as a file at all; say what it is.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES
            && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return notRegular();
        return qt_error_string(int(code));
    }
    // Consoles, serial ports, pipes and the NUL device are no pictures, and
    // some of them would wait for input.
    FileStamp stamp;
    if (::GetFileType(handle) != FILE_TYPE_DISK || !stampOfHandle(handle, &stamp)) {
        ::CloseHandle(handle);
        return notRegular();
    }
    const int fd = ::_open_osfhandle(intptr_t(handle), _O_RDONLY);
    if (fd < 0) {
        ::CloseHandle(handle);
        // A C runtime error number, which qt_error_string would read as a
        // Windows one.
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::_close(fd);
        return file.errorString();
    }
    return QString();
}

bool stampOfOpenFile(const QFile &file, FileStamp *stamp)
{
    return file.handle() >= 0 && stampOfHandle(HANDLE(::_get_osfhandle(file.handle())), stamp);
}

bool stampOfPath(const QString &path, FileStamp *stamp)
{
    const std::wstring name = Toolkit::systemPath(path);
    if (name.empty())
        return false;
    // Opened for its attributes only, so a file open elsewhere is no hindrance.
    HANDLE handle = ::CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = stampOfHandle(handle, stamp);
    ::CloseHandle(handle);
    return known;
}
