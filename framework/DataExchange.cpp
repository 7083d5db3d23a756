#include "framework/DataExchange.h"

#include "framework/Text.h"

namespace fw {

void DataExchange::text(int controlId, std::string& value) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return;
    if (saving)
        value = windowText(control);
    else
        SetWindowTextA(control, value.c_str());
}

void DataExchange::check(int controlId, int& value) {
    if (saving)
        value = IsDlgButtonChecked(dialog, controlId) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(dialog, controlId, value == 1 ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace fw
