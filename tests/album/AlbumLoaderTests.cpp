#include "album/AlbumLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "album/AlbumRows.h"
#include "album/PhotoFileName.h"
#include "diag/EventLog.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TempFolder.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        result.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

// A writable copy of the sample game installation.
class SampleAlbum : public ::testing::Test {
protected:
    void SetUp() override { copyTree(VELMORA_SOURCE_DIR "/sample/game", game.path()); }
    std::string albumPath() const { return game.file("UserData\\PhotoAlbum"); }
    std::string load(const std::string& fileHeader, bool logging = false) {
        return loadAlbumRows(albumPath(), fileHeader, logging, rows, feedback);
    }
    std::vector<std::string> baseNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < rows.count(); ++i)
            names.push_back(rows.entry(i)->baseName());
        return names;
    }

    TempFolder game;
    AlbumRows rows;
    ScriptedFeedback feedback;
};

// Empty photo files for albums made up by a test.
void writePhotos(const TempFolder& folder, const std::vector<std::string>& baseNames) {
    for (const auto& name : baseNames)
        writeFile(folder.file(name + ".jpg"), "");
}

}  // namespace

TEST_F(SampleAlbum, OneFamilyLoadsInNameOrderWithItsCaptions) {
    EXPECT_EQ(load("Smith_2_"), "0007");

    ASSERT_EQ(rows.count(), 8);  // not the other Smiths (ID 7), not the thumbnails
    for (int i = 0; i < rows.count(); ++i) {
        SCOPED_TRACE(i);
        std::string number = "000" + std::to_string(i);
        EXPECT_EQ(rows.text(i), number);
        EXPECT_EQ(rows.image(i), RowKept);
        EXPECT_EQ(rows.entry(i)->baseName(), "Smith_2_" + number);
    }
    EXPECT_EQ(rows.entry(0)->caption(), "Moving day!\r\nThe new house on lot 20.");
    EXPECT_EQ(rows.entry(2)->caption(), "Birthday party\r\n\r\nCake, balloons and far too much noise.");
    // This caption file ends with a line break.
    EXPECT_EQ(rows.entry(3)->caption(), "Pool day\r\nEveryone in the water\r\nexcept the cat");
    EXPECT_EQ(rows.entry(5)->caption(), "") << "photo without a caption file";
    EXPECT_EQ(rows.entry(6)->caption(), "Smith photo 6") << "photo without a thumbnail";
}

TEST_F(SampleAlbum, CaptionsKeepTheGamesSingleByteText) {
    load("Dubois_4_");
    ASSERT_EQ(rows.count(), 7);
    EXPECT_EQ(rows.entry(1)->caption(), "No\xebl chez les Dubois\r\nCr\xe8me br\xfbl\xe9" "e et b\xfb" "che.");
    EXPECT_EQ(rows.entry(4)->caption(), "C\x9cur de la famille : M\xe9m\xe9");
}

TEST_F(SampleAlbum, StatusAndProgressFollowTheLoading) {
    load("Zarez_17_");
    std::vector<std::string> expected = {"status|Loading photo album contents...", "progressRange|0|12", "progressStep|1"};
    expected.insert(expected.end(), 12, "stepProgress");
    expected.insert(expected.end(), {"status|", "progressPosition|0"});
    EXPECT_EQ(feedback.calls, expected);
}

TEST_F(SampleAlbum, LogsOneLoadingLinePerAcceptedFile) {
    TempFolder logFolder;
    ASSERT_TRUE(eventLog.open(logFolder.file("velmora.log")));
    load("van Dorn_9_", true);
    load("Smith_7_", false);
    eventLog.close();

    std::vector<std::string> logged = lines(readFile(logFolder.file("velmora.log")));
    std::sort(logged.begin(), logged.end());
    EXPECT_EQ(logged, (std::vector<std::string>{"LOADING: van Dorn_9_0000.jpg", "LOADING: van Dorn_9_0001.jpg",
                                                "LOADING: van Dorn_9_0002.jpg", "LOADING: van Dorn_9_0003.jpg",
                                                "LOADING: van Dorn_9_0004.jpg"}));
}

TEST(AlbumLoader, WhichFilesArePhotosOfTheAlbum) {
    TempFolder album;
    writePhotos(album, {"Smith_2_0000", "Smith_2_0000_thumb", "Smith_2_thumbnail", "Smith_20_0001", "smith_2_0002",
                        "Jones_2_0000", "xSmith_2_0003", "Smith_2_"});
    writeFile(album.file("Smith_2_0004.txt"), "a caption without its photo");
    makeFolders(album.file("Smith_2_0005.jpg"));
    AlbumRows rows;
    ScriptedFeedback feedback;
    EXPECT_EQ(loadAlbumRows(album.path(), "Smith_2_", false, rows, feedback), "0003");
    std::vector<std::string> names;
    for (int i = 0; i < rows.count(); ++i)
        names.push_back(rows.entry(i)->baseName());
    // The header may stand anywhere in the name; the row text is what follows the last underscore.
    EXPECT_EQ(names, (std::vector<std::string>{"Smith_2_", "Smith_2_0000", "xSmith_2_0003"}));
    EXPECT_EQ(rows.text(0), "");
}

TEST(AlbumLoader, OnlyJpgFileNamesAreTaken) {
    struct Case {
        const char* name;
        bool jpg;
    } cases[] = {{"a.jpg", true}, {"A_1_0000.JPG", true}, {".jpg", true}, {"a.jpeg", false}, {"a.jpg.txt", false},
                 {"jpg", false}, {"a.jp", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hasJpgExtension(c.name), c.jpg);
    }
    EXPECT_EQ(baseNameOf("A_1_0000.JPG"), "A_1_0000");
}

TEST(AlbumLoader, NumbersWithoutLeadingZerosSortByBytes) {
    TempFolder album;
    writePhotos(album, {"Lee_5_9", "Lee_5_10", "Lee_5_0002", "Lee_5_100", "Lee_5_B", "Lee_5_a"});
    writeFile(album.file("Lee_5_9.txt"), "nine\r\n");
    AlbumRows rows;
    ScriptedFeedback feedback;
    EXPECT_EQ(loadAlbumRows(album.path(), "Lee_5_", false, rows, feedback), "a");
    std::vector<std::string> texts;
    for (int i = 0; i < rows.count(); ++i)
        texts.push_back(rows.text(i));
    EXPECT_EQ(texts, (std::vector<std::string>{"0002", "10", "100", "9", "B", "a"}));
    EXPECT_EQ(rows.entry(3)->caption(), "nine");
}

TEST(AlbumLoader, WarnsOnceAboveTwoHundredPhotos) {
    for (int count : {200, 201}) {
        SCOPED_TRACE(count);
        TempFolder album, logFolder;
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back("Big_1_" + std::to_string(1000 + i));
        writePhotos(album, names);
        ASSERT_TRUE(eventLog.open(logFolder.file("velmora.log")));
        AlbumRows rows;
        ScriptedFeedback feedback;
        EXPECT_EQ(loadAlbumRows(album.path(), "Big_1_", true, rows, feedback), std::to_string(999 + count));
        eventLog.close();

        EXPECT_EQ(rows.count(), count);
        EXPECT_EQ(rows.text(0), "1000");
        std::vector<std::string> logged = lines(readFile(logFolder.file("velmora.log")));
        bool warned = std::count(logged.begin(), logged.end(), "WARNING: Photo album size greater than 200 entries!");
        std::vector<std::string> boxes = feedback.callsStartingWith("messageBox");
        if (count == 200) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_FALSE(warned);
        } else {
            EXPECT_EQ(boxes, (std::vector<std::string>{
                                 "messageBox|Album Size Warning|This photo album contains a total of more than 200 "
                                 "entries. The\nSims can currently only write a maximum of 200 photo captions to\nthe "
                                 "album HTML files. As a result, Velmora will not\nwrite more than this number when "
                                 "updating the HTML files.|48"}));
            EXPECT_TRUE(warned);
        }
    }
}

TEST(AlbumLoader, MissingFolderGivesAnEmptyAlbum) {
    TempFolder game;
    AlbumRows rows;
    ScriptedFeedback feedback;
    EXPECT_EQ(loadAlbumRows(game.file("UserData\\PhotoAlbum"), "Smith_2_", true, rows, feedback), "");
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(feedback.callsStartingWith("messageBox").empty());
    EXPECT_EQ(feedback.progressHigh, 0);
    EXPECT_EQ(feedback.statusText, "");
}
