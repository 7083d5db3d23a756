#include <algorithm>
#include <chrono>
#include <filesystem>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;

namespace {

class ImportPhotosTest : public ProgramTest {
protected:
    std::vector<std::string> listTexts(HWND list) const { return gui::listRows(program.process(), list, 1); }
    bool listHas(HWND list, const std::string& text) const {
        auto texts = listTexts(list);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    // A double click on the item with this text.
    void doubleClickItem(HWND list, const std::string& text) {
        auto texts = listTexts(list);
        auto found = std::find(texts.begin(), texts.end(), text);
        ASSERT_NE(found, texts.end()) << text;
        POINT centre = gui::listItemCentre(program.process(), list, int(found - texts.begin()));
        gui::clickAt(centre);
        gui::clickAt(centre);
    }
};

}  // namespace

// The Smith family (ID 2) of neighborhood 1 takes two photos of neighborhood 2: the dialog hides
// the family's own photos only in its own neighborhood, collects a photo once however often it is
// double-clicked, ignores Enter while nothing is collected, opens its help topic, reports a missing
// help file and stays open; Import copies the files under the numbers after the last photo and
// appends their rows.
TEST_F(ImportPhotosTest, PhotosOfAnotherNeighborhoodAreCopiedAndAppendedAfterTheLastPhoto) {
    useSampleGame();
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    const std::vector<std::string> loaded = {"0000", "0001", "0002", "0003", "0004", "0005", "0006", "0007"};
    ASSERT_EQ(albumRows(), loaded);

    gui::pressKey(mainWindow(), 'I', {VK_CONTROL});
    HWND dialog = program.waitForWindow("Import Photos", 5s);
    ASSERT_TRUE(dialog) << "Ctrl+I did not open the dialog";
    HWND box = GetDlgItem(dialog, IDC_IMPORT_NEIGHBORHOOD);
    HWND available = GetDlgItem(dialog, IDC_IMPORT_AVAILABLE);
    HWND selected = GetDlgItem(dialog, IDC_IMPORT_SELECTED);
    HWND importButton = GetDlgItem(dialog, IDOK);
    EXPECT_EQ(gui::comboItems(box), (std::vector<std::string>{"01", "02", "10"}));
    EXPECT_EQ(gui::comboSelectedText(box), "01");
    EXPECT_EQ(gui::listColumnHeading(program.process(), available, 0), "Available Photos");
    EXPECT_EQ(gui::listColumnHeading(program.process(), selected, 0), "Selected Photos");
    EXPECT_TRUE(listHas(available, "Smith_7_0000"));
    EXPECT_FALSE(listHas(available, "Smith_2_0000")) << "the open family's own photo";
    EXPECT_FALSE(listHas(available, "Smith_7_0000_thumb"));
    EXPECT_EQ(gui::selectedListItem(available), 0);
    EXPECT_FALSE(IsWindowEnabled(importButton));
    // Enter with nothing collected imports nothing and keeps the dialog.
    gui::pressKey(dialog, VK_RETURN);
    gui::pause(500ms);
    ASSERT_TRUE(IsWindow(dialog)) << "Enter ended the dialog without photos";

    ASSERT_TRUE(gui::chooseComboItem(box, "02"));
    ASSERT_TRUE(gui::waitFor([&] { return listHas(available, "Okafor_6_0001"); }, 3s));
    EXPECT_TRUE(listHas(available, "Smith_2_0000")) << "the same family name and ID in another neighborhood";
    doubleClickItem(available, "Okafor_6_0001");
    doubleClickItem(available, "Brandt_1_0002");
    doubleClickItem(available, "Okafor_6_0001");
    const std::vector<std::string> chosen = {"UserData2\\PhotoAlbum\\Brandt_1_0002",
                                             "UserData2\\PhotoAlbum\\Okafor_6_0001"};
    ASSERT_TRUE(gui::waitFor([&] { return listTexts(selected) == chosen; }, 3s)) << listTexts(selected).size();
    EXPECT_TRUE(gui::waitFor([&] { return IsWindowEnabled(importButton) != FALSE; }, 3s));

    // The help button opens the import topic of velmora.chm beside the program; without the file it
    // says where it looked.
    std::string helpPath = programFolder + "\\velmora.chm";
    ASSERT_TRUE(std::filesystem::exists(helpPath)) << "the build put no velmora.chm beside the program";
    gui::click(GetDlgItem(dialog, IDC_IMPORT_HOW_TO));
    HWND viewer = waitForHelpViewer(15s);
    ASSERT_TRUE(viewer) << "the help button showed no help viewer";
    EXPECT_EQ(gui::windowText(viewer), "Velmora Help");
    EXPECT_FALSE(program.windowTitled("Error Opening Help File"));
    closeHelpViewer(viewer);
    ASSERT_TRUE(IsWindow(dialog)) << "the dialog stays open";
    ASSERT_TRUE(std::filesystem::remove(helpPath));
    gui::click(GetDlgItem(dialog, IDC_IMPORT_HOW_TO));
    HWND helpError = program.waitForWindow("Error Opening Help File", 10s);
    ASSERT_TRUE(helpError) << "no message about the help file";
    EXPECT_EQ(gui::windowText(GetDlgItem(helpError, 0xFFFF)),
              "The program help file was either not found, or cannot be opened.\nThe expected path to this file "
              "is:\n\n" +
                  helpPath + "::/Published/B_03_howto_import.html");
    ASSERT_TRUE(gui::pressButton(GetDlgItem(helpError, IDOK)));
    ASSERT_TRUE(IsWindow(dialog)) << "the dialog stays open";

    ASSERT_TRUE(gui::pressButton(importButton));
    std::vector<std::string> expected = loaded;
    expected.insert(expected.end(), {"0008", "0009"});
    EXPECT_TRUE(gui::waitFor([&] { return albumRows() == expected; }, 5s)) << albumRows().size();
    EXPECT_TRUE(gui::waitFor([&] { return statusText(1) == "\t\t10 Photos"; }, 3s)) << statusText(1);
    EXPECT_EQ(statusText(0), "Ready");

    const std::pair<const char*, const char*> copies[] = {{"Brandt_1_0002", "Smith_2_0008"},
                                                          {"Okafor_6_0001", "Smith_2_0009"}};
    for (const auto& [source, target] : copies) {
        for (const char* suffix : {".jpg", ".txt", "_thumb.jpg"}) {
            std::string from = albumFolder(2) + "\\" + source + suffix;
            std::string to = albumFolder(1) + "\\" + target + suffix;
            SCOPED_TRACE(to);
            ASSERT_TRUE(std::filesystem::exists(from));
            ASSERT_TRUE(std::filesystem::exists(to));
            EXPECT_EQ(fileBytes(to), fileBytes(from));
        }
    }
    EXPECT_NE(logText().find("LOG: ========== IMPORTING NEW PHOTOS ==========\r\nIMPORT: Photo Album: " +
                             albumFolder(1) + "\\Smith_2_\r\nIMPORT: Number of photos being imported: 2\r\n"),
              std::string::npos)
        << logText();

    // The import is a change not yet applied.
    exitThroughMenu();
    HWND discard = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(discard) << "closing after an import did not ask";
    ASSERT_TRUE(gui::pressButton(GetDlgItem(discard, IDYES)));
    EXPECT_EQ(program.waitForExit(10s), 0);
}

// When the open album's neighborhood has no other family's photos, the dialog starts with the
// neighborhood box in the focus, so that the keyboard picks another neighborhood at once.
TEST_F(ImportPhotosTest, EmptyListStartsWithTheNeighborhoodBoxInFocus) {
    useSampleGame();
    for (const auto& entry : std::filesystem::directory_iterator(albumFolder(10)))
        if (entry.path().filename().string().starts_with("Lindqvist_"))
            std::filesystem::remove(entry.path());
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("10", "Quill", "15"));

    gui::pressKey(mainWindow(), 'I', {VK_CONTROL});
    HWND dialog = program.waitForWindow("Import Photos", 5s);
    ASSERT_TRUE(dialog) << "Ctrl+I did not open the dialog";
    HWND box = GetDlgItem(dialog, IDC_IMPORT_NEIGHBORHOOD);
    HWND available = GetDlgItem(dialog, IDC_IMPORT_AVAILABLE);
    EXPECT_EQ(gui::comboSelectedText(box), "10");
    EXPECT_EQ(gui::listItemCount(available), 0);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus));
    EXPECT_EQ(focus.hwndFocus, box);

    // The arrow key goes to the box: the neighborhood before "10" is shown.
    gui::pressKey(dialog, VK_UP);
    EXPECT_TRUE(gui::waitFor([&] { return gui::comboSelectedText(box) == "02"; }, 3s)) << gui::comboSelectedText(box);
    EXPECT_TRUE(gui::waitFor([&] { return listHas(available, "Okafor_6_0001"); }, 3s));

    ASSERT_TRUE(gui::pressButton(GetDlgItem(dialog, IDCANCEL)));
    exitThroughMenu();
    EXPECT_EQ(program.waitForExit(10s), 0);
}
