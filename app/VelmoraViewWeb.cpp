#include "app/VelmoraView.h"

// The album's web pages in a browser window, and the album folder in the file browser.

void CVelmoraView::OnViewHtmlPages() {}

void CVelmoraView::OnOpenNeighborhoodFolder() {}

bool CVelmoraView::browserAttached() const { return false; }

void CVelmoraView::closeBrowser() {}
