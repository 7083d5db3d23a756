#include <chrono>
#include <filesystem>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;

namespace {

class MainWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeSetting("Show Open", 0);
        ASSERT_TRUE(startProgram());
    }
    void TearDown() override {
        closeProgram();
        ProgramTest::TearDown();
    }
    bool statusShows(int pane, const std::string& text, std::chrono::milliseconds timeout = 3s) const {
        return gui::waitFor([&] { return statusText(pane) == text; }, timeout);
    }
};

}  // namespace

TEST_F(MainWindowTest, IdleWindowShowsTitleReadyAndPhotoCount) {
    EXPECT_EQ(gui::windowText(mainWindow()), "Velmora");
    EXPECT_TRUE(statusShows(0, "Ready")) << statusText(0);
    EXPECT_TRUE(statusShows(1, "\t\t0 Photos")) << statusText(1);
    LONG style = GetWindowLongA(mainWindow(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can't be resized";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
}

// With no album open only the commands that need no album are enabled, and the shortcuts of the
// disabled ones do nothing; an enabled shortcut still works.
TEST_F(MainWindowTest, WithoutAlbumOnlyTheAlwaysCommandsAreEnabled) {
    struct Button {
        int command;
        const char* name;
        bool enabled;
    };
    const Button buttons[] = {
        {ID_FILE_OPEN_ALBUM, "Open Album", true},       {ID_FILE_UPDATE_ALBUM, "Update Album", false},
        {ID_FILE_VIEW_HTML, "View HTML Pages", false},   {ID_TOOLS_IMPORT_PHOTOS, "Import Photos", false},
        {ID_TOOLS_TOGGLE_DELETE, "Toggle Delete", false}, {ID_MOVE_TOP, "Top of List", false},
        {ID_MOVE_UP, "Up One", false},                   {ID_MOVE_DOWN, "Down One", false},
        {ID_MOVE_BOTTOM, "Bottom of List", false},       {ID_TOOLS_OPEN_FOLDER, "Neighborhood Folder", true},
        {ID_TOOLS_OPTIONS, "Options", true},             {ID_HELP_CONTENTS, "Help Contents", true},
        {ID_APP_ABOUT, "About", true},
    };
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.name);
        EXPECT_EQ(gui::toolbarButtonEnabled(toolBar(), button.command), button.enabled);
    }

    struct Shortcut {
        WORD key;
        std::initializer_list<WORD> modifiers;
        const char* name;
    };
    const Shortcut disabled[] = {{'S', {VK_CONTROL}, "Ctrl+S"}, {'I', {VK_CONTROL}, "Ctrl+I"}, {VK_F12, {}, "F12"}};
    for (const Shortcut& shortcut : disabled) {
        SCOPED_TRACE(shortcut.name);
        gui::pressKey(mainWindow(), shortcut.key, shortcut.modifiers);
        gui::pause(500ms);
        EXPECT_EQ(program.topLevelWindows().size(), 1u) << "a window came up";
        EXPECT_EQ(gui::windowText(mainWindow()), "Velmora");
        EXPECT_EQ(statusText(0), "Ready");
    }

    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    HWND openDialog = program.waitForWindow("Open Photo Album", 5s);
    ASSERT_TRUE(openDialog) << "Ctrl+O did not open the dialog";
    gui::pressKey(openDialog, VK_ESCAPE);
    EXPECT_TRUE(gui::waitFor([&] { return !IsWindow(openDialog); }, 5s));
}

// Fly-by help: the prompt of the toolbar button under the mouse or of the highlighted menu item
// is shown in the message pane, and "Ready" comes back when the mouse leaves or the menu closes.
TEST_F(MainWindowTest, CommandPromptsFollowTheMouseAndTheMenu) {
    POINT openButton = gui::toolbarButtonCentre(program.process(), toolBar(), ID_FILE_OPEN_ALBUM);
    gui::bringToFront(mainWindow());
    gui::moveMouseTo(openButton);
    EXPECT_TRUE(statusShows(0, "Open a family photo album.")) << statusText(0);

    HWND tip = nullptr;
    gui::waitFor(
        [&] {
            for (HWND window : program.topLevelWindows())
                if (gui::className(window) == "tooltips_class32" && !gui::windowText(window).empty())
                    tip = window;
            return tip != nullptr;
        },
        5s);
    ASSERT_TRUE(tip) << "no tool tip showed";
    EXPECT_EQ(gui::windowText(tip), "Open Album... (Ctrl+O)");

    gui::moveMouseTo(gui::centreOf(viewControl(IDC_PROGRESS)));
    EXPECT_TRUE(statusShows(0, "Ready")) << statusText(0);

    // Alt+F opens the File menu with its first item highlighted.
    gui::pressKey(mainWindow(), 'F', {VK_MENU});
    EXPECT_TRUE(statusShows(0, "Open a family photo album.")) << statusText(0);
    gui::pressKey(mainWindow(), VK_DOWN);
    EXPECT_TRUE(statusShows(0, "Save all changes made to the photo album.")) << statusText(0);
    gui::pressKey(mainWindow(), VK_ESCAPE);
    gui::pressKey(mainWindow(), VK_ESCAPE);
    EXPECT_TRUE(statusShows(0, "Ready")) << statusText(0);
}

// Help Contents opens the HTML Help viewer on velmora.chm beside the program, with no message and no
// log line; with the file gone, the error message names the expected path and the log records it.
TEST_F(MainWindowTest, HelpContentsOpensTheHelpFileAndReportsItMissing) {
    std::string helpPath = programFolder + "\\velmora.chm";
    ASSERT_TRUE(std::filesystem::exists(helpPath)) << "the build put no velmora.chm beside the program";
    gui::pressKey(mainWindow(), 'H', {VK_MENU});
    gui::pressKey(mainWindow(), 'C');
    HWND viewer = waitForHelpViewer(15s);
    ASSERT_TRUE(viewer) << "Help, Contents showed no help viewer";
    EXPECT_EQ(gui::windowText(viewer), "Velmora Help");
    EXPECT_FALSE(program.windowTitled("Error Opening Help File"));
    closeHelpViewer(viewer);
    EXPECT_EQ(logText().find("Cannot open help file"), std::string::npos) << logText();

    ASSERT_TRUE(std::filesystem::remove(helpPath));
    gui::pressKey(mainWindow(), VK_F1);
    HWND box = program.waitForWindow("Error Opening Help File", 10s);
    ASSERT_TRUE(box) << "no message about the help file";
    EXPECT_EQ(gui::windowText(GetDlgItem(box, 0xFFFF)),
              "The program help file was either not found, or\ncannot be opened. The expected file path is:\n\n" +
                  helpPath);
    EXPECT_TRUE(gui::pressButton(GetDlgItem(box, IDOK)));
    EXPECT_NE(logText().find("ERROR: Cannot open help file: " + helpPath + "\r\n"), std::string::npos) << logText();
}
