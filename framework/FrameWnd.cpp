#include "framework/FrameWnd.h"

#include <commctrl.h>

#include "framework/App.h"
#include "framework/FrameworkIds.h"
#include "framework/Gdi.h"
#include "framework/Text.h"
#include "framework/WaitCursor.h"

namespace fw {

namespace {
constexpr const char* FrameClassName = "VelmoraFrame";
// Room for the etched line between the toolbar and the form.
constexpr int ToolBarEdgeHeight = 2;
}  // namespace

bool CFrameWnd::create(int id, std::unique_ptr<CFormView> view) {
    resourceId = id;
    formView = std::move(view);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    // Shared icons belong to the system, which frees them with the program.
    windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                      LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FrameClassName;
    RegisterClassExA(&windowClass);

    accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(id));
    DWORD style = WS_OVERLAPPEDWINDOW;
    preCreateWindow(style);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(id));
    std::string title = loadString(id);
    if (!CreateWindowExA(0, FrameClassName, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, menu, instance, this)) {
        if (menu)
            DestroyMenu(menu);
        return false;
    }
    return true;
}

void CFrameWnd::initialUpdate() {
    if (formView)
        formView->onInitialUpdate();
}

void CFrameWnd::recalcLayout() {
    RECT client{};
    GetClientRect(hwnd, &client);
    int top = 0;
    if (bar.handle()) {
        SendMessageA(bar.handle(), TB_AUTOSIZE, 0, 0);
        top = bar.height() + ToolBarEdgeHeight;
    }
    int bottom = client.bottom;
    if (status.handle()) {
        status.layout();
        bottom -= status.height();
    }
    if (formView && formView->handle())
        SetWindowPos(formView->handle(), nullptr, 0, top, client.right, bottom - top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void CFrameWnd::resizeToFitView() {
    if (!formView)
        return;
    SIZE form = formView->formSize();
    int barsHeight = (bar.handle() ? bar.height() + ToolBarEdgeHeight : 0) + (status.handle() ? status.height() : 0);
    // The menu bar may wrap onto more lines when the width changes; a second pass corrects for it.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        RECT window{};
        GetClientRect(hwnd, &client);
        GetWindowRect(hwnd, &window);
        int width = (window.right - window.left) + form.cx - client.right;
        int height = (window.bottom - window.top) + form.cy + barsHeight - client.bottom;
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    recalcLayout();
}

bool CFrameWnd::preTranslateMessage(MSG& message) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
        if (message.hwnd != hwnd && !IsChild(hwnd, message.hwnd))
            return false;
        if (accelerators && TranslateAcceleratorA(hwnd, accelerators, &message))
            return true;
    }
    return formView && formView->preTranslateMessage(message);
}

void CFrameWnd::onIdleUpdate() {
    if (bar.handle())
        for (int command : bar.commands())
            bar.enableButton(command, isCommandEnabled(command));
    if (status.handle())
        for (int indicator : status.indicators())
            if (indicator != 0)
                status.setPaneText(status.paneOf(indicator), indicatorText(indicator));
}

void CFrameWnd::setMessageText(const std::string& text) {
    if (status.handle())
        status.setPaneText(0, text, true);
}

void CFrameWnd::postIdleMessage() { PostMessageA(hwnd, SetMessageString, IdleMessageString, 0); }

bool CFrameWnd::executeCommand(int id) {
    if (!isCommandEnabled(id))
        return false;
    if (formView && formView->onCommand(id))
        return true;
    if (onCommand(id))
        return true;
    return CApp::current() && CApp::current()->onCommand(id);
}

bool CFrameWnd::onCommand(int id) {
    if (id == AppExitCommand) {  // the same road as the close box
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

void CFrameWnd::onClose() { DestroyWindow(hwnd); }

void CFrameWnd::onMenuSelect(int item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {  // the menu closed
        setMessageText(loadString(IdleMessageString));
        return;
    }
    if (item == 0 || (flags & (MF_SEPARATOR | MF_POPUP))) {
        setMessageText("");
        return;
    }
    setMessageText(promptPart(loadString(item), 0));
}

void CFrameWnd::onInitMenuPopup(HMENU popup) {
    int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        UINT id = GetMenuItemID(popup, position);
        if (id == 0 || id == UINT(-1))  // separator or submenu
            continue;
        EnableMenuItem(popup, id, MF_BYCOMMAND | (isCommandEnabled(int(id)) ? MF_ENABLED : MF_GRAYED));
    }
}

bool CFrameWnd::onNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case TTN_GETDISPINFOA: {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        if (info.uFlags & TTF_IDISHWND)
            return false;
        std::string tip = promptPart(loadString(int(header.idFrom)), 1);
        lstrcpynA(info.szText, tip.c_str(), int(sizeof info.szText));
        info.lpszText = info.szText;
        result = 0;
        return true;
    }
    case TTN_GETDISPINFOW: {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        if (info.uFlags & TTF_IDISHWND)
            return false;
        std::string tip = promptPart(loadString(int(header.idFrom)), 1);
        MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, info.szText, int(sizeof info.szText / sizeof(WCHAR)));
        info.lpszText = info.szText;
        result = 0;
        return true;
    }
    case TBN_HOTITEMCHANGE: {
        // Fly-by help: the prompt of the button under the mouse, the idle text when it leaves.
        auto& change = reinterpret_cast<NMTBHOTITEM&>(header);
        if (change.dwFlags & HICF_LEAVING)
            setMessageText(loadString(IdleMessageString));
        else
            setMessageText(promptPart(loadString(change.idNew), 0));
        result = 0;
        return true;
    }
    }
    return false;
}

void CFrameWnd::paintToolBarEdge() {
    PaintDC dc(hwnd);
    if (bar.handle()) {
        RECT client{};
        GetClientRect(hwnd, &client);
        RECT edge{0, bar.height(), client.right, bar.height() + ToolBarEdgeHeight};
        DrawEdge(dc.get(), &edge, EDGE_ETCHED, BF_TOP);
    }
}

LRESULT CFrameWnd::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CFrameWnd::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!onCreate())
            return -1;
        if (formView && !formView->create(hwnd, FirstPaneId))
            return -1;
        recalcLayout();
        return 0;
    case WM_SIZE:
        recalcLayout();
        return 0;
    case WM_PAINT:
        paintToolBarEdge();
        return 0;
    case WM_COMMAND:
        // Menus, accelerators and toolbar buttons; the form's own controls talk to the form.
        executeCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (onNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_MENUSELECT:
        onMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            onInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case SetMessageString:
        setMessageText(wParam ? promptPart(loadString(int(wParam)), 0)
                              : std::string(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        return 0;
    case WM_ACTIVATE:
        if (formView) {
            if (LOWORD(wParam) == WA_INACTIVE)
                formView->saveFocus();
            else if (!HIWORD(wParam))
                formView->restoreFocus();
        }
        return 0;
    case WM_SETCURSOR:
        if (restoreWaitCursor())
            return TRUE;
        break;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_NCDESTROY: {
        LRESULT result = handleMessage(message, wParam, lParam);
        hwnd = nullptr;
        return result;
    }
    }
    return handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK CFrameWnd::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* frame = static_cast<CFrameWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        frame->hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<CFrameWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!frame)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = frame->dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return result;
}

}  // namespace fw
