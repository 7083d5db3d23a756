#include <chrono>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;

namespace {
const char DiscardText[] =
    "You have made changes to the current album,\nbut have not applied them. Are you sure you\n"
    "want to discard these changes?";
}

// Typing a caption is a change: closing then asks "Discard Changes?". No keeps the window, Yes
// closes it normally (the settings are stored).
TEST_F(ProgramTest, ClosingOverChangesAsksAndNoKeepsTheWindowOpen) {
    useSampleGame();
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Zarez", "31"));
    HWND captionBox = viewControl(IDC_CAPTION);
    ASSERT_TRUE(gui::waitFor([&] { return IsWindowEnabled(captionBox) != FALSE; }, 3s));
    std::string caption = gui::windowText(captionBox);
    gui::click(captionBox);
    gui::pressKey(mainWindow(), VK_END, {VK_CONTROL});
    gui::typeText(mainWindow(), "x");
    ASSERT_TRUE(gui::waitFor([&] { return gui::windowText(captionBox) == caption + "x"; }, 3s))
        << "the typing did not reach the caption box";

    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    HWND box = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(box) << "closing did not ask";
    EXPECT_EQ(gui::windowText(GetDlgItem(box, 0xFFFF)), DiscardText);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "only Yes and No";
    ASSERT_TRUE(gui::pressButton(GetDlgItem(box, IDNO)));
    gui::pause(500ms);
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindowVisible(mainWindow()));

    exitThroughMenu();
    box = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(box) << "Exit did not ask";
    ASSERT_TRUE(gui::pressButton(GetDlgItem(box, IDYES)));
    EXPECT_EQ(program.waitForExit(10s), 0);
    EXPECT_TRUE(storedSetting("Show Open"));
}

// Without an album there is no caption to edit: the caption box takes no typing, and closing does
// not ask.
TEST_F(ProgramTest, ClosingWithoutChangesDoesNotAsk) {
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    HWND captionBox = viewControl(IDC_CAPTION);
    EXPECT_FALSE(IsWindowEnabled(captionBox));
    gui::click(captionBox);
    gui::typeText(mainWindow(), "x");
    gui::pause(300ms);
    EXPECT_EQ(gui::windowText(captionBox), "");
    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    EXPECT_EQ(program.waitForExit(10s), 0);
    EXPECT_EQ(program.windowTitled("Discard Changes?"), nullptr);
}
