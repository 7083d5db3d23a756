#include "platform/Trash_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/FileCalls_posix.h"
#include "platform/ShellFileOps.h"

namespace fs = std::filesystem;

namespace {
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

}  // namespace

// The info file is created exclusively first, so the name it claims in files/ belongs to this file
// alone.
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
