#include <chrono>
#include <filesystem>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const char DataReadingErrorText[] =
    "An error was encountered while reading data for some\nof the photo albums. The entries for which data could\n"
    "not be loaded will show a question mark (?) in the lot\nand ID columns.\n\nThis error indicates that a problem "
    "exists with the\nneighborhood.iff file that corresponds with the problem\nphoto albums.";

const std::vector<std::string> FamiliesOf01 = {"Dubois|12|4", "Smith|5|7", "Smith|20|2", "Zarez|31|17",
                                               "van Dorn|44|9"};
const std::vector<std::string> FamiliesOf02 = {"Brandt|10|1", "Okafor|22|6", "Smith|7|2"};
const std::vector<std::string> FamiliesOf10 = {"Lindqvist|2|12", "Quill|15|3"};

std::vector<std::string> photoNumbers(int count) {
    std::vector<std::string> numbers;
    for (int n = 0; n < count; ++n) {
        char text[8];
        std::snprintf(text, sizeof text, "%04d", n);
        numbers.push_back(text);
    }
    return numbers;
}

class OpenAlbumTest : public ProgramTest {
protected:
    void TearDown() override {
        closeProgram();
        ProgramTest::TearDown();
    }
    std::vector<std::string> familyRows(HWND dialog) const {
        return gui::listRows(program.process(), GetDlgItem(dialog, 1001), 3);
    }
    bool openEnabled(HWND dialog, bool enabled) const {
        return gui::waitFor([&] { return (IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE) == enabled; }, 3s);
    }
    // Clicks the row of the family list, by its index.
    void clickFamily(HWND dialog, int row) {
        gui::clickAt(gui::listItemCentre(program.process(), GetDlgItem(dialog, 1001), row));
    }
};

}  // namespace

// At start-up the dialog lists the current neighborhood's families, sorted by name and lot, with
// their lots and IDs from the neighborhood file; choosing another neighborhood rebuilds the list;
// Open opens the clicked family, and the next Open Album starts in that neighborhood, where a
// double-click opens a family.
TEST_F(OpenAlbumTest, DialogListsTheFamiliesOfTheChosenNeighborhoodAndOpensTheClickedOne) {
    useSampleGame();
    ASSERT_TRUE(startProgram());
    HWND dialog = program.waitForWindow("Open Photo Album", 10s);
    ASSERT_TRUE(dialog);
    HWND box = GetDlgItem(dialog, 1000);
    HWND families = GetDlgItem(dialog, 1001);
    EXPECT_EQ(gui::comboItems(box), (std::vector<std::string>{"01", "02", "10"}));
    EXPECT_EQ(gui::comboSelectedText(box), "01");

    RECT client{};
    GetClientRect(families, &client);
    int tenth = client.right / 10;
    const std::pair<const char*, int> columns[] = {
        {"Family Name", 6 * tenth}, {"Lot", 2 * tenth}, {"ID", client.right - 8 * tenth}};
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(gui::listColumnHeading(program.process(), families, column), columns[column].first);
        EXPECT_EQ(gui::listColumnWidth(families, column), columns[column].second);
    }
    EXPECT_EQ(familyRows(dialog), FamiliesOf01);
    EXPECT_TRUE(openEnabled(dialog, false)) << "Open without a chosen family";

    clickFamily(dialog, 3);
    EXPECT_TRUE(openEnabled(dialog, true));
    ASSERT_TRUE(gui::chooseComboItem(box, "10"));
    EXPECT_EQ(familyRows(dialog), FamiliesOf10);
    EXPECT_EQ(gui::selectedListItem(families), -1) << "the family chosen before is not kept";
    EXPECT_TRUE(openEnabled(dialog, false));

    ASSERT_TRUE(openFamily(dialog, "02", "Okafor", "22"));
    EXPECT_TRUE(gui::waitFor([&] { return gui::windowText(mainWindow()) == "Velmora - Okafor Family Photo Album"; }, 5s))
        << gui::windowText(mainWindow());
    EXPECT_EQ(albumRows(), photoNumbers(5));
    EXPECT_TRUE(gui::waitFor([&] { return statusText(1) == "\t\t5 Photos"; }, 3s)) << statusText(1);
    std::string log = logText();
    for (const char* line : {"LOG: ========== OPENING PHOTO ALBUM ==========\r\nOPEN: Family Name = Okafor\r\n"
                             "OPEN: Family Lot = 22\r\nOPEN: Family ID = 6\r\n"
                             "OPEN: Expected File Header = \"Okafor_6_\"\r\n",
                             "LOADING: Okafor_6_0004.jpg\r\n"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n--- in ---\n" << log;
    }

    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    dialog = program.waitForWindow("Open Photo Album", 5s);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(gui::comboSelectedText(GetDlgItem(dialog, 1000)), "02");
    ASSERT_EQ(familyRows(dialog), FamiliesOf02);
    POINT brandt = gui::listItemCentre(program.process(), GetDlgItem(dialog, 1001), 0);
    gui::clickAt(brandt);
    gui::clickAt(brandt);
    ASSERT_TRUE(gui::waitFor([&] { return !IsWindow(dialog); }, 5s)) << "a double-click did not open the family";
    EXPECT_TRUE(gui::waitFor([&] { return gui::windowText(mainWindow()) == "Velmora - Brandt Family Photo Album"; }, 5s));
    EXPECT_EQ(albumRows(), photoNumbers(10));
}

// A neighborhood whose Neighborhood.iff is missing: the "Data Reading Error" message over the
// dialog, its families with "?" as lot and ID, and none of them can be opened, neither with Open,
// nor by a double-click, nor with Enter. A neighborhood with neither photos nor a neighborhood file
// lists nothing, without a message.
TEST_F(OpenAlbumTest, FamiliesWithoutNeighborhoodDataAreMarkedAndCannotBeOpened) {
    useSampleGame();
    ASSERT_TRUE(fs::remove(gameFolder + "\\UserData2\\Neighborhood.iff"));
    ASSERT_TRUE(fs::create_directory(gameFolder + "\\UserData3"));
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    HWND dialog = program.waitForWindow("Open Photo Album", 5s);
    ASSERT_TRUE(dialog);
    HWND box = GetDlgItem(dialog, 1000);
    HWND families = GetDlgItem(dialog, 1001);

    ASSERT_TRUE(gui::chooseComboItem(box, "02"));
    HWND message = program.waitForWindow("Data Reading Error", 5s);
    ASSERT_TRUE(message) << "no Data Reading Error";
    EXPECT_EQ(gui::windowText(GetDlgItem(message, 0xFFFF)), DataReadingErrorText);
    EXPECT_EQ(GetWindow(message, GW_OWNER), dialog);
    EXPECT_EQ(GetDlgItem(message, IDCANCEL), nullptr) << "only OK";
    gui::pressButton(GetDlgItem(message, IDOK));
    ASSERT_TRUE(gui::waitFor([&] { return !IsWindow(message); }, 5s));
    EXPECT_EQ(gui::comboSelectedText(box), "02");
    EXPECT_EQ(familyRows(dialog), (std::vector<std::string>{"Brandt|?|?", "Okafor|?|?", "Smith|?|?"}));

    POINT okafor = gui::listItemCentre(program.process(), families, 1);
    gui::clickAt(okafor);
    EXPECT_EQ(gui::selectedListItem(families), 1);
    gui::pause(300ms);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    gui::clickAt(okafor);
    gui::clickAt(okafor);
    gui::pressKey(dialog, VK_RETURN);
    gui::pause(300ms);
    EXPECT_TRUE(IsWindow(dialog)) << "a family without data was opened";
    EXPECT_EQ(gui::windowText(mainWindow()), "Velmora");

    ASSERT_TRUE(gui::chooseComboItem(box, "03"));
    EXPECT_EQ(gui::listItemCount(families), 0);
    EXPECT_TRUE(openEnabled(dialog, false));
    gui::pause(300ms);
    EXPECT_EQ(program.windowTitled("Data Reading Error"), nullptr);

    ASSERT_TRUE(openFamily(dialog, "01", "Zarez", "31"));
    EXPECT_TRUE(gui::waitFor([&] { return gui::windowText(mainWindow()) == "Velmora - Zarez Family Photo Album"; }, 5s));
    EXPECT_EQ(albumRows(), photoNumbers(12));
}

// Cancelling the dialog, or answering No to "Discard Changes?", keeps the open album with its
// unapplied change; after Yes and Cancel the change is still there to be asked about.
TEST_F(OpenAlbumTest, CancelAndNoKeepTheOpenAlbumAndItsChanges) {
    useSampleGame();
    writeSetting("Show Open", 0);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    ASSERT_EQ(albumRows(), photoNumbers(8));
    HWND caption = viewControl(IDC_CAPTION);
    gui::click(caption);
    gui::pressKey(mainWindow(), VK_END, {VK_CONTROL});
    gui::typeText(mainWindow(), "q");
    std::string typed = gui::windowText(caption);
    ASSERT_NE(typed.find('q'), std::string::npos);

    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    HWND discard = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(discard);
    EXPECT_EQ(GetWindow(discard, GW_OWNER), mainWindow());
    gui::pressButton(GetDlgItem(discard, IDNO));
    gui::pause(500ms);
    EXPECT_EQ(program.windowTitled("Open Photo Album"), nullptr) << "No showed the dialog";

    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    discard = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(discard);
    gui::pressButton(GetDlgItem(discard, IDYES));
    HWND dialog = program.waitForWindow("Open Photo Album", 5s);
    ASSERT_TRUE(dialog);
    gui::pressButton(GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(gui::waitFor([&] { return !IsWindow(dialog); }, 5s));

    EXPECT_EQ(gui::windowText(mainWindow()), "Velmora - Smith Family Photo Album");
    EXPECT_EQ(albumRows(), photoNumbers(8));
    EXPECT_EQ(gui::windowText(caption), typed);
    std::string log = logText();
    std::size_t warning = log.find("WARNING: Changes were made without applying them.\r\n");
    EXPECT_NE(warning, std::string::npos) << log;
    EXPECT_EQ(log.find("WARNING: Changes", warning + 1), std::string::npos) << "the No answer was logged";

    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    discard = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(discard) << "the change was forgotten";
    gui::pressButton(GetDlgItem(discard, IDYES));
    EXPECT_EQ(program.waitForExit(10s), 0);
}
