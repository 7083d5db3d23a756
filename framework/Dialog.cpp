#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/WaitCursor.h"

namespace fw {

INT_PTR CDialog::runModal(HWND owner) {
    if (!owner && CApp::current())
        owner = CApp::current()->mainWindow();
    ended = false;
    result = IDCANCEL;
    // The owner takes no input from before the dialog is created: a dialog may show a message box
    // while it initialises, and the owner must not be usable behind it.
    bool ownerDisabled = owner && IsWindowEnabled(owner);
    if (ownerDisabled)
        EnableWindow(owner, FALSE);
    if (!CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, dialogProc,
                            reinterpret_cast<LPARAM>(this))) {
        if (ownerDisabled)
            EnableWindow(owner, TRUE);
        return -1;
    }
    if (!ended) {
        centerOver(owner);
        ShowWindow(hwnd, SW_SHOW);
    }
    runModalLoop();
    // The owner is enabled again before the dialog goes, so that the system activates it and not
    // some other program's window.
    if (ownerDisabled)
        EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == hwnd)
        SetActiveWindow(owner);
    DestroyWindow(hwnd);
    hwnd = nullptr;
    return result;
}

void CDialog::centerOver(HWND owner) {
    RECT area{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    int left = area.left + ((area.right - area.left) - width) / 2;
    int top = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(hwnd, nullptr, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::runModalLoop() {
    MSG message{};
    bool idle = true;
    while (!ended) {
        if (idle && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            onIdleUpdate();
            idle = false;
            continue;
        }
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The application is quitting: end the dialog and let the main loop see the quit.
            PostQuitMessage(int(message.wParam));
            break;
        }
        if (!IsDialogMessageA(hwnd, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (isIdleMessage(message))
            idle = true;
    }
}

void CDialog::endDialog(INT_PTR value) {
    result = value;
    ended = true;
}

void CDialog::updateData(bool saving) {
    DataExchange exchange(hwnd, saving);
    exchangeData(exchange);
}

bool CDialog::onInitDialog() {
    updateData(false);
    return true;
}

void CDialog::onOk() {
    updateData(true);
    endDialog(IDOK);
}

INT_PTR CDialog::handleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CDialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (onCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (id == IDOK) {
            onOk();
            return TRUE;
        }
        if (id == IDCANCEL) {
            onCancel();
            return TRUE;
        }
        break;
    }
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
    }
    return handleMessage(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->hwnd = window;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return dialog ? dialog->dispatch(message, wParam, lParam) : FALSE;
}

}  // namespace fw
