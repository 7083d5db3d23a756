#include "app/VelmoraView.h"

#include "diag/ErrorPromptDialog.h"

// The "Program Error" prompt after a failed file operation. It has no parent, so the main window
// owns it. A prompt that can't be shown stops the pass, as No does.
PromptAnswer CVelmoraView::errorPrompt(const std::string& details) {
    ErrorPromptDialog dialog(nullptr);
    dialog.details = details;
    INT_PTR answer = dialog.doModal();
    if (answer == IDOK)
        return dialog.yesToAll ? PromptAnswer::YesToAll : PromptAnswer::Yes;
    return dialog.noToAll ? PromptAnswer::NoToAll : PromptAnswer::No;
}
