#include "platform/NativePath.h"

std::string nativePath(const std::string& windowsPath) { return windowsPath; }
