#include "MouseDragDriver.h"

#include <commctrl.h>

#include <chrono>
#include <cstring>

#include "GuiDriver.h"

namespace gui {

namespace {

INPUT buttonAt(POINT screen, DWORD button) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void send(INPUT* inputs, UINT count) {
    SendInput(count, inputs, sizeof(INPUT));
    pause(std::chrono::milliseconds(150));
}

}  // namespace

void mouseButtonDown(POINT screen) {
    INPUT input = buttonAt(screen, MOUSEEVENTF_LEFTDOWN);
    send(&input, 1);
}

void mouseButtonUp(POINT screen) {
    INPUT input = buttonAt(screen, MOUSEEVENTF_LEFTUP);
    send(&input, 1);
}

void clickExactly(POINT screen) {
    moveMouseTo(screen);
    INPUT inputs[2] = {buttonAt(screen, MOUSEEVENTF_LEFTDOWN), buttonAt(screen, MOUSEEVENTF_LEFTUP)};
    send(inputs, 2);
}

void moveHeldMouseTo(POINT screen) {
    INPUT input = buttonAt(screen, 0);
    send(&input, 1);
}

void beginMouseDrag(POINT from, POINT to) {
    moveMouseTo(from);
    mouseButtonDown(from);
    const int steps = 4;
    for (int step = 1; step <= steps; ++step)
        moveHeldMouseTo(POINT{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
}

void dragMouse(POINT from, POINT to) {
    beginMouseDrag(from, to);
    mouseButtonUp(to);
}

UINT listItemState(HWND list, int item, UINT mask) {
    // The state comes back in the result, so no buffer in the other process is needed.
    return UINT(SendMessageA(list, LVM_GETITEMSTATE, WPARAM(item), LPARAM(mask)));
}

RECT listItemBounds(HANDLE process, HWND list, int item) {
    RemoteBuffer buffer(process, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    buffer.write(&bounds, sizeof bounds);
    SendMessageA(list, LVM_GETITEMRECT, WPARAM(item), buffer.address());
    std::string data = buffer.read(sizeof bounds);
    if (data.size() == sizeof bounds)
        std::memcpy(&bounds, data.data(), sizeof bounds);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

COLORREF screenPixel(POINT screen) {
    HDC dc = GetDC(nullptr);
    COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

}  // namespace gui
