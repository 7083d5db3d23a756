#pragma once
#include <windows.h>

#include "framework/Wnd.h"

namespace fw {

class DataExchange;

// A modal dialog on a dialog template of the program. It runs its own modal loop, so that the
// dialog gets idle passes (onIdleUpdate) to enable its buttons, like the main window does.
class CDialog : public CWnd {
public:
    explicit CDialog(int templateId) : templateId(templateId) {}

    // Runs the dialog over owner (the main window when none is given). Returns the value given to
    // endDialog (IDOK, IDCANCEL, ...), or -1 when the dialog could not be created.
    INT_PTR runModal(HWND owner = nullptr);
    void endDialog(INT_PTR result);

    // Exchanges the members with the controls; saving copies the controls into the members.
    void updateData(bool saving);

protected:
    // Copies the members into the controls. Returns true to let the system set the focus.
    virtual bool onInitDialog();
    // OK: copies the controls into the members and ends the dialog with IDOK.
    virtual void onOk();
    virtual void onCancel() { endDialog(IDCANCEL); }
    // Commands of the dialog's controls other than OK and Cancel. True when handled.
    virtual bool onCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // Notifications of common controls. True when handled, with the result to return.
    virtual bool onNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // The dialog's table of member-control pairs.
    virtual void exchangeData(DataExchange& /*exchange*/) {}
    // Called whenever the modal loop has emptied its queue.
    virtual void onIdleUpdate() {}
    // All other messages; the default does nothing (returns FALSE).
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void runModalLoop();
    // Dialogs open centred over their owner.
    void centerOver(HWND owner);

    int templateId;
    bool ended = false;
    INT_PTR result = IDCANCEL;
};

}  // namespace fw
