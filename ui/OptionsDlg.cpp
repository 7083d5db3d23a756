#include "ui/OptionsDlg.h"

#include "album/Settings.h"
#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {
// The view's settings are 0 or 1, read as the registry reader reads them: a box is checked exactly
// when its setting is on, and gives back 0 or 1.
void exchangeCheckState(HWND dialog, bool saving, int controlId, int& value) {
    if (saving) {
        value = IsDlgButtonChecked(dialog, controlId) == BST_CHECKED ? 1 : 0;
        return;
    }
    value = settingState(std::uint32_t(value));
    CheckDlgButton(dialog, controlId, value ? BST_CHECKED : BST_UNCHECKED);
}
}  // namespace

COptionsDlg::COptionsDlg() : fw::CDialog(IDD_OPTIONS) {}

void COptionsDlg::exchangeData(fw::DataExchange& exchange) {
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_DELETE_ONLY, deleteOnly);
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_SHOW_OPEN, showOpen);
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_ENABLE_HTML, enableHtml);
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_ENABLE_LOGGING, enableLogging);
}
