#include "ProgramFixture.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PressButton.h"
#include "res/resource.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const char SettingsKey[] = "Software\\Hollowmere\\Velmora";
const char GameKey[] = "Software\\Maxis\\The Sims";

// The program under test: VELMORA_EXE, or the one built beside this test in the build tree.
std::string builtProgram() {
    if (const char* given = std::getenv("VELMORA_EXE"); given && *given)
        return given;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return (fs::path(self).parent_path().parent_path().parent_path() / "app" / "velmora.exe").string();
}

std::string freshFolder(const std::string& name) {
    static int counter = 0;
    fs::path folder = fs::temp_directory_path() /
                      ("velmora-gui-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

}  // namespace

std::string fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ProgramTest::SetUp() {
    programFolder = freshFolder("program");
    gameFolder = freshFolder("game");
    exePath = programFolder + "\\velmora.exe";
    ASSERT_TRUE(CopyFileA(builtProgram().c_str(), exePath.c_str(), FALSE)) << "no program at " << builtProgram();
    // The help file the build puts beside the program goes along; tests of a missing one remove it.
    fs::path builtHelp = fs::path(builtProgram()).parent_path() / "velmora.chm";
    if (fs::exists(builtHelp))
        fs::copy_file(builtHelp, programFolder + "\\velmora.chm");

    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
    HKEY game = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, GameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                              &game, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(game, "SIMS_DATA", 0, REG_SZ, reinterpret_cast<const BYTE*>(gameFolder.c_str()),
                   DWORD(gameFolder.size() + 1));
    RegSetValueExA(game, "SIMS_CURRENT_NEIGHBORHOOD_NUM", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegCloseKey(game);
}

void ProgramTest::TearDown() {
    if (program.running()) {
        ADD_FAILURE() << "the program was still running at the end of the test";
    }
    program.stop();
    std::error_code ignored;
    fs::remove_all(programFolder, ignored);
    fs::remove_all(gameFolder, ignored);
}

void ProgramTest::writeSetting(const std::string& name, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::optional<ProgramTest::StoredSetting> ProgramTest::storedSetting(const std::string& name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    StoredSetting stored{};
    DWORD size = sizeof stored.value;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &stored.type, reinterpret_cast<BYTE*>(&stored.value),
                                   &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || size != sizeof stored.value)
        return std::nullopt;
    return stored;
}

std::size_t ProgramTest::settingCount() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return values;
}

HWND ProgramTest::startProgram() {
    auto started = std::chrono::steady_clock::now();
    if (!program.start(exePath)) {
        ADD_FAILURE() << "could not start " << exePath;
        return nullptr;
    }
    gui::waitFor([&] { return (frame = program.mainWindow()) != nullptr; }, 20s);
    if (!frame) {
        ADD_FAILURE() << "no main window appeared";
        return nullptr;
    }
    WaitForInputIdle(program.process(), 20000);
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
    std::printf("[ timing   ] start-up to a visible, idle main window: %.0f ms\n", elapsed.count());
    std::fflush(stdout);
    return frame;
}

void ProgramTest::exitThroughMenu() {
    gui::pressKey(frame, 'F', {VK_MENU});
    gui::pressKey(frame, 'X');
}

void ProgramTest::closeProgram() {
    if (!program.running())
        return;
    // A dialog closes as its Cancel button would close it.
    for (HWND window : program.topLevelWindows())
        if (window != frame)
            PostMessageA(window, WM_CLOSE, 0, 0);
    gui::waitFor([&] { return program.topLevelWindows().size() <= 1; }, 5s);
    exitThroughMenu();
    HWND discardPrompt = nullptr;
    gui::waitFor([&] { return !program.running() || (discardPrompt = program.windowTitled("Discard Changes?")); }, 3s);
    if (discardPrompt)
        gui::pressButton(GetDlgItem(discardPrompt, IDYES));
    EXPECT_EQ(program.waitForExit(10s), 0);
}

// Under Wine the viewer's window shows a moment before it has its title.
HWND ProgramTest::waitForHelpViewer(std::chrono::milliseconds timeout) const {
    auto started = std::chrono::steady_clock::now();
    HWND viewer = nullptr;
    gui::waitFor(
        [&] {
            for (HWND window : program.topLevelWindows())
                if (gui::className(window) == "HH Parent" && !gui::windowText(window).empty())
                    viewer = window;
            return viewer != nullptr;
        },
        timeout);
    if (!viewer) {
        for (HWND window : program.topLevelWindows())
            std::printf("top-level window: class \"%s\", title \"%s\"\n", gui::className(window).c_str(),
                        gui::windowText(window).c_str());
        return nullptr;
    }
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
    std::printf("[ timing   ] help viewer shown after: %.0f ms\n", elapsed.count());
    std::fflush(stdout);
    return viewer;
}

// Alt+F4 can reach the viewer before it takes keyboard input: it is given again, up to three times.
void ProgramTest::closeHelpViewer(HWND viewer) {
    for (int attempt = 0; attempt < 3 && IsWindow(viewer); ++attempt) {
        gui::pressKey(viewer, VK_F4, {VK_MENU});
        gui::waitFor([&] { return !IsWindow(viewer); }, 3s);
    }
    EXPECT_FALSE(IsWindow(viewer)) << "the help viewer stayed open";
}

bool ProgramTest::logExists() const { return fs::exists(programFolder + "\\velmora.log"); }

std::string ProgramTest::logText() const { return fileBytes(programFolder + "\\velmora.log"); }

HWND ProgramTest::statusBar() const { return FindWindowExA(frame, nullptr, "msctls_statusbar32", nullptr); }

HWND ProgramTest::toolBar() const { return FindWindowExA(frame, nullptr, "ToolbarWindow32", nullptr); }

HWND ProgramTest::viewControl(int id) const { return GetDlgItem(GetDlgItem(frame, 0xE900), id); }

HWND ProgramTest::albumList() const { return viewControl(IDC_ALBUM_LIST); }

std::vector<std::string> ProgramTest::albumRows() const { return gui::listRows(program.process(), albumList(), 1); }

void ProgramTest::useSampleGame() {
    fs::copy(VELMORA_SAMPLE_GAME, gameFolder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string ProgramTest::albumFolder(int neighborhood) const {
    return gameFolder + "\\UserData" + (neighborhood > 1 ? std::to_string(neighborhood) : "") + "\\PhotoAlbum";
}

bool ProgramTest::openFamily(HWND openDialog, const std::string& neighborhood, const std::string& name,
                             const std::string& lot) {
    HWND box = GetDlgItem(openDialog, 1000);
    HWND families = GetDlgItem(openDialog, 1001);
    if (gui::comboSelectedText(box) != neighborhood && !gui::chooseComboItem(box, neighborhood)) {
        ADD_FAILURE() << "no neighborhood " << neighborhood;
        return false;
    }
    int row = -1;
    for (int item = 0; item < gui::listItemCount(families); ++item)
        if (gui::listItemText(program.process(), families, item, 0) == name &&
            gui::listItemText(program.process(), families, item, 1) == lot)
            row = item;
    if (row < 0) {
        ADD_FAILURE() << "no family " << name << " on lot " << lot;
        return false;
    }
    gui::clickAt(gui::listItemCentre(program.process(), families, row));
    HWND openButton = GetDlgItem(openDialog, IDOK);
    if (!gui::waitFor([&] { return IsWindowEnabled(openButton) != FALSE; }, 3s)) {
        ADD_FAILURE() << "Open stayed disabled";
        return false;
    }
    return gui::pressButton(openButton);
}

bool ProgramTest::openAlbumWithShortcut(const std::string& neighborhood, const std::string& name,
                                        const std::string& lot) {
    gui::pressKey(frame, 'O', {VK_CONTROL});
    HWND openDialog = program.waitForWindow("Open Photo Album", 5s);
    if (!openDialog) {
        ADD_FAILURE() << "Ctrl+O showed no Open Photo Album dialog";
        return false;
    }
    return openFamily(openDialog, neighborhood, name, lot) &&
           gui::waitFor([&] { return gui::windowText(frame) == "Velmora - " + name + " Family Photo Album"; }, 10s);
}
