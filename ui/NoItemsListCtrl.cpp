#include "ui/NoItemsListCtrl.h"

#include <commctrl.h>

namespace {
const char NoItemsText[] = "No Items Available";
constexpr UINT_PTR SubclassId = 1;
// Room between the column headings and the text.
constexpr int TextGap = 10;

// Restores a device context to the state it had when the object was made.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc(dc), saved(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState() { RestoreDC(dc, saved); }

private:
    HDC dc;
    int saved;
};
}  // namespace

CNoItemsListCtrl::~CNoItemsListCtrl() { detach(); }

bool CNoItemsListCtrl::attach(HWND dialog, int id) {
    detach();
    HWND control = GetDlgItem(dialog, id);
    if (!control || !SetWindowSubclass(control, subclassProc, SubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd = control;
    return true;
}

void CNoItemsListCtrl::detach() {
    if (hwnd)
        RemoveWindowSubclass(hwnd, subclassProc, SubclassId);
    hwnd = nullptr;
}

int CNoItemsListCtrl::itemCount() const { return hwnd ? int(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0)) : 0; }

// The empty list gets the window colour below its column headings and the text centred near the
// top. The rectangle is the whole window's in client coordinates: its top lies one border above
// the client area, which the 2 pixels added below the headings make up for.
void CNoItemsListCtrl::paintEmptyList(HDC dc) const {
    SavedDcState state(dc);
    RECT area{};
    GetWindowRect(hwnd, &area);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&area), 2);
    HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0));
    RECT heading{};
    if (header && SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&heading)))
        area.top += heading.bottom + 2;
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    area.top += TextGap;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    DrawTextA(dc, NoItemsText, -1, &area, DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);
}

LRESULT CALLBACK CNoItemsListCtrl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR self) {
    auto* list = reinterpret_cast<CNoItemsListCtrl*>(self);
    switch (message) {
    case WM_ERASEBKGND:
        if (list->itemCount() == 0) {
            list->paintEmptyList(reinterpret_cast<HDC>(wParam));
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        list->detach();
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
