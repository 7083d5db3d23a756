#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const char ConfirmTitle[] = "Update Smith Family Album";
const char ConfirmText[] = "Are you ready to update this photo album?";

std::string number(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%04d", n);
    return text;
}

// A caption as the program keeps it: the line break at the end of a caption file adds nothing.
std::string storedCaption(std::string fileText) {
    if (fileText.ends_with("\r\n"))
        fileText.resize(fileText.size() - 2);
    return fileText;
}

// Smith 2 of neighborhood 01 in the sample: 8 photos; 0005 has no caption file, 0006 no thumbnail.
class UpdateAlbumTest : public SampleGameTest {
protected:
    std::string samplePhoto(const std::string& name) const {
        return fileBytes(std::string(VELMORA_SAMPLE_GAME) + "/UserData/PhotoAlbum/" + name);
    }
    std::string albumFile(const std::string& name) const { return albumFolder(1) + "\\" + name; }
    std::set<std::string> smithFiles() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(albumFolder(1)))
            if (entry.path().filename().string().starts_with("Smith_2_") || entry.path().filename() == "VLM_TEMP")
                names.insert(entry.path().filename().string());
        return names;
    }
    void clickRow(int row) { gui::clickAt(gui::listItemCentre(program.process(), albumList(), row)); }
    // Flags a row with the Delete key in the album list.
    void flagRow(int row) {
        clickRow(row);
        ASSERT_TRUE(gui::waitFor([&] { return gui::selectedListItem(albumList()) == row; }, 3s));
        gui::pressKey(mainWindow(), VK_DELETE);
        ASSERT_TRUE(gui::waitFor([&] { return gui::listItemImage(program.process(), albumList(), row) == 0; }, 3s))
            << "row " << row << " was not flagged";
    }
    // Starts Update Album with Ctrl+S and answers the confirmation with a click on Yes.
    void updateWithShortcut() {
        gui::pressKey(mainWindow(), 'S', {VK_CONTROL});
        HWND box = program.waitForWindow(ConfirmTitle, 5s);
        ASSERT_TRUE(box) << "no confirmation";
        gui::pressButton(GetDlgItem(box, IDYES));
        ASSERT_TRUE(gui::waitFor([&] { return !IsWindow(box); }, 5s));
    }
    std::vector<int> rowImages() const {
        std::vector<int> images;
        for (int row = 0; row < gui::listItemCount(albumList()); ++row)
            images.push_back(gui::listItemImage(program.process(), albumList(), row));
        return images;
    }
    // The "Program Error" prompt: its details, then the answer given with a click on its button.
    std::string answerPrompt(int button) {
        HWND prompt = program.waitForWindow("Program Error", 10s);
        if (!prompt) {
            ADD_FAILURE() << "no Program Error prompt";
            return {};
        }
        EXPECT_EQ(GetWindow(prompt, GW_OWNER), mainWindow());
        std::string details = gui::windowText(GetDlgItem(prompt, 1009));
        gui::pressButton(GetDlgItem(prompt, button));
        EXPECT_TRUE(gui::waitFor([&] { return !IsWindow(prompt); }, 5s));
        return details;
    }
};

}  // namespace

// No to the confirmation, from the toolbar and from the File menu, changes nothing and logs
// nothing. Then a caption typed and two photos flagged with the Delete key: Ctrl+S and Yes recycle
// the flagged photos, write every caption file and renumber the rest 0000.. in list order,
// thumbnails and captions with them.
TEST_F(UpdateAlbumTest, UpdateRecyclesFlaggedPhotosAndRenumbersTheRestInListOrder) {
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    ASSERT_EQ(gui::listItemCount(albumList()), 8);

    gui::clickAt(gui::toolbarButtonCentre(program.process(), toolBar(), ID_FILE_UPDATE_ALBUM));
    HWND box = program.waitForWindow(ConfirmTitle, 5s);
    ASSERT_TRUE(box) << "the toolbar button did not ask";
    EXPECT_EQ(gui::windowText(GetDlgItem(box, 0xFFFF)), ConfirmText);
    EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow());
    gui::pressButton(GetDlgItem(box, IDNO));
    ASSERT_TRUE(gui::waitFor([&] { return !IsWindow(box); }, 5s));
    gui::pressKey(mainWindow(), 'F', {VK_MENU});
    gui::pressKey(mainWindow(), 'U');
    box = program.waitForWindow(ConfirmTitle, 5s);
    ASSERT_TRUE(box) << "the File menu did not ask";
    gui::pressButton(GetDlgItem(box, IDNO));
    ASSERT_TRUE(gui::waitFor([&] { return !IsWindow(box); }, 5s));
    EXPECT_EQ(logText().find("UPDATING"), std::string::npos) << "No was logged";
    EXPECT_EQ(smithFiles().size(), 22u);

    flagRow(1);
    clickRow(2);
    gui::click(viewControl(IDC_CAPTION));
    gui::pressKey(mainWindow(), VK_END, {VK_CONTROL});
    gui::typeText(mainWindow(), " and more");
    flagRow(4);
    EXPECT_EQ(rowImages(), (std::vector<int>{1, 0, 1, 1, 0, 1, 1, 1}));

    updateWithShortcut();
    ASSERT_TRUE(gui::waitFor([&] { return gui::listItemCount(albumList()) == 6 && statusText(0) == "Ready"; }, 20s))
        << statusText(0);
    std::vector<std::string> numbers;
    for (int n = 0; n < 6; ++n)
        numbers.push_back(number(n));
    EXPECT_EQ(albumRows(), numbers);
    EXPECT_EQ(rowImages(), std::vector<int>(6, 1));

    // Photo n of the album now is the photo that stood at keptFrom[n] before.
    const int keptFrom[] = {0, 2, 3, 5, 6, 7};
    std::set<std::string> expectedFiles;
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE("photo " + number(n));
        std::string now = "Smith_2_" + number(n), before = "Smith_2_" + number(keptFrom[n]);
        EXPECT_EQ(fileBytes(albumFile(now + ".jpg")), samplePhoto(before + ".jpg"));
        std::string caption = storedCaption(samplePhoto(before + ".txt"));
        if (keptFrom[n] == 2)
            caption += " and more";
        EXPECT_EQ(fileBytes(albumFile(now + ".txt")), caption);
        expectedFiles.insert({now + ".jpg", now + ".txt"});
        if (keptFrom[n] != 6) {
            EXPECT_EQ(fileBytes(albumFile(now + "_thumb.jpg")), samplePhoto(before + "_thumb.jpg"));
            expectedFiles.insert(now + "_thumb.jpg");
        }
    }
    EXPECT_EQ(smithFiles(), expectedFiles) << "flagged photos left behind, or the work folder";

    std::string prefix = albumFolder(1) + "\\Smith_2_";
    std::string log = logText();
    for (std::string line : {"LOG: ========== UPDATING PHOTO ALBUM ==========\r\nUPDATING: Full path = " + prefix +
                                 "\r\nUPDATING: Work path = " + albumFolder(1) + "\\VLM_TEMP\\Smith_2_\r\n",
                             "LOG: Recycling " + prefix + "0001.jpg --- Result (0)\r\n",
                             "LOG: Recycling " + prefix + "0004_thumb.jpg --- Result (0)\r\n",
                             "LOG: Moving " + prefix + "0007.jpg to work folder --- Result (0)\r\n",
                             "LOG: Moving " + prefix + "0005.txt back to album --- Result (0)\r\n"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n--- in ---\n" << log;
    }

    // The selected photo went to the Recycle Bin: nothing is shown, and the photo that now has its
    // number shows with its own caption when it is chosen.
    EXPECT_EQ(gui::windowText(viewControl(IDC_PREVIEW_LABEL)), "");
    clickRow(4);
    EXPECT_TRUE(gui::waitFor(
        [&] { return gui::windowText(viewControl(IDC_CAPTION)) == storedCaption(samplePhoto("Smith_2_0006.txt")); },
        3s))
        << gui::windowText(viewControl(IDC_CAPTION));
    EXPECT_EQ(gui::windowText(viewControl(IDC_PREVIEW_LABEL)), "Current Preview Image: Smith_2_0004.jpg");

    // The update applied every change: closing asks nothing.
    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    EXPECT_EQ(program.waitForExit(10s), 0);
}

// Flagged photos without caption files fail to be recycled completely. The Program Error prompt
// asks about each; No and No to All stop the update before anything is renumbered, Yes goes on to
// the next failure, and Yes to All lets the rest of the pass go on without asking. A photo with
// nothing left in the album folder leaves the list whatever the answer: its files are in the
// Recycle Bin. The caption still being typed when the update starts is stored with the rest.
TEST_F(UpdateAlbumTest, FailedRecyclingIsPutToTheUserWithTheProgramErrorPrompt) {
    for (const char* name : {"Smith_2_0001.txt", "Smith_2_0002.txt", "Smith_2_0003.txt", "Smith_2_0004.txt"})
        ASSERT_TRUE(fs::remove(albumFile(name)));
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    for (int row = 1; row <= 5; ++row)
        flagRow(row);

    struct Stop {
        int button;
        const char* name;
        const char* asked;
        std::vector<int> imagesAfter;
    } stops[] = {{IDCANCEL, "No", "0001", {1, 0, 0, 0, 0, 1, 1}}, {1010, "No to All", "0002", {1, 0, 0, 0, 1, 1}}};
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.name);
        updateWithShortcut();
        std::string details = answerPrompt(stop.button);
        EXPECT_EQ(details,
                  "An error was encountered while trying to recycle the files\r\nassociated with the following album "
                  "entry:\r\n\r\n" + std::string(stop.asked) + "\r\n\r\nThis error may occur with other files "
                  "that are flagged for\r\nremoval. Would you like to attempt to continue recycling?");
        gui::pause(500ms);
        EXPECT_EQ(program.windowTitled("Program Error"), nullptr) << "asked again after " << stop.name;
        EXPECT_EQ(rowImages(), stop.imagesAfter);
        EXPECT_FALSE(fs::exists(albumFile(std::string("Smith_2_") + stop.asked + ".jpg")));
        EXPECT_TRUE(fs::exists(albumFile("Smith_2_0003.jpg")));
        EXPECT_FALSE(fs::exists(albumFolder(1) + "\\VLM_TEMP"));
        EXPECT_EQ(statusText(0), "Applying Changes: Recycling flagged files...");
    }

    // A caption typed into the selected photo's box is stored by the update itself.
    clickRow(0);
    gui::click(viewControl(IDC_CAPTION));
    gui::pressKey(mainWindow(), VK_END, {VK_CONTROL});
    gui::typeText(mainWindow(), " and more");
    updateWithShortcut();
    EXPECT_NE(answerPrompt(IDOK).find("\r\n0003\r\n"), std::string::npos);
    EXPECT_NE(answerPrompt(1011).find("\r\n0004\r\n"), std::string::npos);
    ASSERT_TRUE(gui::waitFor([&] { return gui::listItemCount(albumList()) == 3 && statusText(0) == "Ready"; }, 20s))
        << "row 0005 was asked about after Yes to All, or the update stopped";
    EXPECT_EQ(program.windowTitled("Program Error"), nullptr);
    std::vector<std::string> numbers;
    for (int n = 0; n < 3; ++n)
        numbers.push_back(number(n));
    EXPECT_EQ(albumRows(), numbers);
    const char* keptFrom[] = {"0000", "0006", "0007"};
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(fs::exists(albumFile("Smith_2_" + number(n) + ".txt"))) << n;
        EXPECT_EQ(fileBytes(albumFile("Smith_2_" + number(n) + ".jpg")),
                  samplePhoto(std::string("Smith_2_") + keptFrom[n] + ".jpg"));
    }
    EXPECT_FALSE(fs::exists(albumFile("Smith_2_0005.jpg")));
    EXPECT_EQ(fileBytes(albumFile("Smith_2_0000.txt")), storedCaption(samplePhoto("Smith_2_0000.txt")) + " and more");
    std::string log = logText();
    EXPECT_NE(log.find("LOG: Recycling " + albumFolder(1) + "\\Smith_2_0005.txt --- Result (2)\r\n"), std::string::npos)
        << log;
}

namespace {
// A file held open by another program, as a viewer holds a photo it shows: it can be neither moved
// nor recycled while it is held.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr)) {}
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { release(); }
    bool held() const { return handle != INVALID_HANDLE_VALUE; }
    void release() {
        if (held())
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle;
};
}  // namespace

// An update stopped in the move back (a photo is held open and the player answers No) leaves photos
// in the work folder and the album marked changed, so closing asks. Started again and opened, the
// program offers to finish that update; Yes brings every photo back under the number of its place.
TEST_F(UpdateAlbumTest, AnUpdateStoppedMidwayIsFinishedWhenTheAlbumIsOpenedAgain) {
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    clickRow(7);
    ASSERT_TRUE(gui::waitFor([&] { return gui::selectedListItem(albumList()) == 7; }, 3s));
    gui::pressKey(mainWindow(), VK_UP, {VK_CONTROL, VK_SHIFT});
    const std::vector<std::string> order = {"0007", "0000", "0001", "0002", "0003", "0004", "0005", "0006"};
    ASSERT_TRUE(gui::waitFor([&] { return albumRows() == order; }, 3s));

    // 0002 cannot go out; while the update asks about it, the photo before it, out already, is held.
    HeldFile inAlbum(albumFile("Smith_2_0002.jpg"));
    ASSERT_TRUE(inAlbum.held());
    updateWithShortcut();
    ASSERT_TRUE(program.waitForWindow("Program Error", 10s));
    HeldFile inWorkFolder(albumFolder(1) + "\\VLM_TEMP\\Smith_2_0000.jpg");
    ASSERT_TRUE(inWorkFolder.held());
    inAlbum.release();
    EXPECT_NE(answerPrompt(IDOK).find("\r\n0002\r\n"), std::string::npos);
    std::string details = answerPrompt(IDCANCEL);
    EXPECT_NE(details.find("\r\n0000\r\n\r\nAt this point"), std::string::npos) << details;
    inWorkFolder.release();
    EXPECT_TRUE(fs::exists(albumFolder(1) + "\\VLM_TEMP\\Smith_2_0000.jpg"));

    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    HWND discard = program.waitForWindow("Discard Changes?", 5s);
    ASSERT_TRUE(discard) << "the stopped update's changes were forgotten";
    ASSERT_TRUE(gui::pressButton(GetDlgItem(discard, IDYES)));
    ASSERT_EQ(program.waitForExit(10s), 0);

    ASSERT_TRUE(startProgram());
    gui::pressKey(mainWindow(), 'O', {VK_CONTROL});
    HWND openDialog = program.waitForWindow("Open Photo Album", 5s);
    ASSERT_TRUE(openDialog);
    ASSERT_TRUE(openFamily(openDialog, "01", "Smith", "20"));
    HWND offer = program.waitForWindow("Interrupted Update", 10s);
    ASSERT_TRUE(offer) << "no offer to finish the update";
    EXPECT_NE(gui::windowText(GetDlgItem(offer, 0xFFFF)).find("Do you want to finish that update now?"),
              std::string::npos);
    ASSERT_TRUE(gui::pressButton(GetDlgItem(offer, IDYES)));
    ASSERT_TRUE(gui::waitFor([&] { return gui::windowText(mainWindow()) == "Velmora - Smith Family Photo Album"; }, 10s));

    std::vector<std::string> numbers;
    for (int n = 0; n < 8; ++n)
        numbers.push_back(number(n));
    EXPECT_EQ(albumRows(), numbers);
    std::set<std::string> expectedFiles;
    for (int n = 0; n < 8; ++n) {
        std::string now = "Smith_2_" + number(n), before = "Smith_2_" + order[std::size_t(n)];
        SCOPED_TRACE(now + " was " + before);
        EXPECT_EQ(fileBytes(albumFile(now + ".jpg")), samplePhoto(before + ".jpg"));
        // 0005 had no caption file: the update wrote its empty caption.
        std::string caption = order[std::size_t(n)] == "0005" ? "" : storedCaption(samplePhoto(before + ".txt"));
        EXPECT_EQ(fileBytes(albumFile(now + ".txt")), caption);
        expectedFiles.insert({now + ".jpg", now + ".txt"});
        if (order[std::size_t(n)] != "0006") {
            EXPECT_EQ(fileBytes(albumFile(now + "_thumb.jpg")), samplePhoto(before + "_thumb.jpg"));
            expectedFiles.insert(now + "_thumb.jpg");
        }
    }
    EXPECT_EQ(smithFiles(), expectedFiles) << "a photo left in the work folder, or the work folder";
    std::string log = logText();
    EXPECT_NE(log.find("LOG: ========== RECOVERING INTERRUPTED UPDATE ==========\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("UPDATING: Finishing the interrupted update\r\n"), std::string::npos) << log;

    // Nothing is left to apply: closing asks nothing.
    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    EXPECT_EQ(program.waitForExit(10s), 0);
}

// A copy made beside a photo ("Copy of Smith_2_0003.jpg") is a photo of the album with the same
// number. Choosing either row shows that row's own photo, and flagging the copy recycles the copy,
// never the photo whose number it shows.
TEST_F(UpdateAlbumTest, ACopyBesideAPhotoIsAPhotoOfItsOwn) {
    ASSERT_TRUE(CopyFileA(albumFile("Smith_2_0005.jpg").c_str(), albumFile("Copy of Smith_2_0003.jpg").c_str(), TRUE));
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    ASSERT_EQ(albumRows(), (std::vector<std::string>{"0003", "0000", "0001", "0002", "0003", "0004", "0005", "0006",
                                                     "0007"}));
    auto label = [&] { return gui::windowText(viewControl(IDC_PREVIEW_LABEL)); };
    EXPECT_EQ(label(), "Current Preview Image: Copy of Smith_2_0003.jpg");
    clickRow(4);
    EXPECT_TRUE(gui::waitFor([&] { return label() == "Current Preview Image: Smith_2_0003.jpg"; }, 3s)) << label();
    EXPECT_EQ(gui::windowText(viewControl(IDC_CAPTION)), storedCaption(samplePhoto("Smith_2_0003.txt")));
    clickRow(0);
    EXPECT_TRUE(gui::waitFor([&] { return label() == "Current Preview Image: Copy of Smith_2_0003.jpg"; }, 3s))
        << label();

    flagRow(0);
    updateWithShortcut();
    // The copy has no caption file to recycle, which is asked about as for any photo without one.
    EXPECT_NE(answerPrompt(IDOK).find("\r\n0003\r\n"), std::string::npos);
    ASSERT_TRUE(gui::waitFor([&] { return gui::listItemCount(albumList()) == 8 && statusText(0) == "Ready"; }, 20s));
    std::set<std::string> expectedFiles;
    for (int n = 0; n < 8; ++n) {
        std::string name = "Smith_2_" + number(n);
        EXPECT_EQ(fileBytes(albumFile(name + ".jpg")), samplePhoto(name + ".jpg")) << name;
        expectedFiles.insert({name + ".jpg", name + ".txt"});
        if (n != 6)
            expectedFiles.insert(name + "_thumb.jpg");
    }
    EXPECT_EQ(smithFiles(), expectedFiles);
    EXPECT_FALSE(fs::exists(albumFile("Copy of Smith_2_0003.jpg")));
    gui::pressKey(mainWindow(), VK_F4, {VK_MENU});
    EXPECT_EQ(program.waitForExit(10s), 0);
}
