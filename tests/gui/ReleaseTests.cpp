#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PressButton.h"
#include "ProgramFixture.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// The release as a player gets it: scripts/gui-tests makes the zip with scripts/make-release and
// unzips it into an empty folder (VELMORA_RELEASE_FOLDER); the program runs from there, where it
// finds its help file and writes its log.
class ReleaseTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const char* folder = std::getenv("VELMORA_RELEASE_FOLDER");
        const char* version = std::getenv("VELMORA_RELEASE_VERSION");
        if (!folder || !*folder || !version)
            GTEST_SKIP() << "no unzipped release given (scripts/gui-tests makes one)";
        fs::remove_all(programFolder);
        programFolder = folder;
        exePath = programFolder + "\\velmora.exe";
        releaseVersion = version;
    }

    std::vector<std::string> programFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(programFolder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The static text of a dialog that starts with prefix.
    static std::string textStartingWith(HWND dialog, const std::string& prefix) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (std::string text = gui::windowText(child); text.rfind(prefix, 0) == 0)
                return text;
        return "";
    }

    std::string releaseVersion;
};

}  // namespace

TEST_F(ReleaseTest, UnzippedProgramOpensTheSampleGamesAlbumAndWritesItsLogBesideItself) {
    ASSERT_EQ(programFiles(), (std::vector<std::string>{"ReadMe.txt", "velmora.chm", "velmora.exe"}));
    useSampleGame();
    ASSERT_TRUE(startProgram());
    HWND openDialog = program.waitForWindow("Open Photo Album", 10s);
    ASSERT_TRUE(openDialog) << "no Open Photo Album dialog at the first start";
    ASSERT_TRUE(openFamily(openDialog, "01", "Smith", "20"));
    ASSERT_TRUE(gui::waitFor([&] { return gui::windowText(mainWindow()) == "Velmora - Smith Family Photo Album"; }, 10s));
    EXPECT_EQ(albumRows(), (std::vector<std::string>{"0000", "0001", "0002", "0003", "0004", "0005", "0006", "0007"}));

    gui::pressKey(mainWindow(), VK_F1);
    HWND viewer = waitForHelpViewer(15s);
    ASSERT_TRUE(viewer) << "the release's help file did not open";
    EXPECT_EQ(gui::windowText(viewer), "Velmora Help");
    closeHelpViewer(viewer);

    // Help, About Velmora shows the version the release is named after.
    gui::pressKey(mainWindow(), 'H', {VK_MENU});
    gui::pressKey(mainWindow(), 'A');
    HWND about = program.waitForWindow("About Velmora", 5s);
    ASSERT_TRUE(about) << "no About box";
    EXPECT_EQ(textStartingWith(about, "Version "), "Version " + releaseVersion);
    ASSERT_TRUE(gui::pressButton(GetDlgItem(about, IDOK)));

    exitThroughMenu();
    EXPECT_EQ(program.waitForExit(10s), 0);
    EXPECT_EQ(programFiles(), (std::vector<std::string>{"ReadMe.txt", "velmora.chm", "velmora.exe", "velmora.log"}));
    std::string log = logText();
    EXPECT_EQ(log.rfind("LOG: Log file opened at ", 0), 0u) << log;
    EXPECT_NE(log.find("OPEN: Family Name = Smith\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("LOADING: Smith_2_0007.jpg\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("LOG: Log file closed at "), std::string::npos) << log;
    EXPECT_EQ(log.find("ERROR:"), std::string::npos) << log;
}
