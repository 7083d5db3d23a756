#include "platform/ShellFileOps.h"

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

std::string freeDestinationName(const std::string& path, const std::function<bool(const std::string&)>& taken) {
    for (int n = 1;; ++n) {
        std::string candidate = numberedName(path, n);
        if (!taken(candidate))
            return candidate;
    }
}
