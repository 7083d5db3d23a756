#include "album/PhotoFileName.h"

#include <cctype>

bool hasJpgExtension(const std::string& fileName) {
    static const char extension[] = ".jpg";
    if (fileName.size() < 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(fileName[fileName.size() - 4 + i])) != extension[i])
            return false;
    return true;
}

std::string baseNameOf(const std::string& jpgFileName) {
    return jpgFileName.substr(0, jpgFileName.size() - 4);
}
