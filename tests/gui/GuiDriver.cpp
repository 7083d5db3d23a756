#include "GuiDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
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

namespace {
// A mouse event at an absolute screen position, which the button events carry as well: a button
// event without one lands wherever the pointer is when the event is taken, which under load can
// still be the place of the last click.
// The system turns a normalised coordinate n back into the pixel n * extent / 65536, rounded down,
// so the smallest n that maps onto the pixel is the one that lands exactly on it.
LONG normalised(LONG pixel, int extent) { return LONG((pixel * 65536LL + extent - 1) / extent); }

INPUT mouseInput(POINT screen, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}
}  // namespace

void moveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    send({mouseInput(screen, 0)});
    waitFor(
        [&] {
            POINT now{};
            GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        },
        std::chrono::milliseconds(1000));
}

void clickAt(POINT screen) {
    moveMouseTo(screen);
    send({mouseInput(screen, MOUSEEVENTF_LEFTDOWN), mouseInput(screen, MOUSEEVENTF_LEFTUP)});
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

int listItemCount(HWND list) { return int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string listItemText(HANDLE process, HWND list, int item, int column) {
    constexpr std::size_t TextSize = 512;
    RemoteBuffer buffer(process, sizeof(LVITEMA) + TextSize);
    LVITEMA request{};
    request.iSubItem = column;
    request.cchTextMax = int(TextSize);
    request.pszText = reinterpret_cast<char*>(buffer.address() + LPARAM(sizeof(LVITEMA)));
    buffer.write(&request, sizeof request);
    LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(item), buffer.address());
    std::string data = buffer.read(sizeof(LVITEMA) + TextSize);
    if (length <= 0 || data.size() < sizeof(LVITEMA) + std::size_t(length))
        return {};
    return data.substr(sizeof(LVITEMA), std::size_t(length));
}

std::vector<std::string> listRows(HANDLE process, HWND list, int columns) {
    std::vector<std::string> rows;
    for (int item = 0; item < listItemCount(list); ++item) {
        std::string row;
        for (int column = 0; column < columns; ++column)
            row += (column ? "|" : "") + listItemText(process, list, item, column);
        rows.push_back(row);
    }
    return rows;
}

int selectedListItem(HWND list) { return int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

POINT listItemCentre(HANDLE process, HWND list, int item) {
    RemoteBuffer buffer(process, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    buffer.write(&bounds, sizeof bounds);
    SendMessageA(list, LVM_GETITEMRECT, WPARAM(item), buffer.address());
    std::string data = buffer.read(sizeof bounds);
    if (data.size() == sizeof bounds)
        memcpy(&bounds, data.data(), sizeof bounds);
    POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(list, &centre);
    return centre;
}

std::string listColumnHeading(HANDLE process, HWND list, int column) {
    constexpr std::size_t TextSize = 256;
    RemoteBuffer buffer(process, sizeof(LVCOLUMNA) + TextSize);
    LVCOLUMNA request{};
    request.mask = LVCF_TEXT;
    request.cchTextMax = int(TextSize);
    request.pszText = reinterpret_cast<char*>(buffer.address() + LPARAM(sizeof(LVCOLUMNA)));
    buffer.write(&request, sizeof request);
    if (!SendMessageA(list, LVM_GETCOLUMNA, WPARAM(column), buffer.address()))
        return {};
    std::string data = buffer.read(sizeof(LVCOLUMNA) + TextSize);
    return data.size() > sizeof(LVCOLUMNA) ? std::string(data.c_str() + sizeof(LVCOLUMNA)) : std::string();
}

int listColumnWidth(HWND list, int column) { return int(SendMessageA(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0)); }

int listItemImage(HANDLE process, HWND list, int item) {
    RemoteBuffer buffer(process, sizeof(LVITEMA));
    LVITEMA request{};
    request.mask = LVIF_IMAGE;
    request.iItem = item;
    buffer.write(&request, sizeof request);
    if (!SendMessageA(list, LVM_GETITEMA, 0, buffer.address()))
        return -1;
    std::string data = buffer.read(sizeof request);
    if (data.size() != sizeof request)
        return -1;
    memcpy(&request, data.data(), sizeof request);
    return request.iImage;
}

namespace {
// The system copies CB_GETLBTEXT's text across processes, as it does WM_GETTEXT's; Wine copies it
// as UTF-16 whichever form was asked for, so the wide form is asked for.
std::string comboItemText(HWND combo, int index) {
    if (index < 0)
        return {};
    wchar_t text[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text)) == CB_ERR)
        return {};
    char narrow[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}
}  // namespace

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
        items.push_back(comboItemText(combo, index));
    return items;
}

std::string comboSelectedText(HWND combo) { return comboItemText(combo, int(SendMessageA(combo, CB_GETCURSEL, 0, 0))); }

bool chooseComboItem(HWND combo, const std::string& text) {
    std::vector<std::string> items = comboItems(combo);
    auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end())
        return false;
    int index = int(found - items.begin());
    HWND dropDown = nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(combo, &processId);
    auto findDropDown = [&] {
        dropDown = nullptr;
        for (HWND window = FindWindowExA(nullptr, nullptr, "ComboLBox", nullptr); window;
             window = FindWindowExA(nullptr, window, "ComboLBox", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window))
                dropDown = window;
        }
        return dropDown != nullptr;
    };
    // A click right after other clicks is now and then taken for part of them: click again.
    for (int attempt = 0; attempt < 3 && !dropDown; ++attempt) {
        click(combo);
        waitFor(findDropDown, std::chrono::milliseconds(1000));
    }
    if (!dropDown)
        return false;
    int height = int(SendMessageA(dropDown, LB_GETITEMHEIGHT, 0, 0));
    int top = int(SendMessageA(dropDown, LB_GETTOPINDEX, 0, 0));
    POINT point{8, (index - top) * height + height / 2};
    ClientToScreen(dropDown, &point);
    clickAt(point);
    return waitFor([&] { return !IsWindowVisible(dropDown) && comboSelectedText(combo) == text; },
                   std::chrono::milliseconds(3000));
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
