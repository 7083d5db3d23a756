#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// The full path of the running program's executable, read into a buffer of 1024 bytes.
std::string programFilePath();

// The program's folder: the executable's path up to, not including, its last backslash.
std::string programFolder();

// The current local time.
std::tm localTimeNow();

// The system's message text for a Win32 error code, exactly as the system gives it (with the
// line break it ends in), or nothing when the system has no text for the code.
std::optional<std::string> systemMessageText(std::uint32_t code);
