#include "platform/System.h"

std::string programFolder() {
    std::string path = programFilePath();
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
