#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A pass-through FUSE file system mounted over a folder of its own, that
loses writes the way a network share or a full quota does: for files whose
names match one of the patterns and that are opened for writing, the first
write call of an open file is stored, later ones are accepted and dropped,
and the sync and the close (flush and release) fail with EIO. Everything
else passes through.

Usage: /usr/bin/python3 faultyfs.py FOLDER PATTERN...

Runs in the foreground until the folder is unmounted. Needs the system's
interpreter, which has fusepy (package python3-fusepy, over libfuse2).
"""

import errno
import fnmatch
import os
import sys

import fusepy


class FaultyFolder(fusepy.Operations):
    """Every path is taken relative to a descriptor of the folder opened
    before the mount, so the folder's own files stay reachable under it."""

    def __init__(self, folder, patterns):
        self.root = os.open(folder, os.O_RDONLY | os.O_DIRECTORY)
        self.patterns = patterns
        # Open descriptors of matching files: how many writes each has had.
        self.faulty = {}

    def _rel(self, path):
        return "." + path if path != "/" else "."

    def _matches(self, path):
        name = os.path.basename(path)
        return any(fnmatch.fnmatchcase(name, pattern) for pattern in self.patterns)

    def _opened(self, path, fd, flags):
        if flags & (os.O_WRONLY | os.O_RDWR) and self._matches(path):
            self.faulty[fd] = 0
        return fd

    def getattr(self, path, fh=None):
        st = os.stat(self._rel(path), dir_fd=self.root, follow_symlinks=False)
        return {key: getattr(st, key) for key in (
            "st_mode", "st_nlink", "st_uid", "st_gid", "st_size", "st_atime", "st_mtime", "st_ctime")}

    def readdir(self, path, fh):
        fd = os.open(self._rel(path), os.O_RDONLY | os.O_DIRECTORY, dir_fd=self.root)
        try:
            return [".", ".."] + os.listdir(fd)
        finally:
            os.close(fd)

    def statfs(self, path):
        st = os.statvfs(self.root)
        return {key: getattr(st, key) for key in (
            "f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files", "f_flag",
            "f_frsize", "f_namemax")}

    def access(self, path, amode):
        if not os.access(self._rel(path), amode, dir_fd=self.root):
            raise fusepy.FuseOSError(errno.EACCES)

    def readlink(self, path):
        return os.readlink(self._rel(path), dir_fd=self.root)

    def mkdir(self, path, mode):
        os.mkdir(self._rel(path), mode, dir_fd=self.root)

    def rmdir(self, path):
        os.rmdir(self._rel(path), dir_fd=self.root)

    def unlink(self, path):
        os.unlink(self._rel(path), dir_fd=self.root)

    def symlink(self, target, source):
        os.symlink(source, self._rel(target), dir_fd=self.root)

    def rename(self, old, new):
        os.rename(self._rel(old), self._rel(new), src_dir_fd=self.root, dst_dir_fd=self.root)

    def chmod(self, path, mode):
        os.chmod(self._rel(path), mode, dir_fd=self.root)

    def chown(self, path, uid, gid):
        os.chown(self._rel(path), uid, gid, dir_fd=self.root, follow_symlinks=False)

    def utimens(self, path, times=None):
        os.utime(self._rel(path), times, dir_fd=self.root, follow_symlinks=False)

    def truncate(self, path, length, fh=None):
        if fh is not None:
            os.ftruncate(fh, length)
            return
        fd = os.open(self._rel(path), os.O_WRONLY, dir_fd=self.root)
        try:
            os.ftruncate(fd, length)
        finally:
            os.close(fd)

    def open(self, path, flags):
        # The kernel has already applied O_CREAT, O_EXCL and O_TRUNC.
        access = flags & (os.O_RDONLY | os.O_WRONLY | os.O_RDWR)
        return self._opened(path, os.open(self._rel(path), access, dir_fd=self.root), access)

    def create(self, path, mode, fi=None):
        fd = os.open(self._rel(path), os.O_RDWR | os.O_CREAT | os.O_EXCL, mode, dir_fd=self.root)
        return self._opened(path, fd, os.O_RDWR)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        if fh in self.faulty:
            self.faulty[fh] += 1
            if self.faulty[fh] > 1:
                return len(data)
        return os.pwrite(fh, data, offset)

    def fsync(self, path, datasync, fh):
        if fh in self.faulty:
            raise fusepy.FuseOSError(errno.EIO)
        os.fsync(fh)

    def flush(self, path, fh):
        if fh in self.faulty:
            raise fusepy.FuseOSError(errno.EIO)

    def release(self, path, fh):
        faulty = self.faulty.pop(fh, None) is not None
        os.close(fh)
        if faulty:
            raise fusepy.FuseOSError(errno.EIO)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    folder = os.path.abspath(sys.argv[1])
    # One thread: the descriptor table above needs no lock. nonempty: the
    # mount goes over the folder whose files it serves.
    fusepy.FUSE(FaultyFolder(folder, sys.argv[2:]), folder, foreground=True, nothreads=True, nonempty=True,
                fsname="kelvane-faulty")


if __name__ == "__main__":
    main()
