#include "web/TemplateFile.h"

#include "platform/NativePath.h"

bool TemplateFile::open(const std::string& path) {
    close();
    // Binary, so that every build sees the same bytes; the CR of a CR LF is dropped by readLine.
    file = std::fopen(nativePath(path).c_str(), "rb");
    return file != nullptr;
}

bool TemplateFile::readLine(std::string& line) {
    line.clear();
    if (!file)
        return false;
    int byte = std::getc(file);
    if (byte == EOF)
        return false;
    while (byte != EOF && byte != '\n') {
        line += char(byte);
        byte = std::getc(file);
    }
    if (byte == '\n' && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

void TemplateFile::rewind() {
    if (file)
        std::rewind(file);
}

void TemplateFile::close() {
    if (file)
        std::fclose(file);
    file = nullptr;
}
