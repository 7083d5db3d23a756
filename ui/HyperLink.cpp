#include "ui/HyperLink.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <optional>

#include "framework/FrameworkIds.h"
#include "framework/Text.h"
#include "platform/Registry.h"

namespace {
constexpr UINT_PTR SubclassId = 1;
constexpr UINT ToolId = 1;
// The hand cursor of the help viewer: cursor 106 of winhlp32.exe in the Windows folder.
constexpr int HandCursorId = 106;
// Registry defaults of the fallback are read into buffers of this size.
constexpr std::size_t RegistryTextSize = 260;

hyperlink::Colors linkColors{RGB(0, 0, 255), RGB(0, 128, 128), RGB(128, 0, 128), RGB(255, 0, 0)};

// One cursor for all links: loaded by the first link that needs it, destroyed with any link.
HCURSOR linkCursor = nullptr;

// The help viewer's hand when its program is there, else the system's own hand. Either is copied,
// so that every link cursor is the program's own to destroy.
void loadLinkCursor() {
    if (linkCursor)
        return;
    char windowsFolder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(windowsFolder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        std::string helpViewer = std::string(windowsFolder) + "\\winhlp32.exe";
        if (HMODULE module = LoadLibraryExA(helpViewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            // The copy outlives the module, which is unloaded at once.
            if (HCURSOR cursor = LoadCursorA(module, MAKEINTRESOURCEA(HandCursorId)))
                linkCursor = CopyCursor(cursor);
            FreeLibrary(module);
        }
    }
    // Current Windows and Wine come without the old help viewer.
    if (!linkCursor)
        if (HCURSOR systemHand = LoadCursor(nullptr, IDC_HAND))
            linkCursor = CopyCursor(systemHand);
}

void destroyLinkCursor() {
    if (linkCursor)
        DestroyCursor(linkCursor);
    linkCursor = nullptr;
}

// The default value of a key of HKEY_CLASSES_ROOT, when it fits the buffer. Anyone may write these
// values (HKEY_CURRENT_USER\Software\Classes), so a value that fills the buffer without a NUL
// is read as exactly the bytes it has.
std::optional<std::string> readClassDefault(const std::string& key) {
    return systemRegistry().readString(RegistryHive::ClassesRoot, key, "", RegistryTextSize);
}
}  // namespace

CHyperLink::~CHyperLink() {
    if (hwnd)
        RemoveWindowSubclass(hwnd, subclassProc, SubclassId);
}

bool CHyperLink::subclassDlgItem(int id, HWND dialog) {
    hwnd = GetDlgItem(dialog, id);
    if (!hwnd)
        return false;
    SetWindowSubclass(hwnd, subclassProc, SubclassId, reinterpret_cast<DWORD_PTR>(this));
    std::string text = fw::windowText(hwnd);
    if (target.empty())
        target = text;
    if (text.empty())
        SetWindowTextA(hwnd, target.c_str());
    if (SendMessageA(hwnd, WM_GETFONT, 0, 0)) {
        setUnderlinedFont();
        fitToText();
    } else {
        linkStyle &= ~LinkFitToText;
    }
    if (!(linkStyle & LinkNoCursor))
        loadLinkCursor();
    createToolTip();
    return true;
}

void CHyperLink::setTarget(const std::string& text) {
    target = text;
    if (!hwnd)
        return;
    ShowWindow(hwnd, SW_HIDE);
    fitToText();
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd;
    tool.uId = ToolId;
    tool.lpszText = const_cast<char*>(target.c_str());
    SendMessageA(toolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    ShowWindow(hwnd, SW_SHOW);
}

bool CHyperLink::changeLinkStyle(unsigned remove, unsigned add, bool apply) {
    if (remove & add)
        return false;
    linkStyle = (linkStyle & ~remove) | add;
    if (!apply || !hwnd)
        return true;
    if ((remove | add) & LinkUnderlined) {
        ShowWindow(hwnd, SW_HIDE);
        setUnderlinedFont();
        fitToText();
        ShowWindow(hwnd, SW_SHOW);
    }
    if (add & LinkFitToText)
        fitToText();
    if (remove & LinkHoverColor)
        repaint();
    return true;
}

void CHyperLink::setLinkColors(COLORREF linkColor, COLORREF activeColor, COLORREF visitedColor, COLORREF hoverColor) {
    linkColors = {linkColor, activeColor, visitedColor,
                  hoverColor == COLORREF(-1) ? GetSysColor(COLOR_HIGHLIGHT) : hoverColor};
}

// The control's current font, again with or without underline.
void CHyperLink::setUnderlinedFont() {
    auto current = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    if (!current || !GetObjectA(current, sizeof description, &description))
        return;
    description.lfUnderline = (linkStyle & LinkUnderlined) ? TRUE : FALSE;
    auto replacement = std::make_unique<fw::ScopedGdiObject<HFONT>>(CreateFontIndirectA(&description));
    if (!replacement->get())
        return;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(replacement->get()), TRUE);
    // The control no longer uses the previous link font, which goes now.
    linkFont = std::move(replacement);
}

// The control keeps its place and takes the size of its text, aligned as the static is.
void CHyperLink::fitToText() {
    if (!(linkStyle & LinkFitToText) || !hwnd)
        return;
    std::string text = fw::windowText(hwnd);
    SIZE extent{};
    {
        fw::WindowDC dc(hwnd);
        fw::ScopedSelect font(dc.get(), linkFont ? linkFont->get() : nullptr);
        GetTextExtentPoint32A(dc.get(), text.c_str(), int(text.size()), &extent);
    }
    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&bounds), 2);
    RECT client{};
    GetClientRect(hwnd, &client);
    int borderWidth = (bounds.right - bounds.left) - client.right;
    int borderHeight = (bounds.bottom - bounds.top) - client.bottom;

    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    RECT fitted = bounds;
    if (style & SS_CENTERIMAGE) {
        int middle = (bounds.top + bounds.bottom) / 2;
        fitted.top = middle - extent.cy / 2;
        fitted.bottom = fitted.top + extent.cy;
    } else {
        fitted.bottom = bounds.top + extent.cy;
    }
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: {
        int middle = (bounds.left + bounds.right) / 2;
        fitted.left = middle - extent.cx / 2;
        fitted.right = fitted.left + extent.cx;
        break;
    }
    case SS_RIGHT: fitted.left = bounds.right - extent.cx; break;
    default: fitted.right = bounds.left + extent.cx; break;
    }
    MoveWindow(hwnd, fitted.left, fitted.top, (fitted.right - fitted.left) + borderWidth,
               (fitted.bottom - fitted.top) + borderHeight, TRUE);
}

// The tool tip follows the mouse over the control by subclassing it itself.
void CHyperLink::createToolTip() {
    toolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (!toolTip)
        return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd;
    tool.uId = ToolId;
    GetClientRect(hwnd, &tool.rect);
    tool.lpszText = const_cast<char*>(target.c_str());
    SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::repaint() { InvalidateRect(hwnd, nullptr, TRUE); }

HBRUSH CHyperLink::onCtlColor(HDC dc) const {
    SetTextColor(dc, hyperlink::textColor({active, hover, visited}, linkStyle, linkColors));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

bool CHyperLink::openTarget() {
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW));
    if (result <= 32) {
        if (auto documentClass = readClassDefault(".htm"))
            if (auto command = readClassDefault(*documentClass + "\\shell\\open\\command"))
                result = INT_PTR(WinExec(hyperlink::fallbackCommandLine(*command, target).c_str(), SW_SHOW));
    }
    if (result <= 32) {
        reportOpenFailure(result);
        return false;
    }
    visited = true;
    repaint();
    return true;
}

void CHyperLink::reportOpenFailure(long long code) const {
    MessageBeep(MB_ICONEXCLAMATION);
    std::string text = "Can't open link:\n\n" + hyperlink::openFailureReason(code);
    std::string title = fw::loadString(fw::AppTitleString);
    MessageBoxA(GetParent(hwnd), text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CHyperLink::onMouseMove(POINT point) {
    if (!hover) {
        // Only the window in front keeps the mouse captured: a link behind another program could
        // not tell when the pointer leaves it, and would stay lit.
        if (GetForegroundWindow() != GetAncestor(hwnd, GA_ROOT))
            return;
        hover = true;
        repaint();
        SetCapture(hwnd);
        return;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    if (PtInRect(&client, point))
        return;
    hover = false;
    ReleaseCapture();
    repaint();
}

LRESULT CHyperLink::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        if (!linkCursor)
            return FALSE;
        SetCursor(linkCursor);
        return TRUE;
    case WM_NCHITTEST:
        // A static control is transparent to the mouse; the link wants its clicks.
        return HTCLIENT;
    case WM_MOUSEMOVE:
        onMouseMove({short(LOWORD(lParam)), short(HIWORD(lParam))});
        return 0;
    case WM_LBUTTONDOWN:
        if (linkStyle & LinkFocusOnClick)
            SetFocus(hwnd);
        if (linkStyle & LinkOpenOnPress)
            openTarget();
        active = true;
        return 0;
    case WM_LBUTTONUP:
        if (active && !(linkStyle & LinkOpenOnPress))
            openTarget();
        return 0;
    case WM_SETFOCUS:
        active = true;
        repaint();
        return 0;
    case WM_KILLFOCUS:
        hover = false;
        active = false;
        repaint();
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (another program came to the front, a menu opened): the
        // pointer may leave without the link hearing of it, so the hover ends here.
        if (hover) {
            hover = false;
            repaint();
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            openTarget();
            return 0;
        }
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CHyperLink::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    auto* link = reinterpret_cast<CHyperLink*>(self);
    if (message == WM_NCDESTROY) {
        destroyLinkCursor();
        RemoveWindowSubclass(window, subclassProc, SubclassId);
        link->hwnd = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return link->handleMessage(message, wParam, lParam);
}
