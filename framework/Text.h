#pragma once
#include <windows.h>

#include <string>

namespace fw {

// A string resource of the program; empty when it does not exist.
std::string loadString(int id);

// The parts of a command prompt string "status prompt\ntool tip": part 0 is shown in the status
// bar, part 1 as the tool tip. A missing part is empty.
std::string promptPart(const std::string& prompt, int part);

// The text of a window.
std::string windowText(HWND window);

}  // namespace fw
