#pragma once
#include <windows.h>

#include "framework/Wnd.h"

namespace fw {

class DataExchange;

// The single view of the main window: a child window built from a dialog template, with the
// template's controls, placed by the frame between its toolbar and status bar.
class CFormView : public CWnd {
public:
    explicit CFormView(int templateId) : templateId(templateId) {}

    // Runs onPreCreate, then creates the form's window inside parent. False when it can't.
    bool create(HWND parent, int id);

    // Size of the form as its template gives it, in pixels.
    SIZE formSize() const { return templateSize; }

    // Called once, when the frame first shows the view.
    virtual void onInitialUpdate() {}
    // Menu, toolbar and accelerator commands routed by the frame. True when handled.
    virtual bool onCommand(int /*id*/) { return false; }

    // Copies the members into the controls, or back when saving.
    void updateData(bool saving);

    // Keyboard navigation among the form's controls (Tab, arrows, mnemonics).
    bool preTranslateMessage(MSG& message);
    // Remembers the focused control while the main window is inactive, and gives it back.
    void saveFocus();
    void restoreFocus();

protected:
    // Before the window exists.
    virtual void onPreCreate() {}
    // Notifications of the form's own controls. True when handled.
    virtual bool onControlCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool onNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void exchangeData(DataExchange& /*exchange*/) {}
    // The window is being destroyed.
    virtual void onDestroy() {}
    // All other messages; the default does nothing (returns FALSE).
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId;
    SIZE templateSize{};
    HWND focusedControl = nullptr;
};

}  // namespace fw
