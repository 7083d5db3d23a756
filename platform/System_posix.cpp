#include "platform/System.h"

#include <unistd.h>

#include <map>

#include "platform/NativePath.h"

std::string programFilePath() {
    char buffer[1024] = {};
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path(buffer, length > 0 ? std::size_t(length) : 0);
    // The core splits paths at backslashes, whatever the system.
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::tm localTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// POSIX knows no Win32 error codes; the native build gives the English texts of the few codes its
// own file operations report, so that its messages read as they do on Windows.
std::optional<std::string> systemMessageText(std::uint32_t code) {
    static const std::map<std::uint32_t, std::string> texts = {
        {2, "The system cannot find the file specified.\r\n"},
        {3, "The system cannot find the path specified.\r\n"},
        {5, "Access is denied.\r\n"},
        {32, "The process cannot access the file because it is being used by another process.\r\n"},
        {80, "The file exists.\r\n"},
        {112, "There is not enough space on the disk.\r\n"},
        {145, "The directory is not empty.\r\n"},
        {183, "Cannot create a file when that file already exists.\r\n"},
        {206, "The filename or extension is too long.\r\n"},
    };
    auto text = texts.find(code);
    if (text == texts.end())
        return std::nullopt;
    return text->second;
}
