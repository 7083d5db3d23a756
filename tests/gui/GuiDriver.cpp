#include "GuiDriver.h"

#include <commctrl.h>

#include <thread>

namespace gui {

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

std::string windowText(HWND window) {
    char buffer[1024] = {};
    // WM_GETTEXT is copied across processes by the system, unlike most control messages.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return buffer;
}

std::string className(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

RunningProgram::~RunningProgram() { stop(); }

void RunningProgram::stop() {
    if (!info.hProcess)
        return;
    if (running()) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    info = PROCESS_INFORMATION{};
}

bool RunningProgram::start(const std::string& exePath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    return CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info) != FALSE;
}

bool RunningProgram::running() const {
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

int RunningProgram::waitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(info.hProcess, DWORD(timeout.count())) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return int(code);
}

std::vector<HWND> RunningProgram::topLevelWindows() const {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{info.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->processId && IsWindowVisible(window))
                search->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::windowTitled(const std::string& title) const {
    for (HWND window : topLevelWindows())
        if (windowText(window) == title)
            return window;
    return nullptr;
}

HWND RunningProgram::waitForWindow(const std::string& title, std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    waitFor([&] { return (found = windowTitled(title)) != nullptr; }, timeout);
    return found;
}

HWND RunningProgram::mainWindow() const {
    for (HWND window : topLevelWindows())
        if (className(window) == "VelmoraFrame")
            return window;
    return nullptr;
}

void bringToFront(HWND window) {
    if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
        waitFor([&] { return GetForegroundWindow() == window; }, std::chrono::milliseconds(1000));
    }
}

namespace {

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = WORD(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

void send(std::vector<INPUT> inputs) {
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    // Give the program time to take the input from its queue.
    pause(std::chrono::milliseconds(150));
}

}  // namespace

void pressKey(HWND window, WORD key, std::initializer_list<WORD> modifiers) {
    bringToFront(window);
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(keyInput(modifier, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        inputs.push_back(keyInput(*it, true));
    send(inputs);
}

void typeText(HWND window, const std::string& letters) {
    for (char letter : letters)
        pressKey(window, WORD(VkKeyScanA(letter) & 0xFF));
}

void moveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send({input});
}

void clickAt(POINT screen) {
    moveMouseTo(screen);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send({down, up});
}

POINT centreOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

void click(HWND window) {
    bringToFront(GetAncestor(window, GA_ROOT));
    clickAt(centreOf(window));
}

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size) : process(process) {
    memory = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (memory)
        VirtualFreeEx(process, memory, 0, MEM_RELEASE);
}

std::string RemoteBuffer::read(std::size_t size) const {
    std::string data(size, '\0');
    SIZE_T copied = 0;
    ReadProcessMemory(process, memory, data.data(), size, &copied);
    data.resize(copied);
    return data;
}

bool RemoteBuffer::write(const void* data, std::size_t size) {
    SIZE_T copied = 0;
    return WriteProcessMemory(process, memory, data, size, &copied) && copied == size;
}

std::string statusPaneText(HANDLE process, HWND statusBar, int pane) {
    RemoteBuffer buffer(process, 1024);
    LRESULT length = SendMessageA(statusBar, SB_GETTEXTLENGTHA, WPARAM(pane), 0);
    SendMessageA(statusBar, SB_GETTEXTA, WPARAM(pane), buffer.address());
    return buffer.read(std::size_t(LOWORD(length)));
}

bool toolbarButtonEnabled(HWND toolBar, int command) {
    return (SendMessageA(toolBar, TB_GETSTATE, WPARAM(command), 0) & TBSTATE_ENABLED) != 0;
}

POINT toolbarButtonCentre(HANDLE process, HWND toolBar, int command) {
    RemoteBuffer buffer(process, sizeof(RECT));
    SendMessageA(toolBar, TB_GETRECT, WPARAM(command), buffer.address());
    RECT bounds{};
    std::string data = buffer.read(sizeof bounds);
    if (data.size() == sizeof bounds)
        memcpy(&bounds, data.data(), sizeof bounds);
    POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(toolBar, &centre);
    return centre;
}

}  // namespace gui
