#include "diag/ErrorPromptDialog.h"

#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {
constexpr int DetailsBoxId = 1009;
constexpr int NoToAllId = 1010;
constexpr int YesToAllId = 1011;
}  // namespace

ErrorPromptDialog::ErrorPromptDialog(HWND parent) : fw::CDialog(IDD_ERROR_PROMPT), parent(parent) {}

INT_PTR ErrorPromptDialog::doModal() { return runModal(parent); }

void ErrorPromptDialog::exchangeData(fw::DataExchange& exchange) { exchange.text(DetailsBoxId, details); }

bool ErrorPromptDialog::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    if (id == YesToAllId) {
        yesToAll = 1;
        onOk();
        return true;
    }
    if (id == NoToAllId) {
        noToAll = 1;
        onCancel();
        return true;
    }
    return false;
}
