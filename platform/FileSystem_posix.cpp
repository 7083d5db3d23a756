#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/NativePath.h"

namespace fs = std::filesystem;

namespace {
std::uint32_t win32Code(int error) {
    switch (error) {
    case ENOENT: return 3;
    case EACCES:
    case EPERM:
    case EROFS: return 5;
    case EEXIST: return 183;
    case ENOTEMPTY: return 145;
    case ENAMETOOLONG: return 206;
    case ENOSPC: return 112;
    default: return 31;  // a device attached to the system is not functioning
    }
}
}  // namespace

std::vector<FolderEntry> findEntries(const std::string& pattern) {
    std::vector<FolderEntry> entries;
    auto slash = pattern.find_last_of('\\');
    std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash);
    std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    std::error_code error;
    fs::directory_iterator it(nativePath(folder.empty() ? "\\" : folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        // "*.*" matches every name on Windows, also one without a dot.
        if (namePattern == "*.*" || wildcardMatch(namePattern, name))
            entries.push_back({name, it->is_directory(error)});
    }
    return entries;
}

bool fileOrFolderExists(const std::string& path) {
    struct stat info;
    return ::stat(nativePath(path).c_str(), &info) == 0;
}

bool folderExists(const std::string& path) {
    struct stat info;
    return ::stat(nativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::uint32_t createFolder(const std::string& path) {
    return ::mkdir(nativePath(path).c_str(), 0777) == 0 ? 0 : win32Code(errno);
}

std::uint32_t removeFolder(const std::string& path) {
    return ::rmdir(nativePath(path).c_str()) == 0 ? 0 : win32Code(errno);
}

// The owner's write permission stands for the read-only attribute.
std::uint32_t clearReadOnly(const std::string& path) {
    struct stat info;
    std::string native = nativePath(path);
    if (::stat(native.c_str(), &info) != 0)
        return errno == ENOENT ? 2 : win32Code(errno);
    return ::chmod(native.c_str(), info.st_mode | S_IWUSR) == 0 ? 0 : win32Code(errno);
}

std::uint32_t setReadOnly(const std::string& path) {
    struct stat info;
    std::string native = nativePath(path);
    if (::stat(native.c_str(), &info) != 0)
        return errno == ENOENT ? 2 : win32Code(errno);
    return ::chmod(native.c_str(), info.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? 0 : win32Code(errno);
}

bool isReadOnly(const std::string& path) {
    struct stat info;
    return ::stat(nativePath(path).c_str(), &info) == 0 && !(info.st_mode & S_IWUSR);
}

FileComparison compareFileWith(const std::string& path, const std::string& bytes) {
    FileComparison comparison;
    int descriptor = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return comparison;
    struct stat info;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        comparison.readOnly = !(info.st_mode & S_IWUSR);
        if (std::size_t(info.st_size) == bytes.size()) {
            std::string content(bytes.size(), '\0');
            std::size_t got = 0;
            for (ssize_t n; got < content.size() && (n = ::read(descriptor, content.data() + got, content.size() - got)) > 0;)
                got += std::size_t(n);
            comparison.holds = got == bytes.size() && content == bytes;
        }
    }
    ::close(descriptor);
    return comparison;
}

// POSIX has no sharing modes: an exclusive lock on the file stands for them, taken before the file
// is truncated, so a second writer finds it locked and leaves the file as it is.
std::FILE* createFileAsSoleWriter(const std::string& path) {
    int descriptor = ::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return nullptr;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(descriptor, 0) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file)
        ::close(descriptor);
    return file;
}

namespace {
FileStamp stampOf(const struct stat& info) {
    FileStamp stamp;
    stamp.size = std::uint64_t(info.st_size);
    stamp.lastWrite = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.readOnly = !(info.st_mode & S_IWUSR);
    return stamp;
}
}  // namespace

std::optional<FileStamp> fileStampOf(const std::string& path) {
    struct stat info;
    if (::stat(nativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

std::optional<std::string> readFileBytes(const std::string& path, FileStamp* stamp) {
    int descriptor = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat info;
    std::optional<std::string> bytes;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.emplace();
        bytes->reserve(std::size_t(info.st_size));
        char buffer[4096];
        ssize_t got;
        while ((got = ::read(descriptor, buffer, sizeof buffer)) > 0)
            bytes->append(buffer, std::size_t(got));
        if (got < 0)
            bytes.reset();
        else if (stamp)
            *stamp = stampOf(info);
    }
    ::close(descriptor);
    return bytes;
}
