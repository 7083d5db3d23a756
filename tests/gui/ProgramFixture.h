#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "GuiDriver.h"

// A file's whole contents, or nothing when it can't be read.
std::string fileBytes(const std::string& path);

// Each test runs its own copy of velmora.exe, with the help file velmora.chm beside it, in a fresh
// program folder (so its log is its own), with an empty game folder registered under the game's key
// and no settings of its own unless the test writes some.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program's settings key, as the test prepares and checks it.
    void writeSetting(const std::string& name, DWORD value);
    struct StoredSetting {
        DWORD type;
        DWORD value;
    };
    std::optional<StoredSetting> storedSetting(const std::string& name) const;
    std::size_t settingCount() const;

    // Starts the program and waits for its main window to be visible and idle. Prints the time
    // that took.
    HWND startProgram();
    // Closes the main window the way a user does: File, Exit from the keyboard.
    void exitThroughMenu();
    // Ends the program if the test left it running: closes the dialogs still open, then File, Exit,
    // answering Yes to "Discard Changes?". The program must exit with 0.
    void closeProgram();

    // Puts a copy of the sample game installation (sample/game) into the game folder.
    void useSampleGame();
    // gameFolder + "\UserData" (+ N) + "\PhotoAlbum"
    std::string albumFolder(int neighborhood) const;
    // Picks a family in the Open Photo Album dialog the way a user does: the neighborhood in the
    // box, a click on the row with this name and lot, then Open. True when the dialog closed.
    bool openFamily(HWND openDialog, const std::string& neighborhood, const std::string& name, const std::string& lot);
    // Ctrl+O, then openFamily. True when the album's title showed.
    bool openAlbumWithShortcut(const std::string& neighborhood, const std::string& name, const std::string& lot);

    // The HTML Help viewer's window, opened by the program on its help file, or null. Prints the time
    // it took to show.
    HWND waitForHelpViewer(std::chrono::milliseconds timeout) const;
    // Closes the viewer as a user does, with Alt+F4.
    void closeHelpViewer(HWND viewer);

    bool logExists() const;
    std::string logText() const;

    HWND mainWindow() const { return frame; }
    HWND statusBar() const;
    HWND toolBar() const;
    HWND viewControl(int id) const;
    HWND albumList() const;
    // The album list's photo numbers, top to bottom.
    std::vector<std::string> albumRows() const;
    std::string statusText(int pane) const { return gui::statusPaneText(program.process(), statusBar(), pane); }

    gui::RunningProgram program;
    std::string programFolder;
    std::string exePath;
    std::string gameFolder;
    HWND frame = nullptr;
};

// A test on a copy of the sample game installation, started without the Open Photo Album dialog.
// The program is closed at the end if the test left it running.
class SampleGameTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        useSampleGame();
        writeSetting("Show Open", 0);
    }
    void TearDown() override {
        closeProgram();
        ProgramTest::TearDown();
    }
};
