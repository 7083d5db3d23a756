#include "framework/ToolBar.h"

#include "framework/FrameworkIds.h"

namespace fw {

namespace {

// The layout of a toolbar resource: version, button size, and the commands, 0 for a separator.
bool loadLayout(int resourceId, std::vector<int>& items) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(ToolBarResourceType));
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* words = static_cast<const WORD*>(LockResource(loaded));
    DWORD size = SizeofResource(module, found);
    if (!words || size < 4 * sizeof(WORD) || words[0] != 1)
        return false;
    WORD count = words[3];
    if (size < (4u + count) * sizeof(WORD))
        return false;
    items.assign(words + 4, words + 4 + count);
    return true;
}

}  // namespace

bool CToolBar::create(HWND parent, int resourceId) {
    std::vector<int> items;
    if (!loadLayout(resourceId, items))
        return false;
    hwnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP |
                               CCS_NODIVIDER,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(ToolBarId)),
                           GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return false;
    SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (int command : items) {
        TBBUTTON button{};
        if (command == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.idCommand = command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            buttonCommands.push_back(command);
        }
        buttons.push_back(button);
    }
    SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageA(hwnd, TB_ADDBUTTONSA, WPARAM(buttons.size()), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(hwnd, TB_AUTOSIZE, 0, 0);
    return true;
}

bool CToolBar::setImages(int normalBitmapId, int hotBitmapId, COLORREF mask) {
    const UINT flags = ILC_COLOR16 | ILC_MASK;
    if (!normalImages.create(16, 16, flags, 8, 4) || !normalImages.addMaskedBitmap(normalBitmapId, mask) ||
        !hotImages.create(16, 16, flags, 8, 4) || !hotImages.addMaskedBitmap(hotBitmapId, mask))
        return false;
    SendMessageA(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normalImages.get()));
    SendMessageA(hwnd, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages.get()));
    SendMessageA(hwnd, TB_AUTOSIZE, 0, 0);
    return true;
}

void CToolBar::enableButton(int command, bool enabled) {
    bool isEnabled = SendMessageA(hwnd, TB_ISBUTTONENABLED, WPARAM(command), 0) != 0;
    if (isEnabled != enabled)
        SendMessageA(hwnd, TB_ENABLEBUTTON, WPARAM(command), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

int CToolBar::height() const {
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    return bounds.bottom - bounds.top;
}

}  // namespace fw
