#include "web/PageFile.h"

#include "platform/NativePath.h"

bool PageFile::create(const std::string& path) {
    close();
    failed = false;
    file = std::fopen(nativePath(path).c_str(), "wb");
    return file != nullptr;
}

void PageFile::writeLine(const std::string& line) {
    if (!file)
        return;
    std::string bytes;
    bytes.reserve(line.size() + 2);
    for (char byte : line) {
        if (byte == '\n')
            bytes += '\r';
        bytes += byte;
    }
    bytes += "\r\n";
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        failed = true;
}

bool PageFile::close() {
    if (!file)
        return !failed;
    if (std::fclose(file) != 0)
        failed = true;
    file = nullptr;
    return !failed;
}
