#include "app/VelmoraView.h"

// The "Program Error" prompt after a failed file operation.
PromptAnswer CVelmoraView::errorPrompt(const std::string& details) {
    return messageBox("Program Error", details, MB_YESNO | MB_ICONERROR) == IDYES ? PromptAnswer::Yes
                                                                                   : PromptAnswer::No;
}
