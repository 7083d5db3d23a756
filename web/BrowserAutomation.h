#pragma once
#include <windows.h>
#include <exdisp.h>

#include <string>

#include "web/ComPtr.h"

// The platform's web browser driven through its automation object (CLSID_InternetExplorer with
// IWebBrowser2): the browser window that View HTML Pages opens and keeps hold of.

// A new browser window, not shown yet; null when the platform has no such object or COM is not
// set up on this thread.
ComPtr<IWebBrowser2> createBrowser();

// Connects sink to the browser's DWebBrowserEvents2; the connection cookie, 0 when no connection
// was made. disconnectEventSink undoes it.
DWORD connectEventSink(IWebBrowser2& browser, IUnknown& sink);
void disconnectEventSink(IWebBrowser2& browser, DWORD cookie);

// The browser's top-level window; null when the browser does not tell.
HWND browserFrameWindow(IWebBrowser2& browser);

// Makes the window fill the desktop work area (the screen without the task bar) and shows it.
void placeOnWorkArea(IWebBrowser2& browser, HWND frame);

void navigateTo(IWebBrowser2& browser, const std::string& url);

// Asks the browser to close its window.
void quitBrowser(IWebBrowser2& browser, HWND frame);

// Whether the browser window is still on the screen. The player's closing of the window is
// reported by the "OnQuit" event where the browser fires it; some browsers only hide the window.
// A browser that did not tell its window counts as showing.
bool browserWindowShowing(HWND frame);
