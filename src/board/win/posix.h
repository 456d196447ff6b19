// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few POSIX calls the picture loader and the thumbnail sources make, as
// the Windows C runtime offers them. The Windows build puts this header
// before each of those two files; nothing includes it by name.

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

// Pictures are read as bytes: the runtime would otherwise turn CR LF into LF.
#undef O_RDONLY
#define O_RDONLY (_O_RDONLY | _O_BINARY)
// No FIFOs and no terminals to guard against, and handles are not inherited.
#define O_NONBLOCK 0
#define O_NOCTTY 0
#define O_CLOEXEC _O_NOINHERIT

// The runtime's stat has whole seconds only; the loader compares st_mtim.
struct kelvane_stat
{
    _dev_t st_dev = 0;
    _ino_t st_ino = 0;
    unsigned short st_mode = 0;
    long long st_size = 0;
    time_t st_mtime = 0;
    struct timespec st_mtim = {};
};

namespace KelvaneWin {

inline int fromRuntime(int result, const struct _stat64 &in, struct kelvane_stat *out)
{
    if (result == 0) {
        out->st_dev = in.st_dev;
        out->st_ino = in.st_ino;
        out->st_mode = in.st_mode;
        out->st_size = in.st_size;
        out->st_mtime = in.st_mtime;
        out->st_mtim.tv_sec = in.st_mtime;
        out->st_mtim.tv_nsec = 0;
    }
    return result;
}

} // namespace KelvaneWin

inline int kelvane_stat(const char *path, struct kelvane_stat *out)
{
    struct _stat64 in;
    return KelvaneWin::fromRuntime(::_stat64(path, &in), in, out);
}

inline int kelvane_fstat(int fd, struct kelvane_stat *out)
{
    struct _stat64 in;
    return KelvaneWin::fromRuntime(::_fstat64(fd, &in), in, out);
}

#define stat kelvane_stat
#define fstat kelvane_fstat

inline int mkdir(const char *path, int)
{
    return ::_mkdir(path);
}
