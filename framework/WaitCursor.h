#pragma once
#include <windows.h>

namespace fw {

// The hourglass shown while a long operation runs on the user-interface thread. Nested calls are
// counted; the cursor shown before the outermost begin comes back at its end.
void beginWaitCursor();
void endWaitCursor();
bool waitCursorShown();

// For WM_SETCURSOR: keeps the hourglass up while a wait is in progress. True when it did.
bool restoreWaitCursor();

class CWaitCursor {
public:
    CWaitCursor() { beginWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor() { endWaitCursor(); }
};

}  // namespace fw
