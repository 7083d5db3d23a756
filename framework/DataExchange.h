#pragma once
#include <windows.h>

#include <string>

namespace fw {

// One pass of data exchange between a dialog's members and its controls: towards the controls
// when a dialog opens, back into the members on OK. A dialog lists its pairs once, in its
// exchangeData, and the direction is the exchange's.
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog(dialog), saving(saving) {}

    bool isSaving() const { return saving; }

    // The text of an edit box or static text.
    void text(int controlId, std::string& value);
    // The check state of a check box: 1 checked, 0 not.
    void check(int controlId, int& value);

private:
    HWND dialog;
    bool saving;
};

}  // namespace fw
