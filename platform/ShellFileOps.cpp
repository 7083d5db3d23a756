#include "platform/ShellFileOps.h"

#include "platform/FileSystem.h"

int ShellFileOps::createFolder(const std::string& path) { return int(::createFolder(path)); }

std::string numberedName(const std::string& path, int n) {
    if (n == 1)
        return path;
    auto slash = path.find_last_of("\\/");
    auto dot = path.find_last_of('.');
    // A dot in a folder name, or a name that is only an extension, gives no extension.
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos ? dot > 0 : dot > slash + 1);
    std::string stem = hasExtension ? path.substr(0, dot) : path;
    std::string extension = hasExtension ? path.substr(dot) : std::string();
    return stem + " (" + std::to_string(n) + ")" + extension;
}
