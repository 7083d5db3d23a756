#include "app/VelmoraView.h"

#include <commctrl.h>

#include "app/MainFrame.h"
#include "framework/WaitCursor.h"

int CVelmoraView::messageBox(const std::string& title, const std::string& text, unsigned style) {
    return MessageBoxA(mainFrame().handle(), text.c_str(), title.c_str(), style);
}

void CVelmoraView::setStatusText(const std::string& text) { mainFrame().setStatusText(text); }

void CVelmoraView::setProgressRange(int low, int high) {
    SendMessageA(progressBar, PBM_SETRANGE, 0, MAKELPARAM(WORD(low), WORD(high)));
}

void CVelmoraView::setProgressPosition(int position) { SendMessageA(progressBar, PBM_SETPOS, WPARAM(position), 0); }

void CVelmoraView::setProgressStep(int step) { SendMessageA(progressBar, PBM_SETSTEP, WPARAM(step), 0); }

void CVelmoraView::stepProgress() { SendMessageA(progressBar, PBM_STEPIT, 0, 0); }

void CVelmoraView::beginWaitCursor() { fw::beginWaitCursor(); }

void CVelmoraView::endWaitCursor() { fw::endWaitCursor(); }
