#include "app/MainFrame.h"

#include "app/CommandAvailability.h"
#include "app/MainWindowTexts.h"
#include "app/VelmoraView.h"
#include "framework/App.h"
#include "framework/Text.h"
#include "res/resource.h"

namespace {
const char DiscardChangesTitle[] = "Discard Changes?";
const char DiscardChangesText[] =
    "You have made changes to the current album,\nbut have not applied them. Are you sure you\n"
    "want to discard these changes?";
}  // namespace

CMainFrame& mainFrame() { return *static_cast<CMainFrame*>(fw::CApp::current()->mainFrame()); }

CVelmoraView* CMainFrame::velmoraView() const { return static_cast<CVelmoraView*>(view()); }

void CMainFrame::preCreateWindow(DWORD& style) {
    // The form has a fixed size, so the window can't be resized or maximized.
    style &= ~DWORD(WS_THICKFRAME | WS_MAXIMIZEBOX);
}

bool CMainFrame::onCreate() {
    if (!toolBar().create(handle(), IDR_MAINFRAME) || !statusBar().create(handle(), {0, ID_INDICATOR_PHOTOS}))
        return false;
    toolBar().setImages(IDB_TOOLBAR, IDB_TOOLBAR_HOT, RGB(192, 192, 192));
    setMessageText(fw::loadString(IDS_IDLE_MESSAGE));
    return true;
}

void CMainFrame::setStatusText(const std::string& text) {
    if (text.empty())
        postIdleMessage();
    else
        setMessageText(text);
}

bool CMainFrame::isCommandEnabled(int id) {
    CVelmoraView* view = velmoraView();
    return commandEnabled(id, view ? view->commandContext() : CommandContext{});
}

std::string CMainFrame::indicatorText(int indicator) {
    if (indicator == ID_INDICATOR_PHOTOS)
        return photoCountText(velmoraView() ? velmoraView()->commandContext().rowCount : 0);
    return {};
}

bool CMainFrame::discardChangesConfirmed() {
    return MessageBoxA(handle(), DiscardChangesText, DiscardChangesTitle,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void CMainFrame::onClose() {
    if (albumChanged && !discardChangesConfirmed())
        return;
    CFrameWnd::onClose();
}
