#include "web/FileUrl.h"

#include <cstring>

namespace {

// Bytes a browser would not take literally inside the path of a URL.
bool needsEscape(unsigned char byte) {
    if (byte <= 0x20 || byte == 0x7F)
        return true;
    return byte < 0x80 && std::strchr("\"#%<>?[]^`{|}", byte) != nullptr;
}

void appendPathBytes(std::string& url, const std::string& path, std::size_t from) {
    static const char hex[] = "0123456789ABCDEF";
    for (std::size_t i = from; i < path.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(path[i]);
        if (byte == '\\') {
            url += '/';
        } else if (needsEscape(byte)) {
            url += '%';
            url += hex[byte >> 4];
            url += hex[byte & 0x0F];
        } else {
            url += char(byte);
        }
    }
}

}  // namespace

std::string fileUrlOf(const std::string& windowsPath) {
    std::string url;
    if (windowsPath.starts_with("\\\\")) {
        // A network path names its server where a URL names its host.
        url = "file://";
        appendPathBytes(url, windowsPath, 2);
    } else {
        url = "file:///";
        appendPathBytes(url, windowsPath, 0);
    }
    return url;
}
