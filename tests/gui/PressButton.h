#pragma once
#include <windows.h>

#include <chrono>

#include "GuiDriver.h"

namespace gui {

// Clicks a button that closes its window (a message box's Yes, No or OK, a dialog's Cancel) and
// waits for the window to go. The click is made only once the window has come to rest and the
// button is what lies under the pointer, so that a window still being placed is not clicked beside
// the button; a lost click is given again, up to three times. True when the window closed.
inline bool pressButton(HWND button) {
    using namespace std::chrono_literals;
    HWND window = GetAncestor(button, GA_ROOT);
    for (int attempt = 0; attempt < 3 && IsWindow(window); ++attempt) {
        bringToFront(window);
        RECT previous{};
        GetWindowRect(window, &previous);
        waitFor(
            [&] {
                pause(100ms);
                RECT now{};
                GetWindowRect(window, &now);
                bool still = EqualRect(&now, &previous) != FALSE;
                previous = now;
                return still;
            },
            2s);
        POINT centre = centreOf(button);
        moveMouseTo(centre);
        if (WindowFromPoint(centre) != button)
            continue;
        clickAt(centre);
        if (waitFor([&] { return !IsWindow(window); }, 3s))
            return true;
    }
    return !IsWindow(window);
}

}  // namespace gui
