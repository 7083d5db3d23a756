#pragma once
#include <windows.h>

#include "framework/Wnd.h"

// A list control of a dialog that paints "No Items Available" while it has no items, so that an
// empty list reads as empty rather than as not filled yet. The two album-picking dialogs use it.
class CNoItemsListCtrl : public fw::CWnd {
public:
    CNoItemsListCtrl() = default;
    ~CNoItemsListCtrl() override;

    // Takes over the list control id of dialog. False when the dialog has no such control.
    bool attach(HWND dialog, int id);
    // Gives the control back its own behaviour; the window itself stays.
    void detach();

    int itemCount() const;

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR self);
    void paintEmptyList(HDC dc) const;
};
