#include <gtest/gtest.h>

#include "tests/support/ScriptedFeedback.h"
#include "tests/update/TestAlbum.h"
#include "update/PhotoImport.h"

namespace {
struct SourcePhoto {
    std::string relative;  // "UserData2\PhotoAlbum\Zarez_17_0004"
    bool thumbnail = true;
    bool captionFile = true;
};

std::string importDetails(const std::string& source) {
    return "An error was encountered while trying to import the files\r\nassociated with the following album "
           "entry:\r\n\r\n" +
           source + "\r\n\r\nWould you like to continue?";
}
}  // namespace

// The open album is Smith 2 of the first neighborhood; the photos come from other families.
class PhotoImportTest : public ::testing::Test {
protected:
    TestAlbum album{{{"0000"}}};
    ScriptedFeedback feedback;
    ShellFileOps ops;
    std::vector<std::string> changed;

    std::vector<std::string> addSources(const std::vector<SourcePhoto>& sources) {
        std::vector<std::string> selection;
        for (const auto& source : sources) {
            std::string base = album.album.gamePath + "\\" + source.relative;
            writeFile(base + ".jpg", "image of " + source.relative);
            if (source.thumbnail)
                writeFile(base + "_thumb.jpg", "thumb of " + source.relative);
            if (source.captionFile)
                writeFile(base + ".txt", "caption of " + source.relative + "\r\nline two\r\n");
            selection.push_back(source.relative);
        }
        return selection;
    }

    bool import(const std::vector<std::string>& selection) {
        ImportContext context{album.rows, album.album, album.settings, feedback, ops,
                              [this](bool flag) { changed.push_back(flag ? "changed" : "unchanged"); }};
        return importPhotos(context, selection);
    }

    std::vector<std::string> rowTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < album.rows.count(); ++i)
            texts.push_back(album.rows.text(i));
        return texts;
    }
};

TEST_F(PhotoImportTest, PhotosAreNumberedAfterTheLastAndAppendedWithTheirCaptions) {
    album.album.lastPhotoNumber = "0012";
    auto selection = addSources({{"UserData\\PhotoAlbum\\Dubois_4_0001"},
                                 {"UserData10\\PhotoAlbum\\Quill_3_0007", false},
                                 {"UserData2\\PhotoAlbum\\Zarez_17_0004"}});
    LogCapture log(album.temp.file("velmora.log"));
    EXPECT_TRUE(import(selection));

    std::string p = album.prefix(), g = album.album.gamePath + "\\";
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"0000", "0013", "0014", "0015"}));
    EXPECT_EQ(album.album.lastPhotoNumber, "0015");
    EXPECT_EQ(album.rows.entry(2)->baseName(), "Smith_2_0014");
    EXPECT_EQ(album.rows.entry(2)->caption(), "caption of UserData10\\PhotoAlbum\\Quill_3_0007\r\nline two");
    EXPECT_EQ(album.rows.image(3), RowKept);
    EXPECT_EQ(readFile(p + "0013.jpg"), "image of UserData\\PhotoAlbum\\Dubois_4_0001");
    EXPECT_EQ(readFile(p + "0015_thumb.jpg"), "thumb of UserData2\\PhotoAlbum\\Zarez_17_0004");
    EXPECT_FALSE(fileExists(p + "0014_thumb.jpg"));
    EXPECT_TRUE(fileExists(g + "UserData2\\PhotoAlbum\\Zarez_17_0004.jpg"));
    EXPECT_EQ(changed, std::vector<std::string>{"changed"});
    EXPECT_TRUE(feedback.promptDetails.empty());
    EXPECT_EQ(feedback.calls, (std::vector<std::string>{"beginWaitCursor", "status|Importing selected photos...",
                                                        "progressRange|0|3", "progressStep|1", "stepProgress",
                                                        "stepProgress", "stepProgress", "status|",
                                                        "progressPosition|0", "endWaitCursor"}));
    std::string d = g + "UserData\\PhotoAlbum\\Dubois_4_0001", q = g + "UserData10\\PhotoAlbum\\Quill_3_0007",
                z = g + "UserData2\\PhotoAlbum\\Zarez_17_0004";
    EXPECT_EQ(log.text(), "LOG: ========== IMPORTING NEW PHOTOS ==========\r\n"
                          "IMPORT: Photo Album: " + p + "\r\n" +
                          "IMPORT: Number of photos being imported: 3\r\n" +
                          "LOG: Importing " + d + ".jpg into album --- Result (0)\r\n" +
                          "LOG: Importing " + d + ".txt into album --- Result (0)\r\n" +
                          "LOG: Importing " + d + "_thumb.jpg into album --- Result (0)\r\n" +
                          "LOG: Importing " + q + ".jpg into album --- Result (0)\r\n" +
                          "LOG: Importing " + q + ".txt into album --- Result (0)\r\n" +
                          "LOG: Importing " + z + ".jpg into album --- Result (0)\r\n" +
                          "LOG: Importing " + z + ".txt into album --- Result (0)\r\n" +
                          "LOG: Importing " + z + "_thumb.jpg into album --- Result (0)\r\n");

    // The next import while the album stays open goes on from there.
    EXPECT_TRUE(import(addSources({{"UserData2\\PhotoAlbum\\Okafor_6_0000"}})));
    EXPECT_EQ(album.rows.text(4), "0016");
    EXPECT_EQ(album.album.lastPhotoNumber, "0016");
}

TEST_F(PhotoImportTest, NumbersGrowPastFourDigitsAndNonNumbersCountAsZero) {
    struct Case {
        const char* last;
        const char* next;
    } cases[] = {{"9999", "10000"}, {"0099", "0100"}, {"12345", "12346"}, {"x7", "0001"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        album.album.lastPhotoNumber = c.last;
        EXPECT_TRUE(import(addSources({{"UserData2\\PhotoAlbum\\Okafor_6_0001"}})));
        EXPECT_EQ(album.rows.text(album.rows.count() - 1), c.next);
        EXPECT_EQ(album.album.lastPhotoNumber, c.next);
        EXPECT_EQ(readFile(album.prefix() + c.next + ".jpg"), "image of UserData2\\PhotoAlbum\\Okafor_6_0001");
    }
}

TEST_F(PhotoImportTest, FailedCopiesAskAndTheAnswerDecidesTheRest) {
    struct Case {
        const char* name;
        std::vector<PromptAnswer> answers;
        bool completes;
        int prompts;
        std::vector<std::string> rows;
    } cases[] = {
        {"yes to each", {PromptAnswer::Yes, PromptAnswer::Yes}, true, 2, {"0000", "0001", "0002", "0003"}},
        {"yes to all", {PromptAnswer::YesToAll}, true, 1, {"0000", "0001", "0002", "0003"}},
        {"no at the second", {PromptAnswer::No}, false, 1, {"0000", "0001"}},
        {"no to all at the second", {PromptAnswer::NoToAll}, false, 1, {"0000", "0001"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum open({{"0000"}});
        ScriptedFeedback answers;
        answers.promptAnswers.assign(c.answers.begin(), c.answers.end());
        // The second and third photos have no caption file.
        std::vector<std::string> selection = {"UserData2\\PhotoAlbum\\Brandt_1_0008",
                                              "UserData2\\PhotoAlbum\\Brandt_1_0009",
                                              "UserData2\\PhotoAlbum\\Okafor_6_0003"};
        for (std::size_t i = 0; i < selection.size(); ++i) {
            std::string base = open.album.gamePath + "\\" + selection[i];
            writeFile(base + ".jpg", "image " + std::to_string(i));
            if (i == 0)
                writeFile(base + ".txt", "caption");
        }
        ImportContext context{open.rows, open.album, open.settings, answers, ops, nullptr};
        EXPECT_EQ(importPhotos(context, selection), c.completes);

        std::vector<std::string> texts;
        for (int i = 0; i < open.rows.count(); ++i)
            texts.push_back(open.rows.text(i));
        EXPECT_EQ(texts, c.rows);
        ASSERT_EQ(int(answers.promptDetails.size()), c.prompts);
        EXPECT_EQ(answers.promptDetails[0], importDetails(open.album.gamePath + "\\" + selection[1]));
        EXPECT_EQ(open.rows.entry(1)->caption(), "caption");
        if (c.completes) {
            EXPECT_EQ(open.rows.entry(2)->caption(), "");
            EXPECT_EQ(open.album.lastPhotoNumber, "0003");
            EXPECT_EQ(answers.statusText, "");
        } else {
            // The second photo's image stays without a row; the third is not touched.
            EXPECT_EQ(readFile(open.prefix() + "0002.jpg"), "image 1");
            EXPECT_FALSE(fileExists(open.prefix() + "0003.jpg"));
            EXPECT_EQ(open.album.lastPhotoNumber, "0002");
            EXPECT_EQ(answers.statusText, "Importing selected photos...");
            EXPECT_EQ(answers.waitCursorDepth, 0);
        }
    }
}

TEST_F(PhotoImportTest, WithoutLoggingNothingIsWrittenButTheImportIsTheSame) {
    album.settings.enableLogging = 0;
    LogCapture log(album.temp.file("velmora.log"));
    EXPECT_TRUE(import(addSources({{"UserData2\\PhotoAlbum\\Okafor_6_0002"}})));
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"0000", "0001"}));
    EXPECT_EQ(readFile(album.prefix() + "0001_thumb.jpg"), "thumb of UserData2\\PhotoAlbum\\Okafor_6_0002");
}

// Numbers whose files exist already are passed over, whatever the last row says: a file left from
// an earlier import, or a row whose number is no number ("Lee_5_a" sorts last, and reads as 0).
// A new photo never meets an old one, and no file goes to another name.
TEST_F(PhotoImportTest, NumbersInUseArePassedOver) {
    struct Case {
        const char* name;
        std::vector<std::string> existing;  // photo numbers of the album's files before the import
        std::string lastPhotoNumber;
        std::vector<std::string> expectedRows;
    } cases[] = {
        {"file left from an earlier import", {"0000", "0001"}, "0000", {"0000", "0002", "0003"}},
        {"non-numeric last row", {"0000", "0001", "0002", "a"}, "a", {"0000", "0003", "0004"}},
        {"a run of digits too long to count", {"0000", "99999999999999999999999"}, "99999999999999999999999",
         {"0000", "1000000000000", "1000000000001"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum open{{{"0000"}}};
        for (const auto& number : c.existing)
            if (number != "0000")
                writeFile(open.prefix() + number + ".jpg", "old photo " + number);
        open.album.lastPhotoNumber = c.lastPhotoNumber;
        std::vector<std::string> selection;
        for (const char* source : {"UserData2\\PhotoAlbum\\Okafor_6_0002", "UserData2\\PhotoAlbum\\Okafor_6_0003"}) {
            writeFile(open.album.gamePath + "\\" + source + ".jpg", std::string("image of ") + source);
            writeFile(open.album.gamePath + "\\" + source + ".txt", std::string("caption of ") + source);
            selection.push_back(source);
        }
        ScriptedFeedback answers;
        ImportContext context{open.rows, open.album, open.settings, answers, ops, nullptr};
        EXPECT_TRUE(importPhotos(context, selection));
        EXPECT_TRUE(answers.promptDetails.empty());
        std::vector<std::string> texts;
        for (int i = 0; i < open.rows.count(); ++i)
            texts.push_back(open.rows.text(i));
        EXPECT_EQ(texts, c.expectedRows);
        for (const auto& number : c.existing) {
            if (number != "0000") {
                EXPECT_EQ(readFile(open.prefix() + number + ".jpg"), "old photo " + number);
            }
        }
        EXPECT_EQ(readFile(open.prefix() + c.expectedRows[1] + ".jpg"), "image of UserData2\\PhotoAlbum\\Okafor_6_0002");
        EXPECT_EQ(readFile(open.prefix() + c.expectedRows[2] + ".txt"), "caption of UserData2\\PhotoAlbum\\Okafor_6_0003");
        EXPECT_EQ(open.rows.entry(2)->caption(), "caption of UserData2\\PhotoAlbum\\Okafor_6_0003");
        EXPECT_EQ(open.album.lastPhotoNumber, c.expectedRows[2]);
        for (const auto& name : folderListing(open.album.albumPath))
            EXPECT_EQ(name.find(" ("), std::string::npos) << name;
    }
}
