#include "app/VelmoraView.h"

#include <shellapi.h>

// The album's web pages in a browser window, and the album folder in the file browser.

void CVelmoraView::OnViewHtmlPages() {}

// The shell's file browser shows the folder; whether it could is not reported.
void CVelmoraView::OnOpenNeighborhoodFolder() {
    ShellExecuteA(nullptr, "open", album.albumPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool CVelmoraView::browserAttached() const { return false; }

void CVelmoraView::closeBrowser() {}
