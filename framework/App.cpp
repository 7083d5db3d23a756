#include "framework/App.h"

#include "framework/FrameWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/Text.h"

namespace fw {

namespace {
CApp* theApp = nullptr;
// The system's caret-blink timer message.
constexpr UINT SystemTimer = 0x0118;
}  // namespace

bool isIdleMessage(const MSG& message) {
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case SystemTimer:
        return false;
    default:
        return true;
    }
}

CApp::CApp() { theApp = this; }

CApp::~CApp() {
    if (theApp == this)
        theApp = nullptr;
}

CApp* CApp::current() { return theApp; }

HWND CApp::mainWindow() const { return frame ? frame->handle() : nullptr; }

void CApp::setRegistryKey(const std::string& companyName) { company = companyName; }

std::string CApp::profileKeyPath() const {
    return "Software\\" + company + "\\" + loadString(AppTitleString);
}

bool CApp::onIdle(int count) {
    if (count == 0 && frame)
        frame->onIdleUpdate();
    return false;
}

int CApp::run(HINSTANCE instance, int show) {
    moduleInstance = instance;
    initialShowCommand = show;
    if (!initInstance())
        return exitInstance(1);

    MSG message{};
    bool idle = true;
    int idleCount = 0;
    for (;;) {
        while (idle && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!onIdle(idleCount++))
                idle = false;
        }
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (!frame || !frame->preTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (isIdleMessage(message)) {
            idle = true;
            idleCount = 0;
        }
    }
    return exitInstance(int(message.wParam));
}

}  // namespace fw
