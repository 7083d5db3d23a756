#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "MouseDragDriver.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

const Rows DuboisRows = {"0000", "0001", "0002", "0003", "0004", "0005", "0006"};

// Editing the Dubois family's album of the sample installation (photos 0000 to 0006, 400 by 300
// pixels) in the main window, with keys, menus and the mouse.
class AlbumEditingTest : public SampleGameTest {
protected:
    std::string albumFolder() const { return ProgramTest::albumFolder(1); }

    void openDubois() {
        ASSERT_TRUE(startProgram());
        ASSERT_TRUE(openAlbumWithShortcut("01", "Dubois", "12"));
        ASSERT_TRUE(previewNames("0000"));
    }

    HWND list() const { return albumList(); }
    HWND captionBox() const { return viewControl(IDC_CAPTION); }

    Rows rows() const { return albumRows(); }
    // The delete flags: 1 kept, 0 flagged.
    std::vector<int> rowImages() const {
        std::vector<int> images;
        int count = int(SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row)
            images.push_back(gui::listItemImage(program.process(), list(), row));
        return images;
    }
    int selectedRow() const { return gui::selectedListItem(list()); }
    std::vector<int> highlightedRows() const {
        std::vector<int> lit;
        int count = int(SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row)
            if (gui::listItemState(list(), row, LVIS_DROPHILITED))
                lit.push_back(row);
        return lit;
    }

    std::string caption() const { return gui::windowText(captionBox()); }
    std::string label() const { return gui::windowText(viewControl(IDC_PREVIEW_LABEL)); }
    static std::string labelOf(const std::string& number) {
        return "Current Preview Image: Dubois_4_" + number + ".jpg";
    }
    testing::AssertionResult previewNames(const std::string& number) const {
        if (gui::waitFor([&] { return label() == labelOf(number); }, 5s))
            return testing::AssertionSuccess();
        std::string shown;
        for (const std::string& text : rows())
            shown += text + " ";
        return testing::AssertionFailure() << "the label reads \"" << label() << "\" with row " << selectedRow()
                                           << " of " << shown << "selected";
    }
    // The caption as the photo's caption file holds it (no line break after the last line).
    std::string storedCaption(const std::string& number) const {
        std::string text = fileBytes(albumFolder() + "\\Dubois_4_" + number + ".txt");
        if (text.size() >= 2 && text.ends_with("\r\n"))
            text.resize(text.size() - 2);
        return text;
    }

    POINT rowCentre(int row) const {
        RECT bounds = gui::listItemBounds(program.process(), list(), row);
        return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }
    void clickRow(int row) {
        gui::bringToFront(mainWindow());
        gui::clickExactly(rowCentre(row));
    }
    void dragRow(int row, POINT to) {
        gui::bringToFront(mainWindow());
        gui::pause(200ms);
        gui::dragMouse(rowCentre(row), to);
    }
    // Inside the list, below its last row.
    POINT belowLastRow() const {
        RECT last = gui::listItemBounds(program.process(), list(), int(rows().size()) - 1);
        return POINT{(last.left + last.right) / 2, last.bottom + 3 * (last.bottom - last.top)};
    }
    POINT previewCentre() const { return gui::centreOf(viewControl(IDC_PREVIEW_FRAME)); }

    // Whether the preview rectangle shows anything but the button-face background.
    bool previewShowsPicture() const {
        RECT frame{};
        GetWindowRect(viewControl(IDC_PREVIEW_FRAME), &frame);
        COLORREF background = GetSysColor(COLOR_BTNFACE);
        for (int y = frame.top + 10; y < frame.top + 200; y += 37)
            for (int x = frame.left + 10; x < frame.left + 300; x += 41)
                if (gui::screenPixel(POINT{x, y}) != background)
                    return true;
        return false;
    }
    bool previewBlank() const { return !previewShowsPicture(); }

    void typeIntoCaption(const std::string& letters) {
        gui::clickExactly(gui::centreOf(captionBox()));
        gui::pressKey(mainWindow(), VK_END, {VK_CONTROL});
        gui::typeText(mainWindow(), letters);
    }
};

}  // namespace

// Each move command, from the keyboard and from the menu, moves the selected photo with its
// number and caption and keeps it selected and previewed; the rows between shift by one.
TEST_F(AlbumEditingTest, MoveCommandsCarryTheSelectedPhoto) {
    ASSERT_NO_FATAL_FAILURE(openDubois());
    EXPECT_EQ(rows(), DuboisRows);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(caption(), storedCaption("0000"));
    EXPECT_TRUE(previewShowsPicture());

    clickRow(3);
    ASSERT_TRUE(previewNames("0003"));
    struct Step {
        const char* name;
        std::vector<WORD> keys;  // the last is the key, the others are held down
        Rows expected;
        int selected;
    };
    const Step steps[] = {
        {"Ctrl+Shift+Up", {VK_CONTROL, VK_SHIFT, VK_UP}, {"0003", "0000", "0001", "0002", "0004", "0005", "0006"}, 0},
        {"Ctrl+Down", {VK_CONTROL, VK_DOWN}, {"0000", "0003", "0001", "0002", "0004", "0005", "0006"}, 1},
        {"Ctrl+Shift+Down", {VK_CONTROL, VK_SHIFT, VK_DOWN}, {"0000", "0001", "0002", "0004", "0005", "0006", "0003"}, 6},
        {"Ctrl+Down on the last row", {VK_CONTROL, VK_DOWN}, {"0000", "0001", "0002", "0004", "0005", "0006", "0003"}, 6},
        {"Ctrl+Up", {VK_CONTROL, VK_UP}, {"0000", "0001", "0002", "0004", "0005", "0003", "0006"}, 5},
        {"Tools, Move Photo, Top of List", {VK_MENU, 'T', 'M', 'T'}, {"0003", "0000", "0001", "0002", "0004", "0005", "0006"}, 0},
        {"Tools, Move Photo, Down One", {VK_MENU, 'T', 'M', 'D'}, {"0000", "0003", "0001", "0002", "0004", "0005", "0006"}, 1},
        {"Tools, Move Photo, Bottom of List", {VK_MENU, 'T', 'M', 'B'}, {"0000", "0001", "0002", "0004", "0005", "0006", "0003"}, 6},
        {"Tools, Move Photo, Up One", {VK_MENU, 'T', 'M', 'U'}, {"0000", "0001", "0002", "0004", "0005", "0003", "0006"}, 5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.keys.front() == VK_MENU) {
            gui::pressKey(mainWindow(), step.keys[1], {VK_MENU});
            for (std::size_t k = 2; k < step.keys.size(); ++k)
                gui::pressKey(mainWindow(), step.keys[k]);
        } else if (step.keys.size() == 3) {
            gui::pressKey(mainWindow(), step.keys[2], {step.keys[0], step.keys[1]});
        } else {
            gui::pressKey(mainWindow(), step.keys[1], {step.keys[0]});
        }
        EXPECT_TRUE(gui::waitFor([&] { return rows() == step.expected; }, 3s));
        EXPECT_EQ(rows(), step.expected);
        EXPECT_EQ(selectedRow(), step.selected);
        EXPECT_EQ(label(), labelOf("0003"));
        EXPECT_EQ(caption(), storedCaption("0003"));
    }
}

// A caption typed and not yet stored when the photo is moved or dragged stays with that photo;
// the photos that passed through its row keep their own captions.
TEST_F(AlbumEditingTest, CaptionTypedBeforeAMoveStaysWithItsPhoto) {
    ASSERT_NO_FATAL_FAILURE(openDubois());
    clickRow(2);
    ASSERT_TRUE(previewNames("0002"));
    typeIntoCaption("zz");
    // The caret is still in the caption box: the shortcut moves the photo all the same.
    gui::pressKey(mainWindow(), VK_UP, {VK_CONTROL});
    ASSERT_TRUE(gui::waitFor([&] { return selectedRow() == 1; }, 3s));
    EXPECT_EQ(rows(), (Rows{"0000", "0002", "0001", "0003", "0004", "0005", "0006"}));
    EXPECT_EQ(caption(), storedCaption("0002") + "zz");

    clickRow(2);
    ASSERT_TRUE(previewNames("0001"));
    EXPECT_EQ(caption(), storedCaption("0001")) << "the photo that passed through the row kept its caption";
    clickRow(0);
    ASSERT_TRUE(previewNames("0000"));
    EXPECT_EQ(caption(), storedCaption("0000"));
    clickRow(1);
    ASSERT_TRUE(previewNames("0002"));
    EXPECT_EQ(caption(), storedCaption("0002") + "zz");

    typeIntoCaption("yy");
    dragRow(1, rowCentre(4));
    ASSERT_TRUE(gui::waitFor([&] { return selectedRow() == 4; }, 3s));
    EXPECT_EQ(rows(), (Rows{"0000", "0001", "0003", "0004", "0002", "0005", "0006"}));
    clickRow(1);
    ASSERT_TRUE(previewNames("0001"));
    EXPECT_EQ(caption(), storedCaption("0001"));
    clickRow(4);
    ASSERT_TRUE(previewNames("0002"));
    EXPECT_EQ(caption(), storedCaption("0002") + "zzyy");
}

// Dropping onto a row below the photo puts it after that row's photo, onto a row above puts it
// before; below the last row appends; outside the list nothing moves. The target row is lit while
// the pointer rests on it, every row below the last one.
TEST_F(AlbumEditingTest, DraggingRowsWithTheMouse) {
    ASSERT_NO_FATAL_FAILURE(openDubois());
    struct Drag {
        const char* name;
        int row;
        int target;  // -1: below the last row, -2: outside the list (over the preview)
        Rows expected;
        int selected;
    };
    const Drag drags[] = {
        {"row 1 down onto row 3", 1, 3, {"0000", "0002", "0003", "0001", "0004", "0005", "0006"}, 3},
        {"row 5 up onto row 1", 5, 1, {"0000", "0005", "0002", "0003", "0001", "0004", "0006"}, 1},
        {"row 0 below the last row", 0, -1, {"0005", "0002", "0003", "0001", "0004", "0006", "0000"}, 6},
        {"row 2 outside the list", 2, -2, {"0005", "0002", "0003", "0001", "0004", "0006", "0000"}, 2},
    };
    for (const Drag& drag : drags) {
        SCOPED_TRACE(drag.name);
        POINT to = drag.target >= 0 ? rowCentre(drag.target) : drag.target == -1 ? belowLastRow() : previewCentre();
        dragRow(drag.row, to);
        EXPECT_TRUE(gui::waitFor([&] { return rows() == drag.expected; }, 3s));
        EXPECT_EQ(rows(), drag.expected);
        EXPECT_EQ(selectedRow(), drag.selected);
        EXPECT_TRUE(highlightedRows().empty());
    }

    // A drag in progress: the row under the pointer is lit, below the last row all are, and
    // leaving the list clears them.
    gui::bringToFront(mainWindow());
    gui::beginMouseDrag(rowCentre(1), rowCentre(4));
    EXPECT_TRUE(gui::waitFor([&] { return highlightedRows() == std::vector<int>{4}; }, 3s))
        << testing::PrintToString(highlightedRows());
    gui::moveHeldMouseTo(belowLastRow());
    EXPECT_TRUE(gui::waitFor([&] { return highlightedRows().size() == 7; }, 3s))
        << testing::PrintToString(highlightedRows());
    gui::moveHeldMouseTo(previewCentre());
    EXPECT_TRUE(gui::waitFor([&] { return highlightedRows().empty(); }, 3s))
        << testing::PrintToString(highlightedRows());
    gui::mouseButtonUp(previewCentre());
    EXPECT_EQ(rows(), drags[3].expected);
}

// Delete flags the selected photo and a second press keeps it again; the menu command does the
// same. Selecting a photo shows it; the time that takes is printed. With no row selected the
// caption box is disabled.
TEST_F(AlbumEditingTest, SelectingAndFlaggingPhotos) {
    ASSERT_NO_FATAL_FAILURE(openDubois());
    clickRow(0);
    std::vector<double> times;
    for (int row = 1; row < 7; ++row) {
        INPUT keys[2]{};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_DOWN;
        keys[0].ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        keys[1].ki.dwFlags = KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP;
        std::string expected = labelOf(DuboisRows[std::size_t(row)]);
        auto pressed = std::chrono::steady_clock::now();
        SendInput(2, keys, sizeof(INPUT));
        while (label() != expected && std::chrono::steady_clock::now() - pressed < 5s)
            Sleep(1);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed).count());
        EXPECT_EQ(label(), expected);
        EXPECT_TRUE(previewShowsPicture());
        EXPECT_EQ(caption(), storedCaption(DuboisRows[std::size_t(row)]));
    }
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double time : times)
        total += time;
    std::printf("[ timing   ] selecting another photo (400 by 300) until its preview shows: min %.0f ms, "
                "median %.0f ms, max %.0f ms over %zu\n",
                times.front(), times[times.size() / 2], times.back(), times.size());
    std::fflush(stdout);

    // A click beside the rows leaves no row selected: the caption box has nothing to edit and
    // takes no typing, and nothing counts as a change.
    gui::bringToFront(mainWindow());
    gui::clickExactly(belowLastRow());
    EXPECT_TRUE(gui::waitFor([&] { return selectedRow() < 0; }, 3s)) << selectedRow();
    EXPECT_TRUE(gui::waitFor([&] { return !IsWindowEnabled(captionBox()); }, 3s)) << "the caption box stayed enabled";
    std::string shown = caption();
    gui::clickExactly(gui::centreOf(captionBox()));
    gui::typeText(mainWindow(), "zz");
    gui::pause(300ms);
    EXPECT_EQ(caption(), shown);

    // Looking at photos changes nothing: Open Album does not ask about discarding changes.
    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    HWND dialog = program.waitForWindow("Open Photo Album", 5s);
    EXPECT_TRUE(dialog) << "selecting photos counted as a change";
    EXPECT_EQ(program.windowTitled("Discard Changes?"), nullptr);
    if (dialog) {
        gui::pressKey(dialog, VK_ESCAPE);
        EXPECT_TRUE(gui::waitFor([&] { return !IsWindow(dialog); }, 5s));
    }

    clickRow(1);
    EXPECT_TRUE(gui::waitFor([&] { return IsWindowEnabled(captionBox()) != FALSE; }, 3s)) << "a selected row's caption";
    gui::pressKey(list(), VK_DELETE);
    clickRow(4);
    gui::pressKey(list(), VK_DELETE);
    EXPECT_TRUE(gui::waitFor([&] { return rowImages() == std::vector<int>{1, 0, 1, 1, 0, 1, 1}; }, 3s));
    EXPECT_EQ(rowImages(), (std::vector<int>{1, 0, 1, 1, 0, 1, 1}));
    gui::pressKey(list(), VK_DELETE);
    EXPECT_TRUE(gui::waitFor([&] { return rowImages() == std::vector<int>{1, 0, 1, 1, 1, 1, 1}; }, 3s));
    gui::pressKey(mainWindow(), 'T', {VK_MENU});
    gui::pressKey(mainWindow(), 'D');
    EXPECT_TRUE(gui::waitFor([&] { return rowImages() == std::vector<int>{1, 0, 1, 1, 0, 1, 1}; }, 3s));
    EXPECT_EQ(rows(), DuboisRows) << "flags move nothing";

    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    HWND ask = program.waitForWindow("Discard Changes?", 5s);
    EXPECT_TRUE(ask) << "flags did not count as a change";
    if (ask)
        gui::pressKey(ask, 'N');
}

// Resting on the last visible row during a drag scrolls the list one row per move, so that a
// photo can be dragged further down than the list shows.
TEST_F(AlbumEditingTest, DraggingOntoTheLastVisibleRowScrollsTheList) {
    for (int number = 7; number < 40; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "\\Dubois_4_%04d.jpg", number);
        fs::copy_file(albumFolder() + "\\Dubois_4_0000.jpg", albumFolder() + name);
    }
    ASSERT_NO_FATAL_FAILURE(openDubois());
    ASSERT_EQ(rows().size(), 40u);
    int perPage = int(SendMessageA(list(), LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_LT(perPage, 40);
    ASSERT_EQ(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0), 0);

    POINT lastVisible = rowCentre(perPage - 1);
    gui::bringToFront(mainWindow());
    gui::beginMouseDrag(rowCentre(0), lastVisible);
    for (int move = 0; move < 4; ++move)
        gui::moveHeldMouseTo(POINT{lastVisible.x, lastVisible.y + (move % 2 ? 1 : -1)});
    EXPECT_TRUE(gui::waitFor([&] { return SendMessageA(list(), LVM_GETTOPINDEX, 0, 0) >= 2; }, 3s))
        << "top row " << SendMessageA(list(), LVM_GETTOPINDEX, 0, 0);
    gui::mouseButtonUp(lastVisible);
    EXPECT_TRUE(gui::waitFor([&] { return rows().front() == "0001"; }, 3s));
    EXPECT_GE(selectedRow(), perPage - 1);
    EXPECT_EQ(label(), labelOf("0000"));
    EXPECT_EQ(rows().size(), 40u);
}

// A photo whose file is not a JPEG: its label names it, the preview is blank and the row can't be
// dragged, but its caption is shown and edited like any other, and the next photo shows normally.
TEST_F(AlbumEditingTest, PhotoThatCannotBeDecodedBlanksThePreviewAndCannotBeDragged) {
    {
        std::ofstream broken(albumFolder() + "\\Dubois_4_0007.jpg", std::ios::binary);
        broken << "this is not a photo";
        std::ofstream caption(albumFolder() + "\\Dubois_4_0007.txt", std::ios::binary);
        caption << "The broken one";
    }
    ASSERT_NO_FATAL_FAILURE(openDubois());
    Rows expected = DuboisRows;
    expected.push_back("0007");
    ASSERT_EQ(rows(), expected);

    clickRow(7);
    ASSERT_TRUE(previewNames("0007"));
    EXPECT_EQ(caption(), "The broken one");
    EXPECT_TRUE(gui::waitFor([&] { return previewBlank(); }, 2s));
    typeIntoCaption(", mended");
    clickRow(6);
    ASSERT_TRUE(previewNames("0006"));
    clickRow(7);
    ASSERT_TRUE(previewNames("0007"));
    EXPECT_EQ(caption(), "The broken one, mended") << "the typing went to the photo's caption";

    dragRow(7, rowCentre(2));
    gui::pause(300ms);
    EXPECT_EQ(rows(), expected) << "the row was dragged";
    EXPECT_EQ(selectedRow(), 7);
    EXPECT_TRUE(highlightedRows().empty());

    clickRow(3);
    ASSERT_TRUE(previewNames("0003"));
    EXPECT_EQ(caption(), storedCaption("0003"));
    EXPECT_TRUE(gui::waitFor([&] { return previewShowsPicture(); }, 2s));
    dragRow(3, rowCentre(0));
    EXPECT_TRUE(gui::waitFor([&] { return rows().front() == "0003"; }, 3s)) << "a good photo drags again";
}
