// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picturefile.h"

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
                                     : QCoreApplication::translate("PictureLoader", "Not a regular file");
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

bool sizeAndTimeOfOpenFile(const QFile &file, FileStamp *stamp)
{
    // One call answers everything here.
    if (!stampOfOpenFile(file, stamp))
        return false;
    stamp->volume = stamp->file = 0;
    return true;
}

QString readRegularFile(const QString &path, qint64 largest, QByteArray *bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return qt_error_string(errno);
    QString problem;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        problem = qt_error_string(errno);
    } else if (!S_ISREG(info.st_mode)) {
        problem = QCoreApplication::translate("PictureLoader", "Not a regular file");
    } else if (info.st_size > largest) {
        problem = QCoreApplication::translate("PictureLoader", "The file is too large");
    } else {
        // As large as the file was when asked: a file that grew meanwhile is
        // cut there, one that shrank ends early.
        bytes->resize(qsizetype(info.st_size));
        qint64 done = 0;
        while (done < info.st_size) {
            const ssize_t got = ::read(fd, bytes->data() + done, size_t(info.st_size - done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                problem = qt_error_string(errno);
            if (got <= 0)
                break;
            done += got;
        }
        bytes->resize(qsizetype(done));
    }
    ::close(fd);
    return problem;
}

bool stampOfPath(const QString &path, FileStamp *stamp)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    *stamp = stampOf(info);
    return true;
}

bool sizeAndTimeOfPath(const QString &path, FileStamp *stamp)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    *stamp = stampOf(info);
    stamp->volume = stamp->file = 0;
    return true;
}
