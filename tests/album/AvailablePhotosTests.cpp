#include "album/AvailablePhotos.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TempFolder.h"

namespace {
class SampleImport : public ::testing::Test {
protected:
    void SetUp() override { copyTree(VELMORA_SOURCE_DIR "/sample/game", game.path()); }
    static int countStartingWith(const std::vector<std::string>& names, const std::string& prefix) {
        return int(std::count_if(names.begin(), names.end(),
                                 [&](const std::string& n) { return n.compare(0, prefix.size(), prefix) == 0; }));
    }
    TempFolder game;
};
}  // namespace

TEST_F(SampleImport, TheOpenFamilyIsLeftOutOnlyInItsOwnNeighborhood) {
    OpenFamily smith{"Smith", "2", 1};
    std::vector<std::string> first = availablePhotos(game.path(), 1, smith);
    EXPECT_EQ(countStartingWith(first, "Smith_2_"), 0);
    EXPECT_EQ(countStartingWith(first, "Smith_7_"), 6);  // same name, other ID
    EXPECT_EQ(countStartingWith(first, "Zarez_17_"), 12);
    EXPECT_EQ(countStartingWith(first, "Marsh_11_"), 5);  // photos without a family record still count
    EXPECT_EQ(first.size(), 6u + 12 + 7 + 5 + 5);
    EXPECT_TRUE(std::is_sorted(first.begin(), first.end()));
    for (const auto& name : first)
        EXPECT_EQ(name.find("_thumb"), std::string::npos) << name;

    // The same-named family of another neighborhood is offered.
    std::vector<std::string> second = availablePhotos(game.path(), 2, smith);
    EXPECT_EQ(countStartingWith(second, "Smith_2_"), 6);
    EXPECT_EQ(second.size(), 10u + 5 + 6);
    EXPECT_EQ(second.front(), "Brandt_1_0000");

    // Nothing is left out when the open family's ID differs.
    EXPECT_EQ(availablePhotos(game.path(), 1, {"Smith", "5", 1}).size(), first.size() + 8);
    EXPECT_TRUE(availablePhotos(game.path(), 4, smith).empty());
}

TEST(AvailablePhotos, FamilyNameAndIdMustBothMatch) {
    TempFolder game;
    std::string album = game.file("UserData3\\PhotoAlbum\\");
    for (const char* name : {"Lee_4_0000.jpg", "Lee_4_0000_thumb.jpg", "Lee_4.jpg", "Lee_44_0000.jpg", "lee_4_0001.jpg",
                             "Lee_4_x_0002.jpg", "Lee.jpg", "Lee_4_0003.JPG", "Lee_5_0000.txt"})
        writeFile(album + name, "");
    makeFolders(album + "Lee_7_0000.jpg");
    EXPECT_EQ(availablePhotos(game.path(), 3, {"Lee", "4", 3}),
              (std::vector<std::string>{"Lee", "Lee_44_0000", "lee_4_0001"}));
    EXPECT_EQ(availablePhotos(game.path(), 3, {"Lee", "", 3}).size(), 6u);
}

TEST(AvailablePhotos, RelativePathsAndPreviewFiles) {
    EXPECT_EQ(relativePhotoPath(1, "Zarez_17_0004"), "UserData\\PhotoAlbum\\Zarez_17_0004");
    EXPECT_EQ(relativePhotoPath(2, "Smith_2_0000"), "UserData2\\PhotoAlbum\\Smith_2_0000");
    EXPECT_EQ(relativePhotoPath(10, "Quill_3_0014"), "UserData10\\PhotoAlbum\\Quill_3_0014");
    EXPECT_EQ(availablePhotoFile("C:\\Game", 10, "Quill_3_0014"), "C:\\Game\\UserData10\\PhotoAlbum\\Quill_3_0014.jpg");
}
