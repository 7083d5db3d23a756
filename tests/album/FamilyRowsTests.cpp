#include "album/FamilyRows.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "album/GameLocations.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "tests/support/TempFolder.h"

namespace {
class SampleFamilies : public ::testing::Test {
protected:
    void SetUp() override { copyTree(VELMORA_SOURCE_DIR "/sample/game", game.path()); }
    TempFolder game;
};
}  // namespace

TEST(FamilyRows, FamilyKeys) {
    EXPECT_EQ(familyKeyOf("Smith_2_0005.jpg"), "Smith_2");
    EXPECT_EQ(familyKeyOf("Smith_2_0005_thumb.jpg"), "Smith_2");
    EXPECT_EQ(familyKeyOf("van Dorn_9_0001.jpg"), "van Dorn_9");
    EXPECT_EQ(familyKeyOf("Smith_2.jpg"), "");
    EXPECT_EQ(familyKeyOf("cover.jpg"), "");
    EXPECT_EQ(familyKeyOf("__x.jpg"), "_");
}

TEST_F(SampleFamilies, FamiliesOfEachNeighborhood) {
    struct Case {
        int neighborhood;
        std::vector<FamilyRow> rows;
    } cases[] = {
        // Marsh has photos but no record and is left out; Pryce has a record but no photos.
        {1, {{"Dubois", "12", "4"}, {"Smith", "5", "7"}, {"Smith", "20", "2"}, {"Zarez", "31", "17"},
             {"van Dorn", "44", "9"}}},
        {2, {{"Brandt", "10", "1"}, {"Okafor", "22", "6"}, {"Smith", "7", "2"}}},
        {10, {{"Lindqvist", "2", "12"}, {"Quill", "15", "3"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.neighborhood);
        NeighborhoodFamilies families = familyRowsOfNeighborhood(game.path(), c.neighborhood);
        EXPECT_EQ(families.rows, c.rows);
        EXPECT_FALSE(families.dataReadingError);
    }
}

TEST_F(SampleFamilies, MissingNeighborhoodFileShowsQuestionMarks) {
    ASSERT_EQ(std::remove(nativePath(game.file("UserData2\\Neighborhood.iff")).c_str()), 0);
    NeighborhoodFamilies families = familyRowsOfNeighborhood(game.path(), 2);
    EXPECT_EQ(families.rows,
              (std::vector<FamilyRow>{{"Brandt", "?", "?"}, {"Okafor", "?", "?"}, {"Smith", "?", "?"}}));
    EXPECT_TRUE(families.dataReadingError);
    for (const auto& row : families.rows)
        EXPECT_FALSE(canOpenFamilyRow(row));
}

// The message is about rows marked "?": a neighborhood without photos, or a game folder without
// neighborhoods, has no rows to mark, so its missing file is no error to show.
TEST_F(SampleFamilies, NothingToMarkNoDataReadingError) {
    ASSERT_EQ(std::remove(nativePath(game.file("UserData10\\Neighborhood.iff")).c_str()), 0);
    for (const auto& entry : findEntries(game.file("UserData10\\PhotoAlbum\\*.*")))
        ASSERT_EQ(std::remove(nativePath(game.file("UserData10\\PhotoAlbum\\" + entry.name)).c_str()), 0);
    makeFolders(game.file("UserData3"));
    TempFolder noGame;
    const std::pair<std::string, int> cases[] = {{game.path(), 10}, {game.path(), 3}, {noGame.path(), 1}};
    for (const auto& [gamePath, neighborhood] : cases) {
        SCOPED_TRACE(gamePath + " " + std::to_string(neighborhood));
        NeighborhoodFamilies families = familyRowsOfNeighborhood(gamePath, neighborhood);
        EXPECT_TRUE(families.rows.empty());
        EXPECT_FALSE(families.dataReadingError);
    }
}

TEST(FamilyRows, SortByNameBytesThenLotNumber) {
    std::vector<FamilyRow> rows = {{"adams", "1", "1"}, {"Smith", "20", "2"}, {"Zed", "3", "3"}, {"Smith", "5", "7"},
                                   {"Smith", "-1", "8"}, {"Smith", "?", "?"}, {"Adams", "100", "4"}};
    sortFamilyRows(rows);
    EXPECT_EQ(rows, (std::vector<FamilyRow>{{"Adams", "100", "4"}, {"Smith", "-1", "8"}, {"Smith", "?", "?"},
                                            {"Smith", "5", "7"}, {"Smith", "20", "2"}, {"Zed", "3", "3"},
                                            {"adams", "1", "1"}}));
    EXPECT_TRUE(canOpenFamilyRow({"Smith", "5", "7"}));
    EXPECT_FALSE(canOpenFamilyRow({"Smith", "?", "?"}));
}

TEST(FamilyRows, OneRowPerFamilyKeyInTheOrderFirstFound) {
    TempFolder album;
    for (const char* name : {"Smith_2_0000.jpg", "Smith_2_0000_thumb.jpg", "Smith_2_0001.jpg", "Smith_7_0000.jpg",
                             "cover.jpg", "Smith_2.jpg", "notes.txt"})
        writeFile(album.file(name), "");
    makeFolders(album.file("Jones_1_0000.jpg"));
    std::vector<FamilyRow> rows = familyRowsFromPhotos(album.path());
    EXPECT_EQ(rows, (std::vector<FamilyRow>{{"Smith", "", ""}, {"Smith", "", ""}}));
}

TEST_F(SampleFamilies, TheTemplateFolderIsNoNeighborhood) {
    EXPECT_EQ(neighborhoodTexts(game.path()), (std::vector<std::string>{"01", "02", "10"}));
}
