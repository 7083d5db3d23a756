#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "MouseDragDriver.h"
#include "PressButton.h"
#include "ProgramFixture.h"
#include "res/resource.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const COLORREF LinkColour = RGB(0, 0, 255);
const COLORREF HoverColour = RGB(255, 0, 0);

const char WineBrowserKey[] = "Software\\Wine\\WineBrowser";
// The web site link's protocol class, through which the shell opens it.
const char SiteProtocolCommandKey[] = "https\\shell\\open\\command";
const char WineBrowserCommand[] = "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";

// A registry string value as it was before the test, to be put back afterwards; a key the test
// made goes again.
class SavedString {
public:
    SavedString(HKEY root, std::string key, std::string name) : root(root), key(std::move(key)), name(std::move(name)) {
        HKEY existing = nullptr;
        keyExisted = RegOpenKeyExA(root, this->key.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
        if (existing)
            RegCloseKey(existing);
        char buffer[1024] = {};
        DWORD size = sizeof buffer - 1;
        if (RegGetValueA(root, this->key.c_str(), this->name.empty() ? nullptr : this->name.c_str(), RRF_RT_REG_SZ,
                         nullptr, buffer, &size) == ERROR_SUCCESS)
            before = std::string(buffer);
    }
    SavedString(const SavedString&) = delete;
    SavedString& operator=(const SavedString&) = delete;
    ~SavedString() {
        if (before)
            set(*before);
        else if (!keyExisted)
            RegDeleteTreeA(root, key.c_str()), RegDeleteKeyA(root, key.c_str());
        else if (HKEY opened = nullptr; RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
            RegDeleteValueA(opened, name.empty() ? nullptr : name.c_str());
            RegCloseKey(opened);
        }
    }
    // Stores bytes as a REG_SZ value exactly as given: a terminating NUL only when they hold one.
    void set(const std::string& bytes) const {
        HKEY opened = nullptr;
        if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
            return;
        // The registry counts in a NUL that directly follows the given bytes: none follows here.
        const std::string buffer = bytes + '#';
        RegSetValueExA(opened, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(buffer.data()), DWORD(bytes.size()));
        RegCloseKey(opened);
    }
    void setText(const std::string& text) const { set(text + '\0'); }

private:
    HKEY root;
    std::string key;
    std::string name;
    std::optional<std::string> before;
    bool keyExisted = false;
};

std::vector<COLORREF> screenPixels(const RECT& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO description{};
    description.bmiHeader.biSize = sizeof description.bmiHeader;
    description.bmiHeader.biWidth = width;
    description.bmiHeader.biHeight = -height;
    description.bmiHeader.biPlanes = 1;
    description.bmiHeader.biBitCount = 32;
    description.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bits(std::size_t(width) * std::size_t(height));
    if (GetDIBits(memory, bitmap, 0, UINT(height), bits.data(), &description, DIB_RGB_COLORS) == height)
        for (DWORD bgr : bits)
            pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The cursor the program in the foreground shows. A cursor handle of another process can't be
// looked into, but it can be compared.
HCURSOR foregroundCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

// A window of another program (this test's) that comes to the front beside the About box.
class OtherProgramWindow {
public:
    OtherProgramWindow() {
        window = CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 0,
                                 0, 120, 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window);
    }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    ~OtherProgramWindow() { DestroyWindow(window); }
    bool inFront() const { return GetForegroundWindow() == window; }
    static void handleMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    HWND window = nullptr;
};

// The About box's two links. Wine's browser launcher is pointed at a script of the test's own, so
// the test sees what the program asked to open.
class AboutBoxTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeSetting("Show Open", 0);
        unixFolder = "/tmp/velmora-gui-links-" + std::to_string(GetCurrentProcessId());
        windowsFolder = "Z:" + unixFolder;
        for (char& c : windowsFolder)
            if (c == '/')
                c = '\\';
        fs::remove_all(windowsFolder);
        fs::create_directories(windowsFolder);
        std::ofstream script(windowsFolder + "\\record.sh", std::ios::binary);
        script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> " << unixFolder << "/opened.txt\n";
        script.close();
        std::string launcher = "/bin/sh " + unixFolder + "/record.sh";
        browsers.setText(launcher);
        mailers.setText(launcher);
    }
    void TearDown() override {
        closeProgram();
        std::error_code ignored;
        fs::remove_all(windowsFolder, ignored);
        ProgramTest::TearDown();
    }

    // What the browser launcher was asked to open, one target a line.
    std::vector<std::string> opened() const {
        std::ifstream file(windowsFolder + "\\opened.txt", std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }
    bool waitForOpened(std::size_t count) const {
        return gui::waitFor([&] { return opened().size() >= count; }, 15s);
    }

    // Waits until the window stands still in front, so that points on it stay where they are.
    static bool comesToRest(HWND window) {
        gui::bringToFront(window);
        RECT previous{};
        GetWindowRect(window, &previous);
        return gui::waitFor(
            [&] {
                gui::pause(100ms);
                RECT now{};
                GetWindowRect(window, &now);
                bool still = EqualRect(&now, &previous) != FALSE;
                previous = now;
                return still && GetForegroundWindow() == window;
            },
            3s);
    }
    // Moves the pointer until the link shows the colour. While the pointer rests on a link, the
    // link holds the mouse: the moves go in as input only, and under Wine one can be overtaken by
    // an older position, so a lost move is made again, a pixel further on.
    static bool pointTo(POINT target, HWND link, COLORREF colour) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            gui::moveHeldMouseTo(POINT{target.x + 2 * attempt, target.y});
            if (linkShows(link, colour, 1500ms))
                return true;
        }
        return false;
    }
    HWND openAbout() {
        gui::pressKey(mainWindow(), 'H', {VK_MENU});
        gui::pressKey(mainWindow(), 'A');
        return program.waitForWindow("About Velmora", 5s);
    }
    // Whether the link's text is drawn in this colour.
    static bool linkDrawnIn(HWND link, COLORREF colour) {
        RECT area{};
        GetWindowRect(link, &area);
        int count = 0;
        for (COLORREF pixel : screenPixels(area))
            count += pixel == colour;
        return count >= 5;
    }
    static bool linkShows(HWND link, COLORREF colour, std::chrono::milliseconds timeout = 3s) {
        COLORREF other = colour == LinkColour ? HoverColour : LinkColour;
        return gui::waitFor([&] { return linkDrawnIn(link, colour) && !linkDrawnIn(link, other); }, timeout);
    }

    std::string unixFolder;
    std::string windowsFolder;
    SavedString browsers{HKEY_CURRENT_USER, WineBrowserKey, "Browsers"};
    SavedString mailers{HKEY_CURRENT_USER, WineBrowserKey, "Mailers"};
};

}  // namespace

// Each link shows the hand over it and turns red while the pointer rests on it; moving off, or
// another program coming to the front while the pointer is still there, gives it back its blue. A
// click opens its target through the shell, and when the shell can't, through the browser
// registered for ".htm" pages.
TEST_F(AboutBoxTest, LinksShowTheHandHoverInRedAndOpenTheirTargets) {
    ASSERT_TRUE(startProgram());
    HWND about = openAbout();
    ASSERT_TRUE(about) << "Help, About did not open the About box";
    ASSERT_TRUE(comesToRest(about));
    HWND mailLink = GetDlgItem(about, IDC_ABOUT_MAIL_LINK);
    HWND siteLink = GetDlgItem(about, IDC_ABOUT_SITE_LINK);
    HWND label = FindWindowExA(about, nullptr, "Static", "Visit the Website:");
    ASSERT_TRUE(mailLink && siteLink && label);
    // The pointer starts off the links (and away from a tool tip that would cover one).
    auto started = std::chrono::steady_clock::now();
    gui::moveMouseTo(gui::centreOf(label));
    EXPECT_TRUE(linkShows(mailLink, LinkColour));
    EXPECT_TRUE(linkShows(siteLink, LinkColour));
    HCURSOR arrow = foregroundCursor();
    EXPECT_NE(arrow, nullptr);
    const struct Step {
        const char* name;
        HWND to;
        HWND link;  // the link whose colour the step changes
        COLORREF colour;
        bool hand;
    } steps[] = {
        {"onto the web site link", siteLink, siteLink, HoverColour, true},
        {"off the web site link", label, siteLink, LinkColour, false},
        {"onto the mail link", mailLink, mailLink, HoverColour, true},
        {"off the mail link", label, mailLink, LinkColour, false},
    };
    HCURSOR hand = nullptr;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(pointTo(gui::centreOf(step.to), step.link, step.colour)) << "the colour did not follow";
        // The cursor follows at the next move message, shortly after the colour.
        if (!step.hand) {
            EXPECT_TRUE(gui::waitFor([&] { return foregroundCursor() == arrow; }, 2s)) << foregroundCursor();
        } else if (!hand) {
            EXPECT_TRUE(gui::waitFor([&] { return foregroundCursor() != arrow; }, 2s))
                << "the link shows the dialog's arrow";
            hand = foregroundCursor();
        } else {
            EXPECT_TRUE(gui::waitFor([&] { return foregroundCursor() == hand; }, 2s)) << "one hand for every link";
        }
    }

    // Another program comes to the front while the pointer rests on the link: the link is no
    // longer lit, and the pointer moving on it doesn't light it behind the other program.
    POINT onSite = gui::centreOf(siteLink);
    ASSERT_TRUE(pointTo(onSite, siteLink, HoverColour));
    {
        OtherProgramWindow other;
        auto shownInBlue = [&] {
            OtherProgramWindow::handleMessages();
            return linkDrawnIn(siteLink, LinkColour) && !linkDrawnIn(siteLink, HoverColour);
        };
        EXPECT_TRUE(gui::waitFor([&] { OtherProgramWindow::handleMessages(); return other.inFront(); }, 3s));
        EXPECT_TRUE(gui::waitFor(shownInBlue, 3s)) << "the link stayed red behind another program";
        gui::moveHeldMouseTo(POINT{onSite.x + 2, onSite.y});
        gui::pause(300ms);
        EXPECT_TRUE(shownInBlue()) << "the link lit up behind another program";
    }
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
    std::printf("[ timing   ] About box: cursor and hover checks took %.0f ms\n", elapsed.count());

    gui::bringToFront(about);
    gui::clickExactly(gui::centreOf(siteLink));
    ASSERT_TRUE(waitForOpened(1)) << "the web site link opened nothing";
    gui::clickExactly(gui::centreOf(mailLink));
    ASSERT_TRUE(waitForOpened(2)) << "the mail link opened nothing";
    EXPECT_EQ(opened(), (std::vector<std::string>{"https://hollowmere.example/", "mailto:support@hollowmere.example"}));

    {
        // The shell can't open web addresses any more: the link falls back on the browser of the
        // ".htm" page class. A class name of exactly 260 bytes without a NUL is read as those
        // bytes; no key of that name can exist, so the link says it can't open the target.
        SavedString protocol(HKEY_CLASSES_ROOT, SiteProtocolCommandKey, "");
        protocol.setText("\"C:\\no such folder\\browser.exe\" \"%1\"");
        SavedString htm(HKEY_CLASSES_ROOT, ".htm", "");
        SavedString pageCommand(HKEY_CLASSES_ROOT, "VelmoraTestPage\\shell\\open\\command", "");
        pageCommand.setText(WineBrowserCommand);
        struct Case {
            std::string pageClass;
            const char* failure;  // the message's text, or null when the target opens
        } cases[] = {
            {"VelmoraTestPage", nullptr},
            {std::string(260, 'P'), "Can't open link:\n\nThe specified file was not found."},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.pageClass.size());
            htm.set(c.pageClass);
            std::size_t before = opened().size();
            gui::bringToFront(about);
            gui::clickExactly(gui::centreOf(siteLink));
            HWND message = nullptr;
            gui::waitFor(
                [&] {
                    // The link's tool tip is a window of its own too.
                    for (HWND window : program.topLevelWindows())
                        if (window != about && gui::className(window) == "#32770")
                            message = window;
                    return message != nullptr || opened().size() > before;
                },
                15s);
            if (c.failure) {
                ASSERT_TRUE(message) << "no message";
                EXPECT_EQ(gui::windowText(GetDlgItem(message, 0xFFFF)), c.failure);
                EXPECT_EQ(gui::windowText(message), "Velmora");
                ASSERT_TRUE(gui::pressButton(GetDlgItem(message, IDOK)));
                EXPECT_EQ(opened().size(), before);
            } else {
                EXPECT_EQ(message, nullptr) << gui::windowText(GetDlgItem(message, 0xFFFF));
                ASSERT_TRUE(waitForOpened(before + 1)) << "the fallback opened nothing";
                EXPECT_EQ(opened().back(), "https://hollowmere.example/");
            }
        }
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "VelmoraTestPage");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "VelmoraTestPage");

    ASSERT_TRUE(gui::pressButton(GetDlgItem(about, IDOK)));
}
