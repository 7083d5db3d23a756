#include "app/VelmoraView.h"

#include <shellapi.h>

#include "app/MainFrame.h"
#include "diag/EventLog.h"
#include "framework/WaitCursor.h"
#include "platform/ShellFileOps.h"
#include "web/FileUrl.h"
#include "web/ScrapbookPaths.h"

// The album's web pages in a browser window, and the album folder in the file browser.

namespace {
const char PageNotFoundTitle[] = "File Not Found";
const char PageNotFoundText[] =
    "The main photo album web page (scrapbook1.html)\nwas not found for this family. As a result, no\n"
    "HTML files can be opened.";
const char PageNotOpenedTitle[] = "Cannot Open Web Page";
const char PageNotOpenedText[] =
    "The main photo album web page (scrapbook1.html)\ncould not be opened in a web browser. The page is:\n\n";

// Wine's browser object only hides its window when the player closes it, and sends no "OnQuit":
// while the program holds a browser, it looks twice a second whether the window is still there.
constexpr UINT_PTR BrowserWatchTimer = 0x5657;
constexpr UINT BrowserWatchInterval = 500;
}  // namespace

// The family's scrapbook index page in a browser window of the program's own, which it keeps hold
// of until the player closes it; while it is held the command is disabled.
void CVelmoraView::OnViewHtmlPages() {
    const std::string page = scrapbookIndexPage(album);
    if (!ShellFileOps().exists(page)) {
        messageBox(PageNotFoundTitle, PageNotFoundText, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (webBrowser)
        return;

    fw::CWaitCursor wait;
    // Without our own single-threaded apartment the browser's events would come on other threads.
    if (comApartment && comApartment->entered())
        webBrowser = createBrowser();
    if (!webBrowser) {
        // No browser object on this system: the player's default browser shows the page, in a
        // window the program does not track, so the command stays available.
        openInDefaultBrowser(page);
        return;
    }
    browserEventCookie = connectEventSink(*webBrowser, *eventSink);
    browserWindow = browserFrameWindow(*webBrowser);
    placeOnWorkArea(*webBrowser, browserWindow);
    navigateTo(*webBrowser, fileUrlOf(page));
    SetTimer(hwnd, BrowserWatchTimer, BrowserWatchInterval, watchBrowserWindow);
}

void CVelmoraView::watchBrowserWindow(HWND, UINT, UINT_PTR, DWORD) {
    CVelmoraView& view = velmoraView();
    if (view.webBrowser && !browserWindowShowing(view.browserWindow))
        view.releaseBrowser();
}

// The shell opens the page by its path, in whatever program the system opens web pages with.
void CVelmoraView::openInDefaultBrowser(const std::string& page) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = mainFrame().handle();
    request.lpVerb = "open";
    request.lpFile = page.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&request))
        return;
    int result = int(reinterpret_cast<INT_PTR>(request.hInstApp));
    if (settings.enableLogging)
        eventLog.writeLabeled("ERROR:",
                              "Cannot open web page: " + page + " --- Result (" + std::to_string(result) + ")");
    messageBox(PageNotOpenedTitle, PageNotOpenedText + page, MB_OK | MB_ICONERROR);
}

// The shell's file browser shows the folder; whether it could is not reported.
void CVelmoraView::OnOpenNeighborhoodFolder() {
    ShellExecuteA(nullptr, "open", album.albumPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool CVelmoraView::browserAttached() const { return bool(webBrowser); }

void CVelmoraView::disconnectBrowserEvents() {
    if (browserEventCookie != 0 && webBrowser) {
        disconnectEventSink(*webBrowser, browserEventCookie);
        browserEventCookie = 0;
    }
}

// The player closed the browser window: the program lets go of it.
void CVelmoraView::releaseBrowser() {
    disconnectBrowserEvents();
    webBrowser.reset();
    browserWindow = nullptr;
    KillTimer(hwnd, BrowserWatchTimer);
}

// Another album is opened, or the program ends: the browser window goes too. The sink is
// disconnected first, so that the window's own "OnQuit" does not come back into this.
void CVelmoraView::closeBrowser() {
    disconnectBrowserEvents();
    if (webBrowser)
        quitBrowser(*webBrowser, browserWindow);
    releaseBrowser();
}
