#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/FormView.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"
#include "framework/Wnd.h"

namespace fw {

// The main window: menu, accelerators, toolbar, status bar and the one form view between them.
// Commands from the menu, the toolbar and the accelerators are tested against their enable rule
// and go to the view first, then to the frame, then to the application.
class CFrameWnd : public CWnd {
public:
    // Creates the window from the resources of resourceId (menu, accelerators, icon, title
    // string) and the view inside it, which the frame owns from then on.
    bool create(int resourceId, std::unique_ptr<CFormView> view);
    CFormView* view() const { return formView.get(); }

    // Shows the view for the first time (its onInitialUpdate).
    void initialUpdate();
    // Places toolbar, view and status bar in the client area.
    void recalcLayout();
    // Sizes the window so that its client area holds the form exactly.
    void resizeToFitView();

    // Accelerators, then the view's keyboard navigation. True when the message was used.
    bool preTranslateMessage(MSG& message);
    // Idle pass: enable states of the toolbar buttons, texts of the status-bar indicators.
    virtual void onIdleUpdate();

    // Shows a text in the message pane at once.
    void setMessageText(const std::string& text);
    // The idle text comes back when the queue has emptied.
    void postIdleMessage();

    // The enable rule of a command; commands nobody knows are disabled.
    virtual bool isCommandEnabled(int /*id*/) { return false; }
    // Sends a command along the route when its rule enables it. True when someone handled it.
    bool executeCommand(int id);

    CToolBar& toolBar() { return bar; }
    CStatusBar& statusBar() { return status; }

protected:
    // Adjusts the creation style of the window.
    virtual void preCreateWindow(DWORD& /*style*/) {}
    // Creates the bars. False fails the creation of the window.
    virtual bool onCreate() { return true; }
    // The text of a status-bar indicator at idle time.
    virtual std::string indicatorText(int /*indicator*/) { return {}; }
    // Commands of the frame itself: Exit closes the window.
    virtual bool onCommand(int id);
    // A request to close: the default destroys the window.
    virtual void onClose();
    // All other messages.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool onNotify(NMHDR& header, LRESULT& result);
    void onMenuSelect(int item, UINT flags, HMENU menu);
    void onInitMenuPopup(HMENU popup);
    void paintToolBarEdge();

    std::unique_ptr<CFormView> formView;
    CToolBar bar;
    CStatusBar status;
    HACCEL accelerators = nullptr;
    int resourceId = 0;
};

}  // namespace fw
