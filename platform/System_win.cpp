#include "platform/System.h"

#include <windows.h>

std::string programFilePath() {
    char buffer[1024] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, length);
}

std::tm localTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}

std::optional<std::string> systemMessageText(std::uint32_t code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                                  code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0 || !text)
        return std::nullopt;
    std::string result(text, length);
    LocalFree(text);
    return result;
}
