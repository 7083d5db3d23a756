#include "diag/SystemErrorText.h"

#include <cstdio>

#include "platform/System.h"

std::string systemErrorText(std::uint32_t code, const std::string& suffix) {
    if (auto text = systemMessageText(code))
        return *text + suffix;
    char unknown[64];
    std::snprintf(unknown, sizeof unknown, "Unknown Error Code: 0x%08X (%d)", unsigned(code), int(code & 0xFFFF));
    return unknown;
}
