#include "platform/ShellFileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/FileCalls_posix.h"
#include "platform/NativePath.h"
#include "platform/Trash_posix.h"

namespace fs = std::filesystem;

namespace {
bool fitsShellBuffer(const std::string& path) { return path.size() <= MaxShellPathLength; }
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
        return error ? win32ResultOf(error) : 0;
    }
    std::error_code error;
    fs::remove_all(native, error);
    return error ? win32ResultOf(error.value()) : 0;
}

int ShellFileOps::move(const std::string& from, const std::string& to) { return transfer(Transfer::Move, from, to); }

int ShellFileOps::copy(const std::string& from, const std::string& to) { return transfer(Transfer::Copy, from, to); }

// A missing source is told from a missing folder only after a failure: an update of a large album
// is mostly these calls.
int ShellFileOps::transfer(Transfer kind, const std::string& from, const std::string& to) {
    if (!fitsShellBuffer(from) || !fitsShellBuffer(to))
        return ResultPathTooLong;
    std::string source = nativePath(from), destination = nativePath(to);
    // The shell's copy makes the destination's missing folders (a family's first scrapbook pages
    // go into folders that do not exist yet).
    if (kind == Transfer::Copy && nativeExists(source)) {
        std::error_code ignored;
        fs::create_directories(fs::path(destination).parent_path(), ignored);
    }
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
        return ResultFileExists;
    if ((error == ENOENT || error == ENOTDIR) && !nativeExists(source))
        return ResultFileNotFound;
    return error ? win32ResultOf(error) : 0;
}

int ShellFileOps::writeNewFile(const std::string& path, const std::string& bytes) {
    if (!fitsShellBuffer(path))
        return ResultPathTooLong;
    std::string native = nativePath(path);
    ScopedDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return errno == EEXIST ? ResultFileExists : win32ResultOf(errno);
    int error = 0;
    if (!writeAll(file.get(), bytes.data(), bytes.size()) || ::fsync(file.get()) != 0)
        error = errno;
    if (!file.close() && !error)
        error = errno;
    if (error)
        ::unlink(native.c_str());
    return error ? win32ResultOf(error) : 0;
}

// A write-protected file is refused as Windows refuses to replace a read-only file; the old file's
// permissions go to the new one.
int ShellFileOps::replaceFile(const std::string& replacement, const std::string& replaced) {
    if (!fitsShellBuffer(replacement) || !fitsShellBuffer(replaced))
        return ResultPathTooLong;
    std::string from = nativePath(replacement), to = nativePath(replaced);
    if (!nativeExists(from))
        return ResultFileNotFound;
    struct stat old;
    bool hadOld = ::stat(to.c_str(), &old) == 0;
    if (hadOld && !(old.st_mode & S_IWUSR))
        return win32ResultOf(EACCES);
    if (::rename(from.c_str(), to.c_str()) != 0)
        return win32ResultOf(errno);
    if (hadOld)
        ::chmod(to.c_str(), old.st_mode & 07777);
    return 0;
}

bool ShellFileOps::exists(const std::string& path) { return nativeExists(nativePath(path)); }
