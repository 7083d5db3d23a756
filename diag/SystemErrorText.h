#pragma once
#include <cstdint>
#include <string>

// The system's text for a Win32 error code followed by suffix (when not empty), or
// "Unknown Error Code: 0x%08X (%d)" with the code and its low 16 bits when the system has no text.
std::string systemErrorText(std::uint32_t code, const std::string& suffix);
