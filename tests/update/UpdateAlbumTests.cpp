#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "diag/SystemErrorText.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TestTrash.h"
#include "tests/update/FaultyFileOps.h"
#include "tests/update/TestAlbum.h"
#include "update/UpdateAlbum.h"

namespace {
std::string captionFailureDetails(const std::string& rowText) {
    return "An error was encountered while trying to write the caption file\r\nassociated with the following album "
           "entry:\r\n\r\n" +
           rowText + "\r\n\r\nWould you like to continue?";
}
}  // namespace

// One update run over a test album, with the view's hooks recorded.
class UpdateAlbumTest : public ::testing::Test {
protected:
    TestTrash trash;
    ScriptedFeedback feedback;
    ShellFileOps ops;
    std::vector<std::string> hooks;

    UpdateOutcome update(TestAlbum& album) {
        UpdateContext context{album.rows,
                              album.album,
                              album.settings,
                              feedback,
                              ops,
                              [this] { hooks.push_back("commit"); },
                              [this](bool changed) { hooks.push_back(changed ? "changed" : "unchanged"); },
                              [this](const std::string& prefix) { hooks.push_back("html " + prefix); }};
        return updateAlbum(context);
    }
};

TEST_F(UpdateAlbumTest, NoToTheConfirmationChangesNothing) {
    TestAlbum album({{"0000"}, {"0001", true, true, true}});
    album.rows.swapRows(0, 1);
    LogCapture log(album.temp.file("velmora.log"));
    feedback.messageBoxAnswers = {msgbox::IdNo};
    auto before = folderListing(album.album.albumPath);
    EXPECT_EQ(update(album), UpdateOutcome::Declined);
    EXPECT_EQ(feedback.calls, std::vector<std::string>{"messageBox|Update Smith Family Album|Are you ready to update "
                                                       "this photo album?|36"});
    EXPECT_TRUE(hooks.empty());
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(folderListing(album.album.albumPath), before);
    EXPECT_EQ(album.rows.text(0), "0001");
}

TEST_F(UpdateAlbumTest, FullRunRecyclesCaptionsAndRenumbersWithAnExactLog) {
    TestAlbum album({{"0000"}, {"0001", true, true, true}, {"0002", false, false}});
    album.settings.enableHtml = 1;
    album.rows.swapRows(0, 2);  // 0002, 0001*, 0000
    album.rows.swapRows(1, 2);  // 0002, 0000, 0001*
    album.rows.entry(0)->setCaption("Line one\r\nLine two\nLine three\r");
    LogCapture log(album.temp.file("velmora.log"));

    EXPECT_EQ(update(album), UpdateOutcome::Completed);

    std::string p = album.prefix(), w = album.workFolder() + "\\Smith_2_";
    EXPECT_EQ(folderListing(album.album.albumPath),
              (std::vector<std::string>{"Smith_2_0000.jpg", "Smith_2_0000.txt", "Smith_2_0001.jpg",
                                        "Smith_2_0001.txt", "Smith_2_0001_thumb.jpg"}));
    EXPECT_EQ(readFile(p + "0000.jpg"), album.imageBytes("0002"));
    EXPECT_EQ(readFile(p + "0000.txt"), "Line one\r\nLine two\r\nLine three");
    EXPECT_EQ(readFile(p + "0001.jpg"), album.imageBytes("0000"));
    EXPECT_EQ(readFile(p + "0001.txt"), album.captionBytes("0000"));
    EXPECT_EQ(readFile(p + "0001_thumb.jpg"), album.thumbnailBytes("0000"));
    EXPECT_EQ(album.rows.text(0), "0000");
    EXPECT_EQ(album.rows.entry(1)->baseName(), "Smith_2_0001");
    EXPECT_EQ(album.rows.count(), 2);

    EXPECT_EQ(hooks, (std::vector<std::string>{"unchanged", "commit", "html " + p}));
    EXPECT_EQ(log.text(), "LOG: ========== UPDATING PHOTO ALBUM ==========\r\n"
                          "UPDATING: Full path = " + p + "\r\n" +
                          "UPDATING: Work path = " + w + "\r\n" +
                          "LOG: Recycling " + p + "0001.jpg --- Result (0)\r\n" +
                          "LOG: Recycling " + p + "0001.txt --- Result (0)\r\n" +
                          "LOG: Recycling " + p + "0001_thumb.jpg --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0002.jpg to work folder --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0002.txt to work folder --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0000.jpg to work folder --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0000.txt to work folder --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0000_thumb.jpg to work folder --- Result (0)\r\n" +
                          "LOG: Renaming " + w + "0002.jpg to " + p + "0000.jpg\r\n" +
                          "LOG: Renaming " + w + "0002.txt to " + p + "0000.txt\r\n" +
                          "LOG: Moving " + p + "0000.jpg back to album --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0000.txt back to album --- Result (0)\r\n" +
                          "LOG: Renaming " + w + "0000.jpg to " + p + "0001.jpg\r\n" +
                          "LOG: Renaming " + w + "0000.txt to " + p + "0001.txt\r\n" +
                          "LOG: Moving " + p + "0001.jpg back to album --- Result (0)\r\n" +
                          "LOG: Moving " + p + "0001.txt back to album --- Result (0)\r\n" +
                          "LOG: Renaming " + w + "0000_thumb.jpg to " + p + "0001_thumb.jpg\r\n" +
                          "LOG: Moving " + p + "0001_thumb.jpg back to album --- Result (0)\r\n");
    EXPECT_EQ(feedback.calls,
              (std::vector<std::string>{
                  "messageBox|Update Smith Family Album|Are you ready to update this photo album?|36",
                  "beginWaitCursor", "progressPosition|0", "progressRange|0|1", "progressStep|1",
                  "status|Applying Changes: Recycling flagged files...", "stepProgress", "progressPosition|0",
                  "progressRange|0|2", "status|Applying Changes: Updating file captions...", "stepProgress",
                  "stepProgress", "progressPosition|0", "progressRange|0|4",
                  "status|Applying Changes: Reordering album files...", "stepProgress", "stepProgress",
                  "stepProgress", "stepProgress", "progressPosition|0", "status|", "endWaitCursor"}));
}

TEST_F(UpdateAlbumTest, PendingCaptionEditIsCommittedBeforeCaptionsAreWritten) {
    TestAlbum album({{"0000"}});
    UpdateContext context{album.rows, album.album, album.settings, feedback, ops,
                          [&] { album.rows.entry(0)->setCaption("typed just now"); }, nullptr, nullptr};
    EXPECT_EQ(updateAlbum(context), UpdateOutcome::Completed);
    EXPECT_EQ(readFile(album.prefix() + "0000.txt"), "typed just now");
}

TEST_F(UpdateAlbumTest, LeftoverWorkFolderIsReusedOnlyWhenTheUserAgrees) {
    struct Case {
        const char* name;
        int answer;
        UpdateOutcome outcome;
    } cases[] = {{"no", msgbox::IdNo, UpdateOutcome::StoppedWorkFolder},
                 {"yes", msgbox::IdYes, UpdateOutcome::Completed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum album({{"0000"}, {"0001"}});
        album.rows.swapRows(0, 1);
        album.rows.entry(0)->setCaption("new caption");
        writeFile(album.workFolder() + "\\leftover.jpg", "leftover");
        LogCapture log(album.temp.file("velmora.log"));
        ScriptedFeedback answers;
        answers.messageBoxAnswers = {msgbox::IdYes, c.answer};
        UpdateContext context{album.rows, album.album, album.settings, answers, ops, nullptr, nullptr, nullptr};
        EXPECT_EQ(updateAlbum(context), c.outcome);

        auto boxes = answers.callsStartingWith("messageBox");
        ASSERT_GE(boxes.size(), 2u);
        EXPECT_EQ(boxes[1],
                  "messageBox|Program Warning|A directory named \"VLM_TEMP\" was found in this album's "
                  "PhotoAlbum\ndirectory. This probably indicates that Velmora did not\nsuccessfully clean up the "
                  "last time it was run. If you choose to\ncontinue, any files in this temporary folder may be "
                  "overwritten. This\nwill not affect your photo album changes in any way.\n\nDo you want to "
                  "continue applying the changes?|52");
        std::string text = log.text();
        EXPECT_NE(text.find("WARNING: Folder named VLM_TEMP already exists!\r\n"), std::string::npos);
        EXPECT_EQ(readFile(album.workFolder() + "\\leftover.jpg"), "leftover");
        // Captions are written before the question; the photos move only after a Yes.
        if (c.answer == msgbox::IdNo) {
            EXPECT_EQ(readFile(album.prefix() + "0001.txt"), "new caption");
            EXPECT_EQ(boxes.size(), 2u);
            EXPECT_EQ(readFile(album.prefix() + "0001.jpg"), album.imageBytes("0001"));
            EXPECT_EQ(album.rows.text(0), "0001");
            EXPECT_EQ(answers.statusText, "Applying Changes: Updating file captions...");
        } else {
            ASSERT_EQ(boxes.size(), 3u);
            EXPECT_EQ(boxes[2], "messageBox|Folder Removal Error|An error was encountered while attempting to "
                                "remove the\ntemporary work folder \"VLM_TEMP\".|16");
            EXPECT_NE(text.find("ERROR: Could not remove temporary work folder VLM_TEMP\r\n"), std::string::npos);
            EXPECT_EQ(readFile(album.prefix() + "0000.jpg"), album.imageBytes("0001"));
            EXPECT_EQ(readFile(album.prefix() + "0000.txt"), "new caption");
            EXPECT_EQ(answers.statusText, "");
        }
    }
}

TEST_F(UpdateAlbumTest, ReadOnlyCaptionFileIsMadeWritableAndRewritten) {
    TestAlbum album({{"0000"}});
    setReadOnly(album.prefix() + "0000.txt");
    album.rows.entry(0)->setCaption("rewritten");
    EXPECT_EQ(update(album), UpdateOutcome::Completed);
    EXPECT_EQ(readFile(album.prefix() + "0000.txt"), "rewritten");
    EXPECT_FALSE(isReadOnly(album.prefix() + "0000.txt"));
}

// A caption file that cannot be written is reported and put to the user, never skipped in silence.
TEST_F(UpdateAlbumTest, UnwritableCaptionFileIsReportedAndMayStopTheUpdate) {
    struct Case {
        const char* name;
        std::vector<PromptAnswer> answers;
        UpdateOutcome outcome;
        int prompts;
    } cases[] = {
        {"yes", {PromptAnswer::Yes, PromptAnswer::Yes}, UpdateOutcome::Completed, 2},
        {"yes to all", {PromptAnswer::YesToAll}, UpdateOutcome::Completed, 1},
        {"no", {PromptAnswer::No}, UpdateOutcome::StoppedCaptions, 1},
        {"no to all", {PromptAnswer::NoToAll}, UpdateOutcome::StoppedCaptions, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum album({{"0000"}, {"0001", true, false}, {"0002", true, false}});
        album.rows.swapRows(0, 2);
        // Folders where the caption files belong cannot be opened for writing.
        makeFolders(album.prefix() + "0001.txt");
        makeFolders(album.prefix() + "0002.txt");
        LogCapture log(album.temp.file("velmora.log"));
        ScriptedFeedback answers;
        answers.promptAnswers.assign(c.answers.begin(), c.answers.end());
        UpdateContext context{album.rows, album.album, album.settings, answers, ops, nullptr, nullptr, nullptr};
        EXPECT_EQ(updateAlbum(context), c.outcome);

        ASSERT_EQ(int(answers.promptDetails.size()), c.prompts);
        EXPECT_EQ(answers.promptDetails[0], captionFailureDetails("0002"));
        if (c.prompts > 1) {
            EXPECT_EQ(answers.promptDetails[1], captionFailureDetails("0001"));
        }
        std::string text = log.text();
        EXPECT_NE(text.find("ERROR: Could not write caption file " + album.prefix() + "0002.txt\r\n"),
                  std::string::npos);
        bool stopped = c.outcome == UpdateOutcome::StoppedCaptions;
        EXPECT_EQ(text.find("ERROR: Could not write caption file " + album.prefix() + "0001.txt\r\n") ==
                      std::string::npos,
                  stopped);
        // A stop comes before anything is renumbered.
        EXPECT_EQ(album.rows.text(0), stopped ? "0002" : "0000");
        EXPECT_EQ(fileExists(album.workFolder()), false);
        EXPECT_EQ(readFile(album.prefix() + "0000.jpg"), album.imageBytes(stopped ? "0000" : "0002"));
    }
}

TEST_F(UpdateAlbumTest, WebPagesAreRebuiltOnlyWhenEnabledAndTheFilePassesWentThrough) {
    struct Case {
        const char* name;
        int enableHtml;
        bool failMoving;
        bool generated;
    } cases[] = {{"enabled", 1, false, true}, {"disabled", 0, false, false}, {"stopped", 1, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum album({{"0000"}});
        album.settings.enableHtml = c.enableHtml;
        if (c.failMoving)
            std::remove(nativePath(album.prefix() + "0000.jpg").c_str());
        hooks.clear();
        feedback.promptAnswers = {PromptAnswer::No};
        update(album);
        EXPECT_EQ(std::count(hooks.begin(), hooks.end(), "html " + album.prefix()), c.generated ? 1 : 0);
    }
}

TEST_F(UpdateAlbumTest, WorkFolderThatCannotBeCreatedStopsWithTheSystemsText) {
    TestAlbum album({{"0000"}, {"0001"}});
    album.rows.swapRows(0, 1);
    LogCapture log(album.temp.file("velmora.log"));
    FaultyFileOps failing(ops);
    failing.failsWhen = [&failing](int index, const std::string&) {
        return failing.operations[std::size_t(index - 1)].rfind("create ", 0) == 0;
    };
    UpdateContext context{album.rows, album.album, album.settings, feedback, failing, nullptr, nullptr, nullptr};
    EXPECT_EQ(updateAlbum(context), UpdateOutcome::StoppedWorkFolder);

    std::string errorText = systemErrorText(FaultyFileOps::InjectedFailure, "");
    auto boxes = feedback.callsStartingWith("messageBox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "messageBox|Folder Creation Error|" + errorText + "|16");
    std::string text = log.text();
    EXPECT_NE(text.find("ERROR: Failed to create work folder!\r\nERROR: " + errorText + "\r\n"), std::string::npos);
    EXPECT_EQ(album.rows.text(0), "0001");
    EXPECT_EQ(readFile(album.prefix() + "0001.jpg"), album.imageBytes("0001"));
}
