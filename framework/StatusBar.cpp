#include "framework/StatusBar.h"

#include <commctrl.h>

#include "framework/FrameworkIds.h"
#include "framework/Gdi.h"
#include "framework/Text.h"

namespace fw {

namespace {

int textWidth(HWND window, const std::string& text) {
    WindowDC dc(window);
    ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), int(text.size()), &size);
    return size.cx;
}

}  // namespace

bool CStatusBar::create(HWND parent, const std::vector<int>& indicators) {
    hwnd = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(INT_PTR(StatusBarId)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return false;
    paneIndicators = indicators;
    paneTexts.assign(indicators.size(), std::string());
    int borders[3] = {};
    SendMessageA(hwnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    for (int indicator : indicators)
        paneWidths.push_back(indicator == 0 ? 0 : textWidth(hwnd, loadString(indicator)) + 4 * borders[2] + 8);
    layout();
    return true;
}

void CStatusBar::layout() {
    SendMessageA(hwnd, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(hwnd, &client);
    // The message pane takes what the indicators leave.
    int right = client.right;
    for (std::size_t i = 1; i < paneWidths.size(); ++i)
        right -= paneWidths[i];
    std::vector<int> edges{right};
    for (std::size_t i = 1; i < paneWidths.size(); ++i)
        edges.push_back(right += paneWidths[i]);
    edges.back() = -1;
    SendMessageA(hwnd, SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < paneTexts.size(); ++i)
        SendMessageA(hwnd, SB_SETTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(paneTexts[i].c_str()));
}

void CStatusBar::setPaneText(int pane, const std::string& text, bool redrawNow) {
    if (pane < 0 || std::size_t(pane) >= paneTexts.size())
        return;
    if (paneTexts[std::size_t(pane)] != text) {
        paneTexts[std::size_t(pane)] = text;
        SendMessageA(hwnd, SB_SETTEXTA, WPARAM(pane), reinterpret_cast<LPARAM>(text.c_str()));
    }
    if (redrawNow)
        UpdateWindow(hwnd);
}

std::string CStatusBar::paneText(int pane) const {
    if (pane < 0 || std::size_t(pane) >= paneTexts.size())
        return {};
    return paneTexts[std::size_t(pane)];
}

int CStatusBar::paneOf(int indicator) const {
    for (std::size_t i = 0; i < paneIndicators.size(); ++i)
        if (paneIndicators[i] == indicator)
            return int(i);
    return -1;
}

int CStatusBar::height() const {
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    return bounds.bottom - bounds.top;
}

}  // namespace fw
