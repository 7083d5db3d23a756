#include <chrono>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;

namespace {

class OptionsTest : public ProgramTest {
protected:
    // Tools, Options... from the keyboard.
    HWND openOptions() {
        gui::pressKey(mainWindow(), 'T', {VK_MENU});
        gui::pressKey(mainWindow(), 'O');
        return program.waitForWindow("Program Options", 5s);
    }
    static bool checked(HWND dialog, int id) {
        return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // Clicks a check box once the dialog has come to rest under the pointer, and again when the
    // click got lost. True when the box changed its state.
    static bool toggle(HWND dialog, int id) {
        HWND box = GetDlgItem(dialog, id);
        bool before = checked(dialog, id);
        for (int attempt = 0; attempt < 3; ++attempt) {
            RECT previous{};
            GetWindowRect(dialog, &previous);
            gui::waitFor(
                [&] {
                    gui::pause(100ms);
                    RECT now{};
                    GetWindowRect(dialog, &now);
                    bool still = EqualRect(&now, &previous) != FALSE;
                    previous = now;
                    return still;
                },
                2s);
            POINT centre = gui::centreOf(box);
            gui::bringToFront(dialog);
            gui::moveMouseTo(centre);
            // The group box around the box lies over it; the system passes its clicks through.
            if (GetAncestor(WindowFromPoint(centre), GA_ROOT) != dialog)
                continue;
            gui::clickAt(centre);
            if (gui::waitFor([&] { return checked(dialog, id) != before; }, 2s))
                return true;
        }
        return false;
    }
    DWORD storedValue(const char* name) const {
        auto stored = storedSetting(name);
        return stored ? stored->value : 0xFFFFFFFFu;
    }
};

}  // namespace

// Logging and HTML switched on: the log starts at once, the registry is written only at exit, and
// a stored value other than 0 or 1 is on: shown checked and stored as 1.
TEST_F(OptionsTest, OkAppliesTheBoxesAtOnceAndTheyAreStoredAtExit) {
    writeSetting("Show Open", 0);
    writeSetting("Enable Logging", 0);
    writeSetting("Delete Only", 7);
    ASSERT_TRUE(startProgram());
    HWND dialog = openOptions();
    ASSERT_TRUE(dialog) << "Tools, Options did not open the dialog";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), mainWindow());
    EXPECT_FALSE(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU);
    struct Box {
        int id;
        const char* text;
        bool checked;
    };
    const Box boxes[] = {{IDC_OPTION_SHOW_OPEN, "&Show open album dialog at startup", false},
                         {IDC_OPTION_ENABLE_LOGGING, "&Enable program logging", false},
                         {IDC_OPTION_ENABLE_HTML, "Enable &HTML file updating", false},
                         {IDC_OPTION_DELETE_ONLY, "&Delete old files permanently", true}};
    for (const Box& box : boxes) {
        SCOPED_TRACE(box.text);
        EXPECT_EQ(gui::windowText(GetDlgItem(dialog, box.id)), box.text);
        EXPECT_EQ(checked(dialog, box.id), box.checked);
    }

    ASSERT_TRUE(toggle(dialog, IDC_OPTION_ENABLE_LOGGING));
    ASSERT_TRUE(toggle(dialog, IDC_OPTION_ENABLE_HTML));
    EXPECT_FALSE(logExists());
    ASSERT_TRUE(gui::pressButton(GetDlgItem(dialog, IDOK)));

    EXPECT_TRUE(gui::waitFor([&] { return logText().rfind("LOG: Log file opened at ", 0) == 0; }, 3s)) << logText();
    EXPECT_EQ(storedValue("Enable HTML"), 0xFFFFFFFFu) << "written before exit";
    exitThroughMenu();
    ASSERT_EQ(program.waitForExit(10s), 0);
    const std::pair<const char*, DWORD> expected[] = {
        {"Delete Only", 1}, {"Enable HTML", 1}, {"Enable Logging", 1}, {"Show Open", 0}};
    for (const auto& [name, value] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(storedValue(name), value);
    }
    EXPECT_NE(logText().find("LOG: Log file closed at "), std::string::npos) << logText();
}

// Cancel after changing boxes keeps every setting as it was. "Enable Logging" stored as 2 is on:
// the box shows it checked and the log is written from the start.
TEST_F(OptionsTest, CancelKeepsTheSettings) {
    writeSetting("Show Open", 0);
    writeSetting("Enable HTML", 1);
    writeSetting("Enable Logging", 2);
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(gui::waitFor([&] { return logText().rfind("LOG: Log file opened at ", 0) == 0; }, 3s))
        << "no log although logging is on";
    HWND dialog = openOptions();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(checked(dialog, IDC_OPTION_ENABLE_HTML));
    EXPECT_TRUE(checked(dialog, IDC_OPTION_ENABLE_LOGGING));
    ASSERT_TRUE(toggle(dialog, IDC_OPTION_ENABLE_HTML));
    ASSERT_TRUE(toggle(dialog, IDC_OPTION_DELETE_ONLY));
    ASSERT_TRUE(gui::pressButton(GetDlgItem(dialog, IDCANCEL)));

    exitThroughMenu();
    ASSERT_EQ(program.waitForExit(10s), 0);
    const std::pair<const char*, DWORD> expected[] = {
        {"Delete Only", 0}, {"Enable HTML", 1}, {"Enable Logging", 1}, {"Show Open", 0}};
    for (const auto& [name, value] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(storedValue(name), value);
    }
}
