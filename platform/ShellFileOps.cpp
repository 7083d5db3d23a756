#include "platform/ShellFileOps.h"

#include "platform/FileSystem.h"

int ShellFileOps::createFolder(const std::string& path) { return int(::createFolder(path)); }

int ShellFileOps::removeFolder(const std::string& path) { return int(::removeFolder(path)); }

int ShellFileOps::clearReadOnly(const std::string& path) { return int(::clearReadOnly(path)); }

int writeWholeFile(FileOperations& ops, const std::string& path, const std::string& bytes) {
    std::string draft = path + DraftSuffix;
    if (ops.exists(draft))
        ops.remove(draft, true);
    if (int result = ops.writeNewFile(draft, bytes))
        return result;
    int result = ops.replaceFile(draft, path);
    if (result)
        ops.remove(draft, true);
    return result;
}

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
