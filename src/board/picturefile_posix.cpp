// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/picturefile.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileStamp stampOf(const struct stat &info)
{
    FileStamp stamp;
    stamp.volume = quint64(info.st_dev);
    stamp.file = quint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.modifiedSeconds = qint64(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = qint64(info.st_mtim.tv_nsec);
    return stamp;
}

} // namespace

// A FIFO, or a link to one, would block open() until a writer came.
QString openRegularFile(const QString &path, QFile &file)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return qt_error_string(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(fd);
        return S_ISREG(info.st_mode) ? qt_error_string(error)
                                     : QCoreApplication::translate("PictureLoader", "not a regular file");
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return QString();
}

bool stampOfOpenFile(const QFile &file, FileStamp *stamp)
{
    struct stat info {};
    if (::fstat(file.handle(), &info) != 0)
        return false;
    *stamp = stampOf(info);
    return true;
}

bool stampOfPath(const QString &path, FileStamp *stamp)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    *stamp = stampOf(info);
    return true;
}
