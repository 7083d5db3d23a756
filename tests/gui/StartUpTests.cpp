#include <chrono>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;

namespace {

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::string lastLine(const std::string& text) {
    std::string trimmed = text.substr(0, text.size() >= 2 && text.ends_with("\r\n") ? text.size() - 2 : text.size());
    std::size_t start = trimmed.rfind("\r\n");
    return start == std::string::npos ? trimmed : trimmed.substr(start + 2);
}

}  // namespace

// First run on a machine: no settings. The Open Photo Album dialog comes up once the main window
// is showing; the log is written; at exit the four settings are stored as 32-bit values.
TEST_F(ProgramTest, FirstRunOffersOpenAlbumAfterTheWindowShowsAndStoresTheSettingsAtExit) {
    ASSERT_TRUE(startProgram());
    HWND openDialog = program.waitForWindow("Open Photo Album", 10s);
    ASSERT_TRUE(openDialog) << "the Open Photo Album dialog did not come up";
    EXPECT_TRUE(IsWindowVisible(mainWindow()));
    EXPECT_EQ(GetWindow(openDialog, GW_OWNER), mainWindow());
    EXPECT_TRUE(startsWith(logText(), "LOG: Log file opened at ")) << logText();
    EXPECT_NE(logText().find("LOG: Album path = " + gameFolder + "\\UserData\\PhotoAlbum\r\n"), std::string::npos)
        << logText();

    ASSERT_TRUE(gui::pressButton(GetDlgItem(openDialog, IDCANCEL))) << "Cancel did not close the dialog";
    EXPECT_EQ(gui::windowText(mainWindow()), "Velmora") << "a cancelled Open Album keeps the plain title";

    exitThroughMenu();
    ASSERT_EQ(program.waitForExit(10s), 0);

    struct Expected {
        const char* name;
        DWORD value;
    };
    const Expected expected[] = {{"Delete Only", 0}, {"Enable HTML", 0}, {"Enable Logging", 1}, {"Show Open", 1}};
    for (const Expected& setting : expected) {
        SCOPED_TRACE(setting.name);
        auto stored = storedSetting(setting.name);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, DWORD(REG_DWORD));
        EXPECT_EQ(stored->value, setting.value);
    }
    EXPECT_EQ(settingCount(), 4u);
    EXPECT_TRUE(startsWith(lastLine(logText()), "LOG: Log file closed at ")) << logText();
}

// "Show Open" off: the program starts with an empty album and no dialog, and the stored settings
// come back unchanged at exit. With logging off no log file is made.
TEST_F(ProgramTest, ShowOpenOffStartsWithoutTheDialogAndKeepsTheSettings) {
    writeSetting("Show Open", 0);
    writeSetting("Enable Logging", 0);
    writeSetting("Enable HTML", 1);
    ASSERT_TRUE(startProgram());
    gui::pause(1500ms);
    EXPECT_EQ(program.windowTitled("Open Photo Album"), nullptr);
    EXPECT_EQ(program.topLevelWindows().size(), 1u);

    exitThroughMenu();
    ASSERT_EQ(program.waitForExit(10s), 0);
    const std::pair<const char*, DWORD> expected[] = {
        {"Delete Only", 0}, {"Enable HTML", 1}, {"Enable Logging", 0}, {"Show Open", 0}};
    for (const auto& [name, value] : expected) {
        SCOPED_TRACE(name);
        auto stored = storedSetting(name);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->value, value);
    }
    EXPECT_FALSE(logExists());
}

// The log can't be created (a folder stands where the file would go): the user is told once, the
// program runs on without a log, and logging is stored as off.
TEST_F(ProgramTest, LogThatCannotBeCreatedIsReportedAndLoggingIsSwitchedOff) {
    writeSetting("Show Open", 0);
    ASSERT_TRUE(CreateDirectoryA((programFolder + "\\velmora.log").c_str(), nullptr));
    ASSERT_TRUE(program.start(exePath));
    HWND box = program.waitForWindow("Log Creation Error", 20s);
    ASSERT_TRUE(box) << "no message about the log";
    EXPECT_EQ(gui::windowText(GetDlgItem(box, 0xFFFF)), "The event log failed to be created. Logging will be disabled.");
    ASSERT_TRUE(gui::pressButton(GetDlgItem(box, IDOK)));
    ASSERT_TRUE(gui::waitFor([&] { return (frame = program.mainWindow()) != nullptr; }, 20s));
    EXPECT_EQ(program.windowTitled("Log Creation Error"), nullptr);

    exitThroughMenu();
    ASSERT_EQ(program.waitForExit(10s), 0);
    auto logging = storedSetting("Enable Logging");
    ASSERT_TRUE(logging);
    EXPECT_EQ(logging->value, 0u);
}

// A second copy of the program started beside a running one can't write the first copy's log:
// it says so and runs on without a log, while the first copy's log stays whole, from its opening
// line to its closing line.
TEST_F(ProgramTest, SecondCopyLeavesTheRunningCopysLogWhole) {
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(gui::waitFor([&] { return logText().find("LOG: Album path = ") != std::string::npos; }, 5s))
        << logText();
    const std::string firstLog = logText();

    gui::RunningProgram second;
    ASSERT_TRUE(second.start(exePath));
    HWND box = second.waitForWindow("Log Creation Error", 20s);
    EXPECT_TRUE(box) << "the second copy took the log:\n" << logText();
    if (box) {
        EXPECT_TRUE(gui::pressButton(GetDlgItem(box, IDOK)));
    }
    HWND secondFrame = nullptr;
    ASSERT_TRUE(gui::waitFor([&] { return (secondFrame = second.mainWindow()) != nullptr; }, 20s));
    gui::pressKey(secondFrame, VK_F4, {VK_MENU});
    EXPECT_EQ(second.waitForExit(10s), 0);
    EXPECT_EQ(logText(), firstLog);

    exitThroughMenu();
    ASSERT_EQ(program.waitForExit(10s), 0);
    std::string log = logText();
    EXPECT_EQ(log.substr(0, firstLog.size()), firstLog);
    EXPECT_TRUE(startsWith(lastLine(log), "LOG: Log file closed at ")) << log;
    EXPECT_EQ(log.find("Log file opened at ", firstLog.size()), std::string::npos) << log;
}
