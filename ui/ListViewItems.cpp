#include "ui/ListViewItems.h"

#include <commctrl.h>

#include <vector>

int listItemCount(HWND list) { return int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

int insertListItem(HWND list, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = listItemCount(list);
    item.pszText = const_cast<char*>(text.c_str());
    return int(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string listItemText(HWND list, int index) {
    // LVM_GETITEMTEXT gives back the number of characters it copied; a full buffer may have cut
    // the text, so it is asked again with a larger one.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = buffer.data();
        item.cchTextMax = int(buffer.size());
        auto copied = std::size_t(SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(index), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size())
            return std::string(buffer.data(), copied);
        buffer.resize(buffer.size() * 2);
    }
}

int findListItem(HWND list, const std::string& text) {
    int count = listItemCount(list);
    for (int index = 0; index < count; ++index)
        if (listItemText(list, index) == text)
            return index;
    return -1;
}

void selectListItem(HWND list, int index) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
}

int listItemAtMessagePos(HWND list) {
    DWORD position = GetMessagePos();
    LVHITTESTINFO hit{};
    // The coordinates are signed: on a monitor left of or above the primary one they are negative.
    hit.pt = {short(LOWORD(position)), short(HIWORD(position))};
    ScreenToClient(list, &hit.pt);
    int index = int(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return index >= 0 && (hit.flags & LVHT_ONITEM) ? index : -1;
}

std::string selectedComboText(HWND combo) {
    LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return {};
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(selected), 0);
    if (length == CB_ERR)
        return {};
    std::string text(std::size_t(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(length));
    return text;
}
