#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Drives the real program the way a user does: it starts velmora.exe, finds its windows, presses
// keys and clicks with the mouse through SendInput, and reads what the windows show.
namespace gui {

// Polls condition every 20 ms until it holds or the timeout passes. True when it held.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
// Lets the program run for a while (for checking that something does NOT happen).
void pause(std::chrono::milliseconds duration);

std::string windowText(HWND window);
std::string className(HWND window);

// A running velmora.exe, ended when the object goes if it hasn't ended by itself.
class RunningProgram {
public:
    RunningProgram() = default;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();

    bool start(const std::string& exePath);
    // Ends the program if it still runs, and lets go of it.
    void stop();
    bool running() const;
    // Waits for the process to end; its exit code, or -1 on timeout.
    int waitForExit(std::chrono::milliseconds timeout);
    HANDLE process() const { return info.hProcess; }
    DWORD processId() const { return info.dwProcessId; }

    // Visible top-level windows of the program.
    std::vector<HWND> topLevelWindows() const;
    // The visible top-level window of the program with this exact title, or null.
    HWND windowTitled(const std::string& title) const;
    HWND waitForWindow(const std::string& title, std::chrono::milliseconds timeout) const;
    // The main window (the frame), once it is visible.
    HWND mainWindow() const;

private:
    PROCESS_INFORMATION info{};
};

// Real input. Keys go to the foreground window, which is made the given window first.
void bringToFront(HWND window);
void pressKey(HWND window, WORD key, std::initializer_list<WORD> modifiers = {});
void typeText(HWND window, const std::string& letters);
void moveMouseTo(POINT screen);
void clickAt(POINT screen);
// Clicks the middle of a window (a button, a control).
void click(HWND window);
POINT centreOf(HWND window);

// Reads from controls of another process through a buffer in that process.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();
    LPARAM address() const { return reinterpret_cast<LPARAM>(memory); }
    std::string read(std::size_t size) const;
    bool write(const void* data, std::size_t size);

private:
    HANDLE process;
    void* memory = nullptr;
};

// List views of another process.
int listItemCount(HWND list);
std::string listItemText(HANDLE process, HWND list, int item, int column = 0);
// Every row of a list view, its columns joined by '|'.
std::vector<std::string> listRows(HANDLE process, HWND list, int columns);
int selectedListItem(HWND list);
// The middle of an item (its label) on the screen.
POINT listItemCentre(HANDLE process, HWND list, int item);
std::string listColumnHeading(HANDLE process, HWND list, int column);
int listColumnWidth(HWND list, int column);
int listItemImage(HANDLE process, HWND list, int item);

// Drop-down list boxes.
std::vector<std::string> comboItems(HWND combo);
std::string comboSelectedText(HWND combo);
// Opens the drop-down of combo with a click and clicks the item with this text. False when the
// item or the drop-down could not be found.
bool chooseComboItem(HWND combo, const std::string& text);

// The text of a status-bar pane.
std::string statusPaneText(HANDLE process, HWND statusBar, int pane);
// Whether a toolbar button is enabled, and where it is on the screen.
bool toolbarButtonEnabled(HWND toolBar, int command);
POINT toolbarButtonCentre(HANDLE process, HWND toolBar, int command);

}  // namespace gui
