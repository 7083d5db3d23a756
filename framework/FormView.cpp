#include "framework/FormView.h"

#include "framework/DataExchange.h"
#include "framework/WaitCursor.h"

namespace fw {

bool CFormView::create(HWND parent, int id) {
    onPreCreate();
    if (!CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, dialogProc,
                            reinterpret_cast<LPARAM>(this)))
        return false;
    SetWindowLongPtrA(hwnd, GWLP_ID, id);
    ShowWindow(hwnd, SW_SHOWNA);
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    templateSize = {bounds.right - bounds.left, bounds.bottom - bounds.top};
    return true;
}

void CFormView::updateData(bool saving) {
    DataExchange exchange(hwnd, saving);
    exchangeData(exchange);
}

bool CFormView::preTranslateMessage(MSG& message) {
    if (!hwnd || (message.hwnd != hwnd && !IsChild(hwnd, message.hwnd)))
        return false;
    return IsDialogMessageA(hwnd, &message) != FALSE;
}

void CFormView::saveFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd, focus))
        focusedControl = focus;
}

void CFormView::restoreFocus() {
    if (focusedControl && IsWindow(focusedControl) && IsChild(hwnd, focusedControl))
        SetFocus(focusedControl);
    else if (HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE))
        SetFocus(first);
}

INT_PTR CFormView::handleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CFormView::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_COMMAND:
        // Enter and Escape in a form reach it as IDOK and IDCANCEL; a form is not closed by them.
        if (lParam == 0)
            return TRUE;
        return onControlCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                                  : FALSE;
    case WM_NOTIFY: {
        LRESULT notifyResult = 0;
        if (onNotify(*reinterpret_cast<NMHDR*>(lParam), notifyResult)) {
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, notifyResult);
            return TRUE;
        }
        break;
    }
    case WM_SETCURSOR:
        if (restoreWaitCursor()) {
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        onDestroy();
        break;
    case WM_NCDESTROY:
        hwnd = nullptr;
        return FALSE;
    }
    return handleMessage(message, wParam, lParam);
}

INT_PTR CALLBACK CFormView::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<CFormView*>(lParam)->hwnd = window;
    }
    auto* view = reinterpret_cast<CFormView*>(GetWindowLongPtrA(window, DWLP_USER));
    return view ? view->dispatch(message, wParam, lParam) : FALSE;
}

}  // namespace fw
