#pragma once
#include <windows.h>

#include <string>

#include "framework/Dialog.h"

// "Program Error" (dialog 139): the details of a failed file operation and the question whether to
// go on. Yes and Yes to All end it with IDOK, No and No to All with IDCANCEL; the "to all" answers
// also set their flag, so that a pass can stop asking for the rest of its files.
class ErrorPromptDialog : public fw::CDialog {
public:
    // Without a parent the main window owns the dialog.
    explicit ErrorPromptDialog(HWND parent = nullptr);

    // Runs the dialog; IDOK, IDCANCEL, or -1 when it could not be shown.
    INT_PTR doModal();

    std::string details;  // CR LF line breaks: the details box shows no other kind
    int yesToAll = 0;
    int noToAll = 0;

protected:
    bool onCommand(int id, int code, HWND control) override;
    void exchangeData(fw::DataExchange& exchange) override;

private:
    HWND parent;
};
