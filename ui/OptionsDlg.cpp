#include "ui/OptionsDlg.h"

#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {
// A setting read from the registry may hold any number. 0, 1 and 2 are shown as the button states
// unchecked, checked and indeterminate; anything else is shown as off.
int shownCheckState(int value) { return value < 0 || value > 2 ? 0 : value; }

// The check state travels as it is, so that an indeterminate box the user did not touch keeps its
// value on OK.
void exchangeCheckState(HWND dialog, bool saving, int controlId, int& value) {
    if (saving) {
        value = int(IsDlgButtonChecked(dialog, controlId));
        return;
    }
    value = shownCheckState(value);
    CheckDlgButton(dialog, controlId, UINT(value));
}
}  // namespace

COptionsDlg::COptionsDlg() : fw::CDialog(IDD_OPTIONS) {}

void COptionsDlg::exchangeData(fw::DataExchange& exchange) {
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_DELETE_ONLY, deleteOnly);
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_SHOW_OPEN, showOpen);
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_ENABLE_HTML, enableHtml);
    exchangeCheckState(handle(), exchange.isSaving(), IDC_OPTION_ENABLE_LOGGING, enableLogging);
}
