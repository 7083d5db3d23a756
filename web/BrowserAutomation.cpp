#include "web/BrowserAutomation.h"

#include <ocidl.h>

#include <vector>

ComPtr<IWebBrowser2> createBrowser() {
    ComPtr<IWebBrowser2> browser;
    if (FAILED(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IWebBrowser2, reinterpret_cast<void**>(browser.put()))))
        browser.reset();
    return browser;
}

namespace {

ComPtr<IConnectionPoint> browserEventsConnection(IWebBrowser2& browser) {
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(browser.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()))))
        if (FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put())))
            point.reset();
    return point;
}

}  // namespace

DWORD connectEventSink(IWebBrowser2& browser, IUnknown& sink) {
    DWORD cookie = 0;
    ComPtr<IConnectionPoint> point = browserEventsConnection(browser);
    if (!point || FAILED(point->Advise(&sink, &cookie)))
        return 0;
    return cookie;
}

void disconnectEventSink(IWebBrowser2& browser, DWORD cookie) {
    if (ComPtr<IConnectionPoint> point = browserEventsConnection(browser))
        point->Unadvise(cookie);
}

HWND browserFrameWindow(IWebBrowser2& browser) {
    SHANDLE_PTR window = 0;
    if (FAILED(browser.get_HWND(&window)))
        return nullptr;
    return reinterpret_cast<HWND>(window);
}

void placeOnWorkArea(IWebBrowser2& browser, HWND frame) {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    bool placed = SUCCEEDED(browser.put_Left(area.left)) && SUCCEEDED(browser.put_Top(area.top)) &&
                  SUCCEEDED(browser.put_Width(area.right - area.left)) &&
                  SUCCEEDED(browser.put_Height(area.bottom - area.top));
    // Wine's browser object has no placement properties (E_NOTIMPL); its window can be moved all the same.
    if (!placed && frame)
        SetWindowPos(frame, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    browser.put_Visible(VARIANT_TRUE);
}

void navigateTo(IWebBrowser2& browser, const std::string& url) {
    int length = MultiByteToWideChar(CP_ACP, 0, url.c_str(), int(url.size()), nullptr, 0);
    std::vector<wchar_t> wide(std::size_t(length) + 1);
    MultiByteToWideChar(CP_ACP, 0, url.c_str(), int(url.size()), wide.data(), length);
    BSTR address = SysAllocStringLen(wide.data(), UINT(length));
    VARIANT empty;
    VariantInit(&empty);
    browser.Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
    VariantClear(&empty);
}

void quitBrowser(IWebBrowser2& browser, HWND frame) {
    // Wine's browser object has no Quit (E_NOTIMPL); closing its window is what a player would do.
    if (FAILED(browser.Quit()) && frame && IsWindow(frame))
        PostMessageA(frame, WM_CLOSE, 0, 0);
}

bool browserWindowShowing(HWND frame) { return !frame || (IsWindow(frame) && IsWindowVisible(frame)); }
