// Reads real values that reg.exe writes into the registry of the Wine prefix (or of Windows), in the
// 32-bit view where the 32-bit game keeps its key.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "album/GameLocations.h"
#include "album/Settings.h"
#include "platform/Registry.h"

namespace {

const std::string gameKey = "HKLM\\Software\\Maxis\\The Sims";

void reg(const std::string& arguments) {
    std::string command = "reg " + arguments + " >NUL 2>&1";
    std::system(command.c_str());
}

void setGameValue(const std::string& name, const std::string& type, const std::string& data,
                  const char* view = "/reg:32") {
    reg("add \"" + gameKey + "\" /v " + name + " /t " + type + " /d \"" + data + "\" /f " + view);
}

class GameRegistry : public ::testing::Test {
protected:
    void SetUp() override { reg("delete \"" + gameKey + "\" /f /reg:32"); }
    void TearDown() override { reg("delete \"" + gameKey + "\" /f /reg:32"); }
    Registry& registry = systemRegistry();
};

}  // namespace

TEST_F(GameRegistry, GameFolderComesFromThe32BitView) {
    EXPECT_EQ(gameDataPath(registry), "");
    setGameValue("SIMS_DATA", "REG_SZ", "C:\\Program Files\\Maxis\\The Sims", "/reg:64");
    EXPECT_EQ(gameDataPath(registry), "") << "the 64-bit view is not the game's";
    setGameValue("SIMS_DATA", "REG_SZ", "C:\\Program Files\\Maxis\\The Sims");
    EXPECT_EQ(gameDataPath(registry), "C:\\Program Files\\Maxis\\The Sims");
    reg("delete \"" + gameKey + "\" /f /reg:64");
}

TEST_F(GameRegistry, NeighborhoodNumberAsTextAsNumberOrMissing) {
    struct Case {
        const char* type;
        const char* data;
        int expected;
    } cases[] = {
        {"REG_SZ", "2", 2},
        {"REG_SZ", "12", 12},
        {"REG_SZ", "1234", -1},  // does not fit the 4-byte buffer
        {"REG_SZ", "x7", 0},
        {"REG_DWORD", "3", 3},
        {"REG_DWORD", "10", 10},
    };
    EXPECT_EQ(currentNeighborhoodNumber(registry), -1);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.data);
        setGameValue("SIMS_CURRENT_NEIGHBORHOOD_NUM", c.type, c.data);
        EXPECT_EQ(currentNeighborhoodNumber(registry), c.expected);
    }
}

TEST_F(GameRegistry, ExpansionMarkerCountsOnlyWhenItFitsTwoBytes) {
    EXPECT_EQ(isExpansionInstalled(registry), 0);
    setGameValue("SIMS_DATA", "REG_SZ", "C:\\Game");
    EXPECT_EQ(isExpansionInstalled(registry), 0);
    setGameValue("EP3Installed", "REG_SZ", "Yes");  // 4 bytes: more data than the buffer holds
    EXPECT_EQ(isExpansionInstalled(registry), 0);
    setGameValue("EPInstalled", "REG_SZ", "1");
    EXPECT_EQ(isExpansionInstalled(registry), 1);
}

TEST_F(GameRegistry, StartupLocationsBuildTheAlbumPath) {
    setGameValue("SIMS_DATA", "REG_SZ", "C:\\Game");
    setGameValue("SIMS_CURRENT_NEIGHBORHOOD_NUM", "REG_SZ", "2");
    GameLocations locations = readGameLocations(registry, false);
    EXPECT_EQ(locations.albumPath, "C:\\Game\\UserData2\\PhotoAlbum");
    setGameValue("SIMS_CURRENT_NEIGHBORHOOD_NUM", "REG_SZ", "0");
    EXPECT_EQ(readGameLocations(registry, false).albumPath, "C:\\Game\\UserData\\PhotoAlbum");
}

TEST(SettingsRegistry, FourSettingsAreWrittenAs32BitValuesAndReadBack) {
    reg("delete \"HKCU\\Software\\Hollowmere\\Velmora\" /f");
    Registry& registry = systemRegistry();
    Settings defaults = loadSettings(registry);
    EXPECT_EQ(defaults.enableLogging, 1);
    EXPECT_EQ(defaults.deleteOnly, 0);
    EXPECT_EQ(defaults.enableHtml, 0);
    EXPECT_EQ(defaults.showOpen, 1);

    Settings changed{0, 1, 1, 0};
    ASSERT_TRUE(saveSettings(registry, changed));
    for (const char* name : {"Delete Only", "Enable HTML", "Enable Logging", "Show Open"}) {
        SCOPED_TRACE(name);
        auto value = registry.queryValue(RegistryHive::CurrentUser, SettingsKeyPath, name, 4);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, unsigned(regtype::Dword));
    }
    Settings read = loadSettings(registry);
    EXPECT_EQ(read.enableLogging, 0);
    EXPECT_EQ(read.deleteOnly, 1);
    EXPECT_EQ(read.enableHtml, 1);
    EXPECT_EQ(read.showOpen, 0);
    reg("delete \"HKCU\\Software\\Hollowmere\\Velmora\" /f");
}

// A class's default value of exactly the buffer's size, stored without its terminating NUL (as any
// program may store it), reads as exactly its bytes.
TEST(ClassesRegistry, DefaultValueFillingTheBufferWithoutNulReadsAsItsBytes) {
    const char key[] = ".velmora-test";
    HKEY classKey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &classKey, nullptr),
              ERROR_SUCCESS);
    const std::string text(260, 'h');
    // The registry counts in a NUL that directly follows the given bytes: here none follows.
    const std::string stored = text + '#';
    RegSetValueExA(classKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.data()), DWORD(text.size()));
    RegCloseKey(classKey);
    EXPECT_EQ(systemRegistry().readString(RegistryHive::ClassesRoot, key, "", 260), text);
    EXPECT_EQ(systemRegistry().readString(RegistryHive::ClassesRoot, key, "", 259), std::nullopt);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
}
