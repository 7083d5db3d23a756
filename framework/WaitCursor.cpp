#include "framework/WaitCursor.h"

namespace fw {

namespace {
int waitDepth = 0;
HCURSOR cursorBeforeWait = nullptr;
}  // namespace

void beginWaitCursor() {
    if (waitDepth++ == 0)
        cursorBeforeWait = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void endWaitCursor() {
    if (waitDepth == 0)
        return;
    if (--waitDepth == 0)
        SetCursor(cursorBeforeWait ? cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
}

bool waitCursorShown() { return waitDepth > 0; }

bool restoreWaitCursor() {
    if (waitDepth == 0)
        return false;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return true;
}

}  // namespace fw
