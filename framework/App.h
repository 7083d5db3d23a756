#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CFrameWnd;

// Whether a message counts as activity that earns a new idle pass. Mouse moves, paints and the
// caret-blink timer arrive all the time and would keep the idle work running without end.
bool isIdleMessage(const MSG& message);

// The application object: start-up, the message loop with idle processing, and the settings
// profile key. Exactly one exists; it is created before WinMain runs.
class CApp {
public:
    CApp();
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;
    virtual ~CApp();

    static CApp* current();

    // Runs the program: initInstance, the message loop, exitInstance. Returns the exit code.
    int run(HINSTANCE instance, int showCommand);

    HINSTANCE instance() const { return moduleInstance; }
    CFrameWnd* mainFrame() const { return frame; }
    HWND mainWindow() const;
    int showCommand() const { return initialShowCommand; }

    // The settings profile lives under HKEY_CURRENT_USER "Software\<company>\<application title>".
    void setRegistryKey(const std::string& company);
    std::string profileKeyPath() const;

    // Commands that belong to the application rather than to the frame or the view.
    virtual bool onCommand(int /*id*/) { return false; }

    // The message loop of a modal window calls this, so that idle work also runs under dialogs.
    virtual bool onIdle(int count);

protected:
    virtual bool initInstance() = 0;
    virtual int exitInstance(int exitCode) { return exitCode; }
    void setMainFrame(CFrameWnd* newFrame) { frame = newFrame; }

private:
    HINSTANCE moduleInstance = nullptr;
    int initialShowCommand = SW_SHOWNORMAL;
    CFrameWnd* frame = nullptr;
    std::string company;
};

}  // namespace fw
