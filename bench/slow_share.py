#!/usr/bin/python3
"""A folder that behaves like a share on a slow network: a FUSE passthrough
that waits on each round trip a file server would make.

    slow_share.py <backing folder> <mount point> [milliseconds, default 2]

Opening or creating a file, closing it, making, listing or removing a
folder, renaming, removing a file, and setting times, modes or extended
attributes each wait the given time before they are done; reads and writes
of an open file and attribute look-ups (which a client caches) do not.
Runs in the foreground until unmounted (fusermount -u <mount point>).
With SLOW_SHARE_TRACE=1 each round trip is written to standard error as
its operation and path, to count what a copy asks of the share.
Needs Debian's python3-fusepy and libfuse2 (bench/run.sh installs them).
"""
import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations

TRACE = os.environ.get("SLOW_SHARE_TRACE") == "1"


class SlowShare(Operations):
    use_ns = True  # times travel as whole nanoseconds, never rounded through a float

    def __init__(self, backing, delay):
        self.backing = backing
        self.delay = delay

    def _path(self, path):
        return os.path.join(self.backing, path.lstrip("/"))

    def _trip(self):
        if TRACE:
            frame = sys._getframe(1)
            print(frame.f_code.co_name, frame.f_locals.get("path", ""), file=sys.stderr, flush=True)
        time.sleep(self.delay)

    def __call__(self, op, *args):
        try:
            return super().__call__(op, *args)
        except OSError as e:
            raise FuseOSError(e.errno or errno.EIO)

    # Attribute look-ups: answered from the client's cache on a share.
    def getattr(self, path, fh=None):
        st = os.lstat(self._path(path))
        attrs = {key: getattr(st, key) for key in (
            "st_mode", "st_nlink", "st_uid", "st_gid", "st_size", "st_ino")}
        for key in ("st_atime", "st_mtime", "st_ctime"):
            attrs[key] = getattr(st, key + "_ns")
        return attrs

    def access(self, path, mode):
        if not os.access(self._path(path), mode):
            raise FuseOSError(errno.EACCES)

    def statfs(self, path):
        st = os.statvfs(self._path(path))
        return {key: getattr(st, key) for key in (
            "f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files",
            "f_flag", "f_frsize", "f_namemax")}

    # Round trips.
    def opendir(self, path):
        self._trip()
        return 0

    def readdir(self, path, fh):
        self._trip()
        return [".", ".."] + os.listdir(self._path(path))

    def mkdir(self, path, mode):
        self._trip()
        os.mkdir(self._path(path), mode)

    def rmdir(self, path):
        self._trip()
        os.rmdir(self._path(path))

    def unlink(self, path):
        self._trip()
        os.unlink(self._path(path))

    def rename(self, old, new):
        self._trip()
        os.rename(self._path(old), self._path(new))

    def chmod(self, path, mode):
        self._trip()
        os.chmod(self._path(path), mode)

    def chown(self, path, uid, gid):
        self._trip()
        os.chown(self._path(path), uid, gid)

    def utimens(self, path, times=None):
        self._trip()
        if times is None:
            os.utime(self._path(path))
        else:
            os.utime(self._path(path), ns=tuple(int(t) for t in times))

    def truncate(self, path, length, fh=None):
        self._trip()
        os.truncate(self._path(path), length)

    def setxattr(self, path, name, value, options, position=0):
        self._trip()
        os.setxattr(self._path(path), name, value, options)

    def getxattr(self, path, name, position=0):
        try:
            return os.getxattr(self._path(path), name)
        except OSError as e:
            raise FuseOSError(errno.ENODATA if e.errno == errno.ENODATA else e.errno)

    def listxattr(self, path):
        return os.listxattr(self._path(path))

    def removexattr(self, path, name):
        self._trip()
        os.removexattr(self._path(path), name)

    def open(self, path, flags):
        self._trip()
        return os.open(self._path(path), flags)

    def create(self, path, mode, fi=None):
        self._trip()
        return os.open(self._path(path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode)

    def release(self, path, fh):
        self._trip()
        os.close(fh)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        return os.pwrite(fh, data, offset)

    def flush(self, path, fh):
        return 0

    def fsync(self, path, datasync, fh):
        os.fsync(fh)


def main():
    backing, mount = sys.argv[1], sys.argv[2]
    delay = float(sys.argv[3]) / 1000 if len(sys.argv) > 3 else 0.002
    os.makedirs(backing, exist_ok=True)
    os.makedirs(mount, exist_ok=True)
    FUSE(SlowShare(os.path.abspath(backing), delay), mount, foreground=True, nothreads=False,
         allow_other=True)


if __name__ == "__main__":
    main()
