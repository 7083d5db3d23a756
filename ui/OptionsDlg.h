#pragma once
#include <windows.h>

#include "framework/Dialog.h"

// Program Options (dialog 131): the four on/off settings, each a check box. The caller copies the
// settings into the members, runs the dialog and, on IDOK, copies them back.
class COptionsDlg : public fw::CDialog {
public:
    COptionsDlg();

    int deleteOnly = 0;     // 1035 "Delete old files permanently"
    int showOpen = 0;       // 1000 "Show open album dialog at startup"
    int enableHtml = 0;     // 1025 "Enable HTML file updating"
    int enableLogging = 0;  // 1008 "Enable program logging"

protected:
    void exchangeData(fw::DataExchange& exchange) override;
};
