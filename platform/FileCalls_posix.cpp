#include "platform/FileCalls_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/ShellFileOps.h"

bool nativeExists(const std::string& native) {
    struct stat info;
    if (::lstat(native.c_str(), &info) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

ScopedDescriptor::~ScopedDescriptor() {
    if (descriptor >= 0)
        ::close(descriptor);
}

bool ScopedDescriptor::close() {
    int d = descriptor;
    descriptor = -1;
    return ::close(d) == 0;
}

// File systems without RENAME_NOREPLACE get a hard link and an unlink, which cannot replace either;
// only those without hard links fall back to a test before the rename.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (::link(from.c_str(), to.c_str()) == 0)
        return ::unlink(from.c_str());
    if (errno == EEXIST || (errno != EPERM && errno != ENOTSUP))
        return -1;
    if (nativeExists(to)) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

bool writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

int copyFileExclusive(const std::string& from, const std::string& to) {
    ScopedDescriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0)
        return errno;
    struct stat info;
    if (::fstat(source.get(), &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    ScopedDescriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777));
    if (target.get() < 0)
        return errno;
    char buffer[1 << 16];
    int error = 0;
    for (;;) {
        ssize_t got = ::read(source.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || (got > 0 && !writeAll(target.get(), buffer, std::size_t(got)))) {
            error = errno;
            break;
        }
        if (got == 0)
            break;
    }
    if (!error && ::fsync(target.get()) != 0)
        error = errno;
    if (!target.close() && !error)
        error = errno;
    if (error)
        ::unlink(to.c_str());
    return error;
}

int win32ResultOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return 3;  // path not found
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY: return 5;  // access denied
    case EXDEV: return 17;  // not the same device
    case EEXIST: return 183;
    case ENOSPC:
    case EDQUOT: return 112;
    case ENAMETOOLONG: return ResultPathTooLong;
    default: return 31;  // a device attached to the system is not functioning
    }
}
