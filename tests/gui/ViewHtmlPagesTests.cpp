#include <windows.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const char PageNotFoundText[] =
    "The main photo album web page (scrapbook1.html)\nwas not found for this family. As a result, no\n"
    "HTML files can be opened.";
const char BrowserObjectServerKey[] = "Software\\Classes\\CLSID\\{0002DF01-0000-0000-C000-000000000046}\\LocalServer32";

// Visible windows of the platform's browser object, whichever process shows them.
std::vector<HWND> browserWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            if (IsWindowVisible(window) && gui::className(window) == "IEFrame")
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The text of the browser window's address box.
std::string addressShown(HWND browser) {
    HWND edit = nullptr;
    EnumChildWindows(
        browser,
        [](HWND child, LPARAM data) -> BOOL {
            if (gui::className(child) != "Edit")
                return TRUE;
            *reinterpret_cast<HWND*>(data) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    return edit ? gui::windowText(edit) : std::string();
}

// The Windows path a file URL names, in whichever of the forms a browser shows it:
// "file:///C:/a%20b/c.html", "file://C:\a b\c.html".
std::string pathOfFileUrl(const std::string& url) {
    std::string rest = url.substr(url.starts_with("file:///") ? 8 : url.starts_with("file://") ? 7 : 0);
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size()) {
            path += char(std::stoi(rest.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += rest[i] == '/' ? '\\' : rest[i];
        }
    }
    return path;
}

bool samePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

bool processRunning(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = _stricmp(entry.szExeFile, exeName) == 0;
    CloseHandle(snapshot);
    return found;
}

// Under Wine, the Unix path of a Windows path; empty on Windows.
std::string unixPathOf(const std::string& windowsPath) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* name = unixFileName(wide.c_str());
    std::string path = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

// One registry value set for the length of a test, and put back as it was afterwards.
class RegistryValueOverride {
public:
    RegistryValueOverride(HKEY root, std::string key, std::string name)
        : root(root), key(std::move(key)), name(std::move(name)) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root, this->key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
            return;
        char data[1024] = {};
        DWORD size = sizeof data - 1;
        DWORD type = 0;
        if (RegQueryValueExA(opened, this->name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
            ERROR_SUCCESS)
            saved = Saved{type, std::string(data, size)};
        RegCloseKey(opened);
    }
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;
    ~RegistryValueOverride() {
        if (saved)
            write(saved->type, saved->data);
        else
            remove();
    }
    void set(const std::string& text) { write(REG_SZ, text + '\0'); }
    void remove() {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(opened, name.c_str());
        RegCloseKey(opened);
    }

private:
    void write(DWORD type, const std::string& data) {
        HKEY opened = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size()));
        RegCloseKey(opened);
    }
    struct Saved {
        DWORD type;
        std::string data;
    };
    HKEY root;
    std::string key;
    std::string name;
    std::optional<Saved> saved;
};

// Smith, lot 20, of neighborhood 01: an album of 8 photos whose scrapbook the sample does not have.
class ViewHtmlPagesTest : public SampleGameTest {
protected:
    std::string scrapbookPage() const {
        return gameFolder + "\\UserData\\Web Pages\\Smith_20_Sim_Lane\\scrapbook1.html";
    }
    bool viewHtmlEnabled() const { return gui::toolbarButtonEnabled(toolBar(), ID_FILE_VIEW_HTML); }
    bool viewHtmlBecomes(bool enabled) const {
        return gui::waitFor([&] { return viewHtmlEnabled() == enabled; }, 5s);
    }
    // F12, and the one browser window it opens; null when none came.
    HWND openBrowserWithF12() {
        auto pressed = std::chrono::steady_clock::now();
        gui::pressKey(mainWindow(), VK_F12);
        if (!gui::waitFor([] { return browserWindows().size() == 1; }, 20s))
            return nullptr;
        auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed);
        std::printf("[ timing   ] F12 to a browser window: %.0f ms\n", elapsed.count());
        std::fflush(stdout);
        return browserWindows().front();
    }
    bool browserWindowsGone() const { return gui::waitFor([] { return browserWindows().empty(); }, 10s); }
};

}  // namespace

// F12 before the scrapbook exists says so and opens nothing. After an update with "Enable HTML"
// on, F12 opens the index page in a window of the platform's browser object that fills the work
// area; the command is disabled while the program holds that window, and enabled again once the
// player has closed it. Opening an album closes the window, and so does leaving the program.
TEST_F(ViewHtmlPagesTest, ScrapbookOpensInABrowserWindowTheProgramKeepsTrackOf) {
    writeSetting("Enable HTML", 1);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    ASSERT_TRUE(browserWindows().empty()) << "a browser window was open before the test";

    gui::pressKey(mainWindow(), VK_F12);
    HWND box = program.waitForWindow("File Not Found", 5s);
    ASSERT_TRUE(box) << "F12 without a scrapbook showed no message";
    EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow());
    EXPECT_EQ(gui::windowText(GetDlgItem(box, 0xFFFF)), PageNotFoundText);
    EXPECT_TRUE(gui::pressButton(GetDlgItem(box, IDOK)));
    gui::pause(500ms);
    EXPECT_TRUE(browserWindows().empty()) << "a browser window opened without a scrapbook";

    gui::pressKey(mainWindow(), 'S', {VK_CONTROL});
    HWND confirm = program.waitForWindow("Update Smith Family Album", 5s);
    ASSERT_TRUE(confirm) << "no update confirmation";
    ASSERT_TRUE(gui::pressButton(GetDlgItem(confirm, IDYES)));
    ASSERT_TRUE(gui::waitFor([&] { return fs::exists(scrapbookPage()) && statusText(0) == "Ready"; }, 20s))
        << "the update made no scrapbook";
    ASSERT_TRUE(viewHtmlBecomes(true));

    HWND browser = openBrowserWithF12();
    ASSERT_TRUE(browser) << "F12 opened no window of the browser object";
    EXPECT_TRUE(gui::waitFor([&] { return samePath(pathOfFileUrl(addressShown(browser)), scrapbookPage()); }, 5s))
        << "the browser shows " << addressShown(browser);
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT placed{};
    GetWindowRect(browser, &placed);
    EXPECT_TRUE(EqualRect(&placed, &workArea)) << "window " << placed.left << "," << placed.top << " " << placed.right
                                               << "," << placed.bottom << ", work area " << workArea.right << ","
                                               << workArea.bottom;
    EXPECT_TRUE(viewHtmlBecomes(false)) << "View HTML Pages stayed enabled with the browser open";
    gui::pressKey(mainWindow(), VK_F12);
    gui::pause(1s);
    EXPECT_EQ(browserWindows(), std::vector<HWND>{browser}) << "F12 with the browser open opened another window";

    // The player closes the browser window.
    gui::pressKey(browser, VK_F4, {VK_MENU});
    ASSERT_TRUE(browserWindowsGone()) << "Alt+F4 left the browser window open";
    EXPECT_TRUE(viewHtmlBecomes(true)) << "View HTML Pages stayed disabled after the browser was closed";
    ASSERT_TRUE(openBrowserWithF12()) << "F12 opened no fresh window after the first was closed";
    EXPECT_TRUE(viewHtmlBecomes(false));

    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));
    EXPECT_TRUE(browserWindowsGone()) << "opening an album left the browser window open";
    EXPECT_TRUE(viewHtmlBecomes(true));

    ASSERT_TRUE(openBrowserWithF12());
    exitThroughMenu();
    EXPECT_EQ(program.waitForExit(10s), 0);
    EXPECT_TRUE(browserWindowsGone()) << "leaving the program left the browser window open";
}

// Where the browser object can't be made, F12 hands the page to the shell, which opens it by its
// path in the default browser. Wine's browser launcher runs a script of the test that records what
// it was asked to open. The program keeps no window, so the command stays enabled; when the shell
// can't open the page at all, the program says so.
TEST_F(ViewHtmlPagesTest, WithoutTheBrowserObjectTheDefaultBrowserShowsThePage) {
    std::string scriptFolder = programFolder + "\\launcher";
    std::string unixScriptFolder = unixPathOf(scriptFolder);
    if (unixScriptFolder.empty())
        GTEST_SKIP() << "Wine's browser launcher is not there to record the page";
    fs::create_directories(fs::path(scrapbookPage()).parent_path());
    std::ofstream(scrapbookPage()) << "<html><body>Smith</body></html>\n";
    fs::create_directories(scriptFolder);
    std::ofstream(scriptFolder + "\\record.sh", std::ios::binary)
        << "printf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/opened.txt\"\n";
    std::string recorded = scriptFolder + "\\opened.txt";

    RegistryValueOverride browserObject(HKEY_LOCAL_MACHINE, BrowserObjectServerKey, "");
    browserObject.set("C:\\windows\\no-such-browser.exe");
    RegistryValueOverride htmlFiles(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html", "");
    htmlFiles.remove();
    RegistryValueOverride launcher(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers");
    launcher.set("/bin/sh \"" + unixScriptFolder + "/record.sh\"");
    // A browser object server still running from an earlier test would be used instead of starting one.
    ASSERT_TRUE(gui::waitFor([] { return !processRunning("iexplore.exe"); }, 15s)) << "iexplore.exe keeps running";

    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(openAlbumWithShortcut("01", "Smith", "20"));

    // No program is registered for web pages.
    gui::pressKey(mainWindow(), VK_F12);
    HWND box = program.waitForWindow("Cannot Open Web Page", 10s);
    ASSERT_TRUE(box) << "the failed shell open was not reported";
    EXPECT_EQ(gui::windowText(GetDlgItem(box, 0xFFFF)),
              "The main photo album web page (scrapbook1.html)\ncould not be opened in a web browser. The page "
              "is:\n\n" +
                  scrapbookPage());
    EXPECT_TRUE(gui::pressButton(GetDlgItem(box, IDOK)));
    EXPECT_NE(logText().find("ERROR: Cannot open web page: " + scrapbookPage() + " --- Result (31)\r\n"),
              std::string::npos)
        << logText();

    htmlFiles.set("htmlfile");
    gui::pressKey(mainWindow(), VK_F12);
    ASSERT_TRUE(gui::waitFor([&] { return fileBytes(recorded).ends_with("\n"); }, 20s)) << "the launcher was not run";
    std::string unixPage = unixPathOf(scrapbookPage());
    std::string expected = "file://";
    for (char c : unixPage)
        expected += c == ' ' ? std::string("%20") : std::string(1, c);
    EXPECT_EQ(fileBytes(recorded), expected + "\n");
    EXPECT_NE(expected.find("/Web%20Pages/Smith_20_Sim_Lane/scrapbook1.html"), std::string::npos) << expected;
    EXPECT_TRUE(browserWindows().empty());

    EXPECT_TRUE(viewHtmlEnabled()) << "the command was disabled with no window to track";
    gui::pressKey(mainWindow(), VK_F12);
    EXPECT_TRUE(gui::waitFor([&] { return fileBytes(recorded) == expected + "\n" + expected + "\n"; }, 20s))
        << fileBytes(recorded);
    EXPECT_TRUE(program.topLevelWindows().size() == 1u) << "a message came up";
}
