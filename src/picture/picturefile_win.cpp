// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picturefile.h"

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
    return QCoreApplication::translate("PictureLoader", "Not a regular file");
}

// A FILETIME as seconds and nanoseconds since 1970, the seconds rounded
// down, also before 1970, so that the nanoseconds stay positive.
void setModified(const FILETIME &time, FileStamp *stamp)
{
    const qint64 ticks = qint64((quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime) - ticksTo1970;
    qint64 seconds = ticks / ticksPerSecond;
    qint64 rest = ticks % ticksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += ticksPerSecond;
    }
    stamp->modifiedSeconds = seconds;
    stamp->modifiedNanoseconds = rest * 100;
}

// Two questions that the file system answers from the open file alone.
bool sizeAndTimeOfHandle(HANDLE handle, FileStamp *stamp)
{
    LARGE_INTEGER size {};
    FILETIME written {};
    if (handle == INVALID_HANDLE_VALUE || !::GetFileSizeEx(handle, &size)
        || !::GetFileTime(handle, nullptr, nullptr, &written))
        return false;
    stamp->size = size.QuadPart;
    setModified(written, stamp);
    return true;
}

bool stampOfHandle(HANDLE handle, FileStamp *stamp)
{
    BY_HANDLE_FILE_INFORMATION info {};
    if (handle == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(handle, &info))
        return false;
    stamp->volume = info.dwVolumeSerialNumber;
    stamp->file = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp->size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    setModified(info.ftLastWriteTime, stamp);
    return true;
}

// Consoles, serial ports, pipes and the NUL device are no pictures, and some
// of them would wait for input. A folder opens only when asked for with
// FILE_FLAG_BACKUP_SEMANTICS, which no caller here does.
bool isRegular(HANDLE handle)
{
    FILE_STANDARD_INFO info {};
    return ::GetFileType(handle) == FILE_TYPE_DISK
        && ::GetFileInformationByHandleEx(handle, FileStandardInfo, &info, sizeof info) && !info.Directory;
}

HANDLE openForReading(const std::wstring &name)
{
    return ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

// Shared for writing and deleting too: a picture that another program has
// open, or is saving, is still read, as Explorer would show it.
QString openRegularFile(const QString &path, QFile &file)
{
    const std::wstring name = Toolkit::systemPath(path);
    if (name.empty())
        return qt_error_string(ERROR_INVALID_NAME);
    HANDLE handle = openForReading(name);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // A folder cannot be opened as a file at all; say what it is.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES
            && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return notRegular();
        return qt_error_string(int(code));
    }
    if (!isRegular(handle)) {
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

bool sizeAndTimeOfOpenFile(const QFile &file, FileStamp *stamp)
{
    return file.handle() >= 0 && sizeAndTimeOfHandle(HANDLE(::_get_osfhandle(file.handle())), stamp);
}

QString readRegularFile(const QString &path, qint64 largest, QByteArray *bytes)
{
    const std::wstring name = Toolkit::systemPath(path);
    if (name.empty())
        return qt_error_string(ERROR_INVALID_NAME);
    // A missing file is the usual answer here (no fail record, no thumbnail
    // of that size yet); its attributes say so for a third of what a failed
    // open costs under Wine.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return qt_error_string(int(::GetLastError()));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return notRegular();
    HANDLE handle = openForReading(name);
    if (handle == INVALID_HANDLE_VALUE)
        return qt_error_string(int(::GetLastError()));
    QString problem;
    LARGE_INTEGER size {};
    if (!isRegular(handle)) {
        problem = notRegular();
    } else if (!::GetFileSizeEx(handle, &size)) {
        problem = qt_error_string(int(::GetLastError()));
    } else if (size.QuadPart > largest) {
        problem = QCoreApplication::translate("PictureLoader", "The file is too large");
    } else {
        // One read for the whole file, as it was when asked: a file that
        // grew meanwhile is cut there, one that shrank ends early.
        bytes->resize(qsizetype(size.QuadPart));
        qint64 done = 0;
        while (done < size.QuadPart) {
            DWORD got = 0;
            if (!::ReadFile(handle, bytes->data() + done, DWORD(size.QuadPart - done), &got, nullptr)) {
                problem = qt_error_string(int(::GetLastError()));
                break;
            }
            if (got == 0)
                break;
            done += got;
        }
        bytes->resize(qsizetype(done));
    }
    ::CloseHandle(handle);
    return problem;
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

bool sizeAndTimeOfPath(const QString &path, FileStamp *stamp)
{
    const std::wstring name = Toolkit::systemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data {};
    // Asked of the file system without a handle: under Wine no round trip
    // to its server. A link's attributes are its own, not its target's.
    if (name.empty() || !::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
        return false;
    *stamp = FileStamp();
    stamp->size = qint64((quint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    setModified(data.ftLastWriteTime, stamp);
    return true;
}
