#include "platform/ShellFileOps.h"

#include <cerrno>
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

// The destination's own name is tried first and the free-name search starts only when it is
// taken, and a missing source is told from a missing folder only after a failure: an update of a
// large album is mostly these calls.
int ShellFileOps::transfer(Transfer kind, const std::string& from, const std::string& to) {
    if (!fitsShellBuffer(from) || !fitsShellBuffer(to))
        return ResultPathTooLong;
    std::string source = nativePath(from);
    // The shell's copy makes the destination's missing folders (a family's first scrapbook pages
    // go into folders that do not exist yet).
    if (kind == Transfer::Copy && nativeExists(source)) {
        std::error_code ignored;
        fs::create_directories(fs::path(nativePath(to)).parent_path(), ignored);
    }
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
        return error ? win32ResultOf(error) : 0;
    }
}

bool ShellFileOps::exists(const std::string& path) { return nativeExists(nativePath(path)); }

