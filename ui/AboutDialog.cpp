#include "ui/AboutDialog.h"

#include "res/resource.h"

namespace {
const char SupportMailTarget[] = "mailto:support@hollowmere.example";
const char WebSiteTarget[] = "https://hollowmere.example";
}  // namespace

CAboutDialog::CAboutDialog() : fw::CDialog(IDD_ABOUTBOX) {}

// A visited link keeps the link colour, the active colour never shows, and hovering turns it red.
bool CAboutDialog::onInitDialog() {
    fw::CDialog::onInitDialog();
    mailLink.subclassDlgItem(IDC_ABOUT_MAIL_LINK, hwnd);
    siteLink.subclassDlgItem(IDC_ABOUT_SITE_LINK, hwnd);
    for (auto [link, target] : {std::pair{&mailLink, SupportMailTarget}, std::pair{&siteLink, WebSiteTarget}}) {
        link->setTarget(target);
        link->changeLinkStyle(0, CHyperLink::LinkHoverColor | CHyperLink::LinkNoActiveColor, true);
        CHyperLink::setLinkColors(RGB(0, 0, 255), RGB(64, 128, 128), RGB(0, 0, 255), RGB(255, 0, 0));
    }
    return true;
}

// The static controls ask the dialog for their colours; the links answer for themselves.
INT_PTR CAboutDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        // A link holds the mouse while the pointer is over it. Windows takes the capture away when
        // another program comes to the front, Wine leaves it: given up here, the link hears of it
        // and drops its hover colour either way.
        HWND captured = GetCapture();
        if (captured && IsChild(hwnd, captured))
            ReleaseCapture();
        return FALSE;
    }
    if (message != WM_CTLCOLORSTATIC)
        return FALSE;
    auto control = reinterpret_cast<HWND>(lParam);
    auto dc = reinterpret_cast<HDC>(wParam);
    if (control == mailLink.handle())
        return reinterpret_cast<INT_PTR>(mailLink.onCtlColor(dc));
    if (control == siteLink.handle())
        return reinterpret_cast<INT_PTR>(siteLink.onCtlColor(dc));
    return FALSE;
}
