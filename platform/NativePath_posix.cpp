#include "platform/NativePath.h"

#include <algorithm>

std::string nativePath(const std::string& windowsPath) {
    std::string path = windowsPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
