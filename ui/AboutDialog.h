#pragma once
#include <windows.h>

#include "framework/Dialog.h"
#include "ui/HyperLink.h"

// About Velmora (dialog 100): the banner, the version and two links, one that writes to the
// maker's support address and one that opens the maker's web site.
class CAboutDialog : public fw::CDialog {
public:
    CAboutDialog();

protected:
    bool onInitDialog() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CHyperLink mailLink;  // 1000
    CHyperLink siteLink;  // 1001
};
