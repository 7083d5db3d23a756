#include "platform/ShellFileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/NativePath.h"

namespace fs = std::filesystem;

namespace {
// The results are Win32 error codes, as the Windows build reports them.
int resultOf(int error) {
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

bool fitsShellBuffer(const std::string& path) { return path.size() <= MaxShellPathLength; }

bool nativeExists(const std::string& native) {
    struct stat info;
    if (::lstat(native.c_str(), &info) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

class ScopedDescriptor {
public:
    explicit ScopedDescriptor(int descriptor) : descriptor(descriptor) {}
    ScopedDescriptor(const ScopedDescriptor&) = delete;
    ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
    ~ScopedDescriptor() {
        if (descriptor >= 0)
            ::close(descriptor);
    }
    int get() const { return descriptor; }
    // Closes now and tells whether the close succeeded (a deferred write error shows up here).
    bool close() {
        int d = descriptor;
        descriptor = -1;
        return ::close(d) == 0;
    }

private:
    int descriptor;
};

// rename() that refuses to replace an existing destination (errno EEXIST), on file systems with
// and without RENAME_NOREPLACE.
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

// Copies a file to a destination that must not exist yet, with its data on the disk before it
// returns; a failed copy leaves no partial file behind. Returns 0 or an errno value.
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

std::string trashFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return std::string(dataHome) + "/Trash";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share/Trash";
    return std::string();
}

int makeFolderChain(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return error.value();
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

std::string percentEncoded(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : path) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
                     c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            encoded += char(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    return encoded;
}

std::string trashInfoText(const std::string& absolutePath) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + percentEncoded(absolutePath) + "\nDeletionDate=" + date + "\n";
}

// Moves a file into the freedesktop.org home Trash. The info file is created exclusively first, so
// the name it claims in files/ belongs to this file alone; a file the Trash cannot take (another
// file system, no writable Trash) stays where it is. Returns 0 or an errno value.
int moveToTrash(const std::string& native) {
    std::string trash = trashFolder();
    if (trash.empty())
        return EACCES;
    std::string files = trash + "/files", info = trash + "/info";
    if (int error = makeFolderChain(files))
        return error;
    if (int error = makeFolderChain(info))
        return error;
    struct stat fileInfo, trashInfo;
    if (::lstat(native.c_str(), &fileInfo) != 0 || ::stat(files.c_str(), &trashInfo) != 0)
        return errno;
    if (fileInfo.st_dev != trashInfo.st_dev)
        return EXDEV;

    std::error_code pathError;
    fs::path absolute = fs::absolute(native, pathError).lexically_normal();
    if (pathError)
        return pathError.value();
    std::string name = absolute.filename().string();
    std::string infoText = trashInfoText(absolute.string());
    for (int n = 1;; ++n) {
        std::string trashName = numberedName(name, n);
        std::string infoPath = info + "/" + trashName + ".trashinfo";
        ScopedDescriptor infoFile(::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (infoFile.get() < 0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        std::string target = files + "/" + trashName;
        bool written = writeAll(infoFile.get(), infoText.data(), infoText.size()) && infoFile.close();
        int error = written ? 0 : errno;
        if (!error && renameNoReplace(native, target) != 0)
            error = errno;
        if (error == EEXIST) {  // a stray file under that name in files/: try the next name
            ::unlink(infoPath.c_str());
            continue;
        }
        if (error)
            ::unlink(infoPath.c_str());
        return error;
    }
}
}  // namespace

struct ShellFileOps::State {};

ShellFileOps::ShellFileOps() = default;
ShellFileOps::~ShellFileOps() = default;

int ShellFileOps::remove(const std::string& path, bool permanently) {
    if (!fitsShellBuffer(path))
        return ResultPathTooLong;
    std::string native = nativePath(path);
    if (!nativeExists(native))
        return ResultFileNotFound;
    if (!permanently) {
        int error = moveToTrash(native);
        return error ? resultOf(error) : 0;
    }
    std::error_code error;
    fs::remove_all(native, error);
    return error ? resultOf(error.value()) : 0;
}

int ShellFileOps::move(const std::string& from, const std::string& to) { return transfer(Transfer::Move, from, to); }

int ShellFileOps::copy(const std::string& from, const std::string& to) { return transfer(Transfer::Copy, from, to); }

// The destination's own name is tried first and the free-name search starts only when it is
// taken, and a missing source is told from a missing folder only after a failure: an update of a
// large album is mostly these calls.
int ShellFileOps::transfer(Transfer kind, const std::string& from, const std::string& to) {
    if (!fitsShellBuffer(from) || !fitsShellBuffer(to))
        return ResultPathTooLong;
    std::string source = nativePath(from);
    for (int n = 1;; ++n) {
        std::string target = numberedName(to, n);
        if (!fitsShellBuffer(target))
            return ResultPathTooLong;
        std::string destination = nativePath(target);
        int error = 0;
        if (kind == Transfer::Copy) {
            error = copyFileExclusive(source, destination);
        } else if (renameNoReplace(source, destination) != 0) {
            error = errno;
            // Across file systems: copy with the data flushed, then remove the original.
            if (error == EXDEV && (error = copyFileExclusive(source, destination)) == 0 &&
                ::unlink(source.c_str()) != 0) {
                error = errno;
                ::unlink(destination.c_str());
            }
        }
        if (error == EEXIST)
            continue;  // taken, also if another program took it a moment ago: the next name
        if ((error == ENOENT || error == ENOTDIR) && !nativeExists(source))
            return ResultFileNotFound;
        return error ? resultOf(error) : 0;
    }
}

bool ShellFileOps::exists(const std::string& path) { return nativeExists(nativePath(path)); }
