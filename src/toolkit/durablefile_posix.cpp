// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/durablefile_p.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Toolkit::Durable {
namespace {

const QByteArray prefix = QByteArrayLiteral(".kelvane-");
constexpr int suffixLength = 6;

bool isLeftoverName(const char *name)
{
    const QByteArrayView view(name);
    if (view.size() != prefix.size() + suffixLength || !view.startsWith(prefix))
        return false;
    for (const char c : view.sliced(prefix.size())) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

int retried(int result)
{
    return result == 0 ? 0 : errno;
}

} // namespace

Opened createTemporary(const QString &folder, bool ownerOnly)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    Opened opened;
    const QByteArray base = QFile::encodeName(folder) + '/' + prefix;
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = base;
        for (int i = 0; i < suffixLength; ++i)
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnly ? 0600 : 0666);
        if (fd < 0) {
            opened.error = errno;
            if (errno == EEXIST)
                continue;
            return opened;
        }
        // Held until the file is closed: a removal of leftovers takes only
        // files that no live writer holds.
        ::flock(fd, LOCK_EX | LOCK_NB);
        opened.handle = fd;
        opened.path = QFile::decodeName(name);
        opened.error = 0;
        return opened;
    }
    return opened;
}

Opened openExisting(const QString &path)
{
    Opened opened;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        opened.error = errno;
    opened.handle = fd;
    opened.path = path;
    return opened;
}

int writeAt(Handle handle, qint64 offset, const QByteArray &bytes)
{
    // One call for the whole content; a write that fills the disk stores
    // part of it and reports no error, and writing the rest gives the reason.
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(int(handle), bytes.constData() + written, size_t(bytes.size() - written),
                                   off_t(offset + written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        written += n;
    }
    return 0;
}

int readAll(Handle handle, QByteArray *bytes)
{
    bytes->clear();
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(int(handle), buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        bytes->append(buffer, n);
        offset += n;
    }
}

int truncate(Handle handle, qint64 size)
{
    return retried(::ftruncate(int(handle), off_t(size)));
}

int sync(Handle handle)
{
    return retried(::fdatasync(int(handle)));
}

int close(Handle handle)
{
    // Linux closes the descriptor even when close() is interrupted; calling
    // it again could close one another thread just opened.
    const int result = ::close(int(handle));
    return result == 0 || errno == EINTR ? 0 : errno;
}

int rename(const QString &from, const QString &to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return errno;
    // The new name is on the disk once the folder is synced. Some file
    // systems cannot sync a folder; the rename itself has happened.
    const int folder = ::open(QFile::encodeName(QFileInfo(to).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return 0;
}

void remove(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

int keepAttributes(Handle handle, const ReplacedFile &replaced)
{
    if (!replaced.exists)
        return 0;
    struct stat opened {};
    if (::fstat(int(handle), &opened) != 0)
        return errno;
    // QSaveFile copied the permissions as the current user sees them, which
    // for root adds the owner's write bit; the new file takes the old bits.
    if ((opened.st_mode & 0777) != replaced.permissionBits && ::fchmod(int(handle), replaced.permissionBits) != 0)
        return errno;
    // Only root may give a file away; a member of the file's group may
    // still give it that group. Otherwise the file is the user's own.
    if ((opened.st_uid != replaced.owner || opened.st_gid != replaced.group)
        && ::fchown(int(handle), replaced.owner, replaced.group) != 0)
        (void)::fchown(int(handle), uid_t(-1), replaced.group);
    return 0;
}

QString resolvedTarget(const QString &path)
{
    QString target = path;
    // A chain of links ends at its last link's target, which need not
    // exist yet; a loop ends after as many links as the system follows.
    for (int hop = 0; hop < 40; ++hop) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            return target;
        const QString next = info.symLinkTarget();
        if (next.isEmpty())
            return target;
        target = next;
    }
    return path;
}

void removeLeftovers(const QString &folder)
{
    const QByteArray folderName = QFile::encodeName(folder);
    DIR *dir = ::opendir(folderName.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isLeftoverName(entry->d_name))
            continue;
        const QByteArray name = folderName + '/' + entry->d_name;
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(name.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

QString errorText(int code)
{
    return qt_error_string(code);
}

} // namespace Toolkit::Durable
