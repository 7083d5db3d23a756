#include <gtest/gtest.h>

#include "album/GameLocations.h"
#include "diag/EventLog.h"
#include "platform/MemoryRegistry.h"
#include "tests/support/TempFolder.h"

namespace {
class GameKey : public ::testing::Test {
protected:
    void set(const std::string& name, const std::string& text) {
        registry.setString(RegistryHive::LocalMachine, GameKeyPath, name, text);
    }
    MemoryRegistry registry;
};
}  // namespace

TEST_F(GameKey, MissingKeyGivesEmptyGamePathAndNeighborhoodOne) {
    GameLocations locations = readGameLocations(registry, false);
    EXPECT_EQ(locations.gamePath, "");
    EXPECT_EQ(locations.neighborhoodNumber, 1);
    EXPECT_EQ(locations.expansionInstalled, 0);
    EXPECT_EQ(locations.albumPath, "\\UserData\\PhotoAlbum");
}

TEST_F(GameKey, NeighborhoodNumberTexts) {
    struct Case {
        const char* text;
        int number;     // as read
        int neighborhood;  // as used at start-up
    } cases[] = {
        {"2", 2, 2}, {"10", 10, 10}, {"123", 123, 123}, {"1234", -1, 1}, {"0", 0, 1},
        {"-3", -3, 1}, {"abc", 0, 1}, {"7x", 7, 7}, {"", 0, 1},
    };
    set("SIMS_DATA", "C:\\Game");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        set("SIMS_CURRENT_NEIGHBORHOOD_NUM", c.text);
        EXPECT_EQ(currentNeighborhoodNumber(registry), c.number);
        EXPECT_EQ(readGameLocations(registry, false).neighborhoodNumber, c.neighborhood);
    }
}

TEST_F(GameKey, NeighborhoodNumberStoredAsDword) {
    registry.setValue(RegistryHive::LocalMachine, GameKeyPath, "SIMS_CURRENT_NEIGHBORHOOD_NUM",
                      {regtype::Dword, std::string("\x03\x00\x00\x00", 4)});
    EXPECT_EQ(currentNeighborhoodNumber(registry), 3);
}

TEST_F(GameKey, OnlyTheFirstReadableExpansionMarkerMatters) {
    set("EP5Installed", "Yes");  // too long for the 2-byte buffer
    EXPECT_EQ(isExpansionInstalled(registry), 0);
    set("EPInstalled", "1");
    EXPECT_EQ(isExpansionInstalled(registry), 1);
    registry.setValue(RegistryHive::LocalMachine, GameKeyPath, "EP7Installed", {regtype::Binary, std::string(2, '\0')});
    EXPECT_EQ(isExpansionInstalled(registry), 1);
}

TEST(UserDataFolder, NamesAndAlbumPaths) {
    EXPECT_EQ(userDataFolderName(-4), "\\UserData");
    EXPECT_EQ(userDataFolderName(1), "\\UserData");
    EXPECT_EQ(userDataFolderName(2), "\\UserData2");
    EXPECT_EQ(userDataFolderName(10), "\\UserData10");
    EXPECT_EQ(albumPathOf("C:\\Game", 3), "C:\\Game\\UserData3\\PhotoAlbum");
    EXPECT_EQ(neighborhoodNumberOf("01"), 1);
    EXPECT_EQ(neighborhoodNumberOf("10"), 10);
    EXPECT_EQ(neighborhoodTextOf(1), "01");
    EXPECT_EQ(neighborhoodTextOf(12), "12");
}

TEST(NeighborhoodFolders, NamingRuleOnARealFolderTree) {
    TempFolder game;
    for (const char* folder : {"UserData", "UserData2", "USERDATA3", "UserData10", "UserData123",
                               "UserData Template", "userdata template 2", "Downloads", "UserData7.old"})
        makeFolders(game.file(folder));
    writeFile(game.file("UserData5"), "a file, not a folder");
    EXPECT_EQ(neighborhoodTexts(game.path()),
              (std::vector<std::string>{"01", "02", "03", "07", "10"}));
    EXPECT_TRUE(neighborhoodTexts(game.file("missing")).empty());
}

TEST(GameLocationsLog, PathLinesAreWrittenWhenLogging) {
    TempFolder temp;
    MemoryRegistry registry;
    registry.setString(RegistryHive::LocalMachine, GameKeyPath, "SIMS_DATA", "C:\\Game");
    ASSERT_TRUE(eventLog.open(temp.file("velmora.log")));
    readGameLocations(registry, true);
    readGameLocations(registry, false);
    eventLog.close();
    EXPECT_EQ(readFile(temp.file("velmora.log")),
              "LOG: Game path = C:\\Game\r\nLOG: Album path = C:\\Game\\UserData\\PhotoAlbum\r\n");
}
