#include <gtest/gtest.h>

#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TestTrash.h"
#include "tests/update/FaultyFileOps.h"
#include "tests/update/TestAlbum.h"
#include "update/AlbumPasses.h"

namespace {
std::vector<std::string> rowTexts(const AlbumRows& rows) {
    std::vector<std::string> texts;
    for (int i = 0; i < rows.count(); ++i)
        texts.push_back(rows.text(i) + (rows.row(i).flagged() ? "*" : ""));
    return texts;
}

std::string recycleDetails(const std::string& rowText) {
    return "An error was encountered while trying to recycle the files\r\nassociated with the following album "
           "entry:\r\n\r\n" +
           rowText +
           "\r\n\r\nThis error may occur with other files that are flagged for\r\nremoval. Would you like to attempt "
           "to continue recycling?";
}
}  // namespace

class AlbumPassesTest : public ::testing::Test {
protected:
    TestTrash trash;
    ScriptedFeedback feedback;
    ShellFileOps shell;
    FaultyFileOps ops{shell};

    PassContext contextFor(TestAlbum& album) { return PassContext{album.rows, ops, feedback, true, album.album.fileHeader}; }
    int trashedCopiesOf(const std::string& bytes) const {
        int copies = 0;
        for (const auto& path : trash.trashedFiles())
            copies += readFile(path) == bytes;
        return copies;
    }
};

TEST_F(AlbumPassesTest, RecycleWithoutFlaggedRowsDoesNothingVisible) {
    TestAlbum album({{"0000"}, {"0001"}});
    LogCapture log(album.temp.file("velmora.log"));
    PassContext context = contextFor(album);
    EXPECT_EQ(recycleFlaggedFiles(context, album.album.albumPath), 1);
    EXPECT_TRUE(feedback.calls.empty());
    EXPECT_TRUE(ops.operations.empty());
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0000", "0001"}));
}

// Adjacent flagged rows: the walk must not skip the row that moves up after a removal.
TEST_F(AlbumPassesTest, RecycleSendsEveryFlaggedPhotoToTheTrashAndDropsItsRow) {
    TestAlbum album({{"0000"}, {"0001", true, true, true}, {"0002", false, true, true}, {"0003"}});
    LogCapture log(album.temp.file("velmora.log"));
    PassContext context = contextFor(album);
    EXPECT_EQ(recycleFlaggedFiles(context, album.album.albumPath), 1);

    EXPECT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0000", "0003"}));
    EXPECT_EQ(folderListing(album.album.albumPath),
              (std::vector<std::string>{"Smith_2_0000.jpg", "Smith_2_0000.txt", "Smith_2_0000_thumb.jpg",
                                        "Smith_2_0003.jpg", "Smith_2_0003.txt", "Smith_2_0003_thumb.jpg"}));
    std::string p = album.prefix();
    EXPECT_EQ(log.text(), "LOG: Recycling " + p + "0001.jpg --- Result (0)\r\n" +
                              "LOG: Recycling " + p + "0001.txt --- Result (0)\r\n" +
                              "LOG: Recycling " + p + "0001_thumb.jpg --- Result (0)\r\n" +
                              "LOG: Recycling " + p + "0002.jpg --- Result (0)\r\n" +
                              "LOG: Recycling " + p + "0002.txt --- Result (0)\r\n");
    EXPECT_EQ(feedback.calls, (std::vector<std::string>{"progressPosition|0", "progressRange|0|2", "progressStep|1",
                                                        "status|Applying Changes: Recycling flagged files...",
                                                        "stepProgress", "stepProgress"}));
    if (trash.visible()) {
        for (const auto& bytes : {album.imageBytes("0001"), album.thumbnailBytes("0001"), album.captionBytes("0001"),
                                  album.imageBytes("0002"), album.captionBytes("0002")}) {
            SCOPED_TRACE(bytes);
            EXPECT_EQ(trashedCopiesOf(bytes), 1);
        }
    }
}

// A flagged row leaves the list once nothing of its photo is left in the album folder, also when
// the user stops there; a photo with a file left keeps its row, still flagged, so that it is
// neither hidden nor forgotten.
TEST_F(AlbumPassesTest, RecycleFailuresAskPerRowAndStopOnNo) {
    struct Case {
        const char* name;
        std::vector<PromptAnswer> answers;
        int expectedResult;
        int expectedPrompts;
        std::vector<std::string> expectedRows;
    } cases[] = {
        // 0001 has no caption file; 0003's thumbnail fails and stays; 0004 recycles cleanly.
        {"yes to each", {PromptAnswer::Yes, PromptAnswer::Yes}, 1, 2, {"0000", "0002", "0003*"}},
        {"yes to all", {PromptAnswer::YesToAll}, 1, 1, {"0000", "0002", "0003*"}},
        {"no at the first", {PromptAnswer::No}, 0, 1, {"0000", "0002", "0003*", "0004*"}},
        {"no to all at the second", {PromptAnswer::Yes, PromptAnswer::NoToAll}, 0, 2,
         {"0000", "0002", "0003*", "0004*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum album({{"0000"}, {"0001", true, false, true}, {"0002"}, {"0003", true, true, true},
                         {"0004", false, true, true}});
        ScriptedFeedback answers;
        answers.promptAnswers.assign(c.answers.begin(), c.answers.end());
        ops.failsWhen = [](int, const std::string& path) { return path.find("0003_thumb") != std::string::npos; };
        PassContext context{album.rows, ops, answers, false};
        EXPECT_EQ(recycleFlaggedFiles(context, album.album.albumPath), c.expectedResult);
        EXPECT_EQ(rowTexts(album.rows), c.expectedRows);
        ASSERT_EQ(int(answers.promptDetails.size()), c.expectedPrompts);
        EXPECT_EQ(answers.promptDetails[0], recycleDetails("0001"));
        if (c.expectedPrompts > 1) {
            EXPECT_EQ(answers.promptDetails[1], recycleDetails("0003"));
        }
        // The failed row's image went to the Trash all the same; a stopped pass left 0004 alone.
        EXPECT_FALSE(fileExists(album.prefix() + "0001.jpg"));
        EXPECT_EQ(readFile(album.prefix() + "0003_thumb.jpg"), album.thumbnailBytes("0003"));
        EXPECT_EQ(fileExists(album.prefix() + "0004.jpg"), c.expectedResult == 0);
    }
}

TEST_F(AlbumPassesTest, MovingOutAndBackRenumbersInListOrder) {
    std::vector<TestPhoto> photos;
    for (int n = 0; n < 12; ++n)
        photos.push_back({photoNumberText(n), n % 3 != 1, n != 4});
    TestAlbum album(photos);
    for (int i = 0; i < 6; ++i)  // reverse the order
        album.rows.swapRows(i, 11 - i);
    makeFolders(album.workFolder());
    PassContext context = contextFor(album);

    EXPECT_EQ(moveFilesToWorkFolder(context, album.album.albumPath), 1);
    EXPECT_EQ(folderListing(album.album.albumPath), std::vector<std::string>{"VLM_TEMP"});
    EXPECT_EQ(moveFilesBackToAlbum(context, album.album.albumPath), 1);

    EXPECT_EQ(folderListing(album.workFolder()), std::vector<std::string>{});
    for (int i = 0; i < 12; ++i) {
        std::string oldNumber = photoNumberText(11 - i), newNumber = photoNumberText(i);
        SCOPED_TRACE(oldNumber + " -> " + newNumber);
        EXPECT_EQ(album.rows.text(i), newNumber);
        EXPECT_EQ(album.rows.entry(i)->baseName(), "Smith_2_" + newNumber);
        EXPECT_EQ(readFile(album.prefix() + newNumber + ".jpg"), album.imageBytes(oldNumber));
        EXPECT_EQ(fileExists(album.prefix() + newNumber + "_thumb.jpg"), (11 - i) % 3 != 1);
        if ((11 - i) % 3 != 1) {
            EXPECT_EQ(readFile(album.prefix() + newNumber + "_thumb.jpg"), album.thumbnailBytes(oldNumber));
        }
    }
    EXPECT_EQ(readFile(album.prefix() + "0004.txt"), album.captionBytes("0007"));
    EXPECT_EQ(int(folderListing(album.album.albumPath).size()), 12 + 11 + 8 + 1);
}

// A photo whose caption cannot move keeps its other files beside it: what moved goes back. Both
// photos then stay under their own numbers, since each holds the number the other must take, and
// the move back asks about them without moving a file of one onto the other's name.
TEST_F(AlbumPassesTest, MovePassesKeepEachPhotoWholeLogEveryFileAndAskAgainInTheNextPass) {
    TestAlbum album({{"0000", false}, {"0001"}});
    album.rows.swapRows(0, 1);
    makeFolders(album.workFolder());
    std::string p = album.prefix(), w = album.workFolder() + "\\Smith_2_";
    LogCapture log(album.temp.file("velmora.log"));
    feedback.promptAnswers = {PromptAnswer::YesToAll, PromptAnswer::YesToAll};
    // Every caption move fails: one prompt per pass, not per row.
    ops.failsWhen = [](int, const std::string& path) { return path.find(".txt") != std::string::npos; };
    PassContext context = contextFor(album);
    EXPECT_EQ(moveFilesToWorkFolder(context, album.album.albumPath), 1);
    EXPECT_EQ(moveFilesBackToAlbum(context, album.album.albumPath), 1);

    EXPECT_EQ(log.text(), "LOG: Moving " + p + "0001.jpg to work folder --- Result (0)\r\n" +
                              "LOG: Moving " + p + "0001.txt to work folder --- Result (5)\r\n" +
                              "LOG: Moving " + p + "0001_thumb.jpg to work folder --- Result (0)\r\n" +
                              "LOG: Restoring " + p + "0001.jpg --- Result (0)\r\n" +
                              "LOG: Restoring " + p + "0001_thumb.jpg --- Result (0)\r\n" +
                              "LOG: Moving " + p + "0000.jpg to work folder --- Result (0)\r\n" +
                              "LOG: Moving " + p + "0000.txt to work folder --- Result (5)\r\n" +
                              "LOG: Restoring " + p + "0000.jpg --- Result (0)\r\n" +
                              // Each holds the other's new number: no file of either is moved onto it.
                              "ERROR: Photo 0001 cannot take the number 0000: another photo still stands under it\r\n"
                              "ERROR: Photo 0000 cannot take the number 0001: another photo still stands under it\r\n");
    std::string head = "An error was encountered while trying to move the files\r\nassociated with the following "
                       "album entry:\r\n\r\n0001\r\n\r\n";
    EXPECT_EQ(feedback.promptDetails,
              (std::vector<std::string>{head + "This error may occur with other files that are flagged for\r\n"
                                               "removal. Would you like to attempt to continue moving?",
                                        head + "At this point, there may be problems in the changes that\r\nwere "
                                               "made to the current photo album. The program help\r\nfile has more "
                                               "information on this error. Would you like\r\nto continue?"}));
    EXPECT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0001", "0000"}));
    for (const char* number : {"0000", "0001"}) {
        EXPECT_EQ(readFile(p + number + ".jpg"), album.imageBytes(number));
        EXPECT_EQ(readFile(p + number + ".txt"), album.captionBytes(number));
    }
    EXPECT_EQ(readFile(p + "0001_thumb.jpg"), album.thumbnailBytes("0001"));
    EXPECT_EQ(folderListing(album.workFolder()), std::vector<std::string>{});
}

// A stray file that already bears a destination name keeps its bytes: the move onto it is refused
// with "file exists" and reported, and the photo stays whole where it was, its row saying where.
// Nothing ever lands under another name.
TEST_F(AlbumPassesTest, StrayFileWithADestinationNameIsNeverOverwrittenNorSidestepped) {
    TestAlbum album({{"0003"}, {"0005"}});
    writeFile(album.prefix() + "0000_thumb.jpg", "stray thumbnail");
    makeFolders(album.workFolder());
    writeFile(album.workFolder() + "\\Smith_2_0005.jpg", "stray in the work folder");
    LogCapture log(album.temp.file("velmora.log"));
    PassContext context = contextFor(album);
    EXPECT_EQ(moveFilesToWorkFolder(context, album.album.albumPath), 1);
    EXPECT_EQ(moveFilesBackToAlbum(context, album.album.albumPath), 1);
    ASSERT_EQ(feedback.promptDetails.size(), 2u);
    EXPECT_NE(feedback.promptDetails[0].find("\r\n0005\r\n"), std::string::npos);
    EXPECT_NE(feedback.promptDetails[1].find("\r\n0003\r\n"), std::string::npos);
    std::string text = log.text();
    EXPECT_NE(text.find("LOG: Moving " + album.prefix() + "0005.jpg to work folder --- Result (80)\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("LOG: Moving " + album.prefix() + "0000_thumb.jpg back to album --- Result (80)\r\n"),
              std::string::npos);

    EXPECT_EQ(readFile(album.prefix() + "0000_thumb.jpg"), "stray thumbnail");
    EXPECT_EQ(readFile(album.workFolder() + "\\Smith_2_0005.jpg"), "stray in the work folder");
    // 0005 could not go out and came back under its new number directly, first; 0003 could not
    // come back beside the stray thumbnail and is whole in the work folder.
    EXPECT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0003", "0001"}));
    EXPECT_TRUE(album.rows.row(0).inWorkFolder());
    EXPECT_FALSE(album.rows.row(1).inWorkFolder());
    for (const char* suffix : {".jpg", ".txt", "_thumb.jpg"}) {
        SCOPED_TRACE(suffix);
        std::string bytes0005 = suffix == std::string(".jpg")   ? album.imageBytes("0005")
                                : suffix == std::string(".txt") ? album.captionBytes("0005")
                                                                : album.thumbnailBytes("0005");
        std::string bytes0003 = suffix == std::string(".jpg")   ? album.imageBytes("0003")
                                : suffix == std::string(".txt") ? album.captionBytes("0003")
                                                                : album.thumbnailBytes("0003");
        EXPECT_EQ(readFile(album.prefix() + "0001" + suffix), bytes0005);
        EXPECT_EQ(readFile(album.workFolder() + "\\Smith_2_0003" + suffix), bytes0003);
    }
    EXPECT_EQ(folderListing(album.album.albumPath),
              (std::vector<std::string>{"Smith_2_0000_thumb.jpg", "Smith_2_0001.jpg", "Smith_2_0001.txt",
                                        "Smith_2_0001_thumb.jpg", "VLM_TEMP"}));
}
