#include "framework/Text.h"

namespace fw {

std::string loadString(int id) {
    // A string table entry is at most 4097 characters long.
    char buffer[4100] = {};
    int length = LoadStringA(GetModuleHandleA(nullptr), UINT(id), buffer, int(sizeof buffer));
    return std::string(buffer, std::size_t(length > 0 ? length : 0));
}

std::string promptPart(const std::string& prompt, int part) {
    std::size_t lineBreak = prompt.find('\n');
    if (part == 0)
        return prompt.substr(0, lineBreak);
    return lineBreak == std::string::npos ? std::string() : prompt.substr(lineBreak + 1);
}

std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(std::size_t(length) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(std::size_t(copied > 0 ? copied : 0));
    return text;
}

}  // namespace fw
