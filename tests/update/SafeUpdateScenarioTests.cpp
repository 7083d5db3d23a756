#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

#include "album/AlbumLoader.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TestTrash.h"
#include "tests/update/FaultyFileOps.h"
#include "tests/update/TestAlbum.h"
#include "update/UpdateAlbum.h"
#include "update/WorkFolderRecovery.h"

// Ordinary situations that once put a photo under another photo's number or caption, or left it
// where the album no longer showed it, while the log said that all went well.

namespace {
struct RunResult {
    UpdateOutcome outcome;
    bool changed;
};

RunResult update(TestAlbum& album, FileOperations& ops, ScriptedFeedback& feedback) {
    bool changed = true;
    UpdateContext context{album.rows, album.album, album.settings, feedback, ops, nullptr,
                          [&changed](bool flag) { changed = flag; }, nullptr};
    UpdateOutcome outcome = updateAlbum(context);
    return {outcome, changed};
}

std::vector<std::string> rowTexts(const AlbumRows& rows) {
    std::vector<std::string> texts;
    for (int i = 0; i < rows.count(); ++i)
        texts.push_back(rows.text(i) + (rows.row(i).flagged() ? "*" : ""));
    return texts;
}

int trashedCopiesOf(const TestTrash& trash, const std::string& bytes) {
    int copies = 0;
    for (const auto& path : trash.trashedFiles())
        copies += readFile(path) == bytes;
    return copies;
}
}  // namespace

// A flagged photo whose image cannot be recycled (the file is in use) and the player goes on: the
// photo keeps its row, still flagged, and takes part in the renumbering with what is left of it;
// no kept photo meets its image, and the next update recycles it.
TEST(SafeUpdate, RecycleFailureAnsweredYesKeepsThePhotoInItsRow) {
    TestTrash trash;
    TestAlbum album({{"0000"}, {"0001", true, true, true}, {"0002"}, {"0003"}});
    album.rows.swapRows(0, 3);  // 0003, 0001*, 0002, 0000
    album.rows.swapRows(1, 3);  // 0003, 0000, 0002, 0001*
    album.rows.swapRows(2, 3);  // 0003, 0000, 0001*, 0002
    ShellFileOps shell;
    FaultyFileOps ops(shell);
    ops.failsWhen = [&ops, &album](int index, const std::string& path) {
        return ops.operations[std::size_t(index - 1)].rfind("remove ", 0) == 0 &&
               path == album.prefix() + "0001.jpg";
    };
    ScriptedFeedback feedback;
    RunResult first = update(album, ops, feedback);
    EXPECT_EQ(first.outcome, UpdateOutcome::Completed);
    EXPECT_TRUE(first.changed) << "the flagged photo is still there";
    EXPECT_EQ(feedback.promptDetails.size(), 1u);
    EXPECT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0000", "0001", "0002*", "0003"}));
    const char* photoAt[] = {"0003", "0000", "0001", "0002"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        std::string base = album.prefix() + photoNumberText(i);
        EXPECT_EQ(readFile(base + ".jpg"), album.imageBytes(photoAt[i]));
        if (i != 2) {
            EXPECT_EQ(readFile(base + ".txt"), album.captionBytes(photoAt[i]));
            EXPECT_EQ(readFile(base + "_thumb.jpg"), album.thumbnailBytes(photoAt[i]));
        }
    }
    // The flagged photo's caption and thumbnail are in the Recycle Bin; its image stays with its row.
    EXPECT_FALSE(fileExists(album.prefix() + "0002.txt"));
    EXPECT_FALSE(fileExists(album.prefix() + "0002_thumb.jpg"));
    if (trash.visible()) {
        EXPECT_EQ(trashedCopiesOf(trash, album.captionBytes("0001")), 1);
        EXPECT_EQ(trashedCopiesOf(trash, album.imageBytes("0001")), 0);
    }
    for (const auto& [name, bytes] : filesOf(album.album.albumPath))
        EXPECT_EQ(name.find(" ("), std::string::npos) << name;

    ShellFileOps again;
    ScriptedFeedback clean;
    RunResult second = update(album, again, clean);
    EXPECT_EQ(second.outcome, UpdateOutcome::Completed);
    EXPECT_FALSE(second.changed);
    EXPECT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0000", "0001", "0002"}));
    EXPECT_EQ(readFile(album.prefix() + "0002.jpg"), album.imageBytes("0002"));
    EXPECT_FALSE(fileExists(album.prefix() + "0003.jpg"));
}

// Copies made beside a photo ("Copy of Smith_2_0003.jpg", "Smith_2_0003 - Copy.jpg") contain the
// family's file header and are photos of the album. Each row reaches only its own files: flagging a
// copy recycles the copy, and every row's caption goes to its own caption file.
TEST(SafeUpdate, CopiesBesideTheOriginalKeepTheirOwnFiles) {
    TestTrash trash;
    struct Case {
        const char* name;
        std::string flagged;  // base name of the row to flag, "" for none
    } cases[] = {{"flag the copy named before", "Copy of Smith_2_0003"},
                 {"flag the copy named after", "Smith_2_0003 - Copy"},
                 {"reverse and re-caption all", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        trash.empty();
        TestAlbum album({{"0002"}, {"0003"}});
        writeFile(album.file("Copy of Smith_2_0003.jpg"), "copy before " + album.temp.path());
        writeFile(album.file("Smith_2_0003 - Copy.jpg"), "copy after " + album.temp.path());
        album.rows.clear();
        ScriptedFeedback loading;
        loadAlbumRows(album.album.albumPath, album.album.fileHeader, false, album.rows, loading);
        ASSERT_EQ(rowTexts(album.rows), (std::vector<std::string>{"0003", "0002", "0003", "0003 - Copy"}));
        std::map<std::string, std::string> imageOf;  // base name before the update -> image bytes
        for (int i = 0; i < album.rows.count(); ++i) {
            std::string base = album.rows.entry(i)->baseName();
            imageOf[base] = readFile(album.file(base + ".jpg"));
            album.rows.entry(i)->setCaption("caption of " + base);
            if (base == c.flagged)
                album.rows.setImage(i, RowFlagged);
        }
        if (c.flagged.empty()) {
            album.rows.swapRows(0, 3);
            album.rows.swapRows(1, 2);
        }
        std::vector<std::string> expected;
        for (int i = 0; i < album.rows.count(); ++i)
            if (!album.rows.row(i).flagged())
                expected.push_back(album.rows.entry(i)->baseName());

        ShellFileOps ops;
        ScriptedFeedback feedback;
        RunResult run = update(album, ops, feedback);
        EXPECT_EQ(run.outcome, UpdateOutcome::Completed);
        // A copy has no caption file to recycle: that is asked about, as for any photo without one.
        EXPECT_EQ(feedback.promptDetails.size(), c.flagged.empty() ? 0u : 1u);
        ASSERT_EQ(album.rows.count(), int(expected.size()));
        for (int i = 0; i < album.rows.count(); ++i) {
            SCOPED_TRACE(expected[std::size_t(i)]);
            std::string base = album.prefix() + photoNumberText(i);
            EXPECT_EQ(album.rows.text(i), photoNumberText(i));
            EXPECT_EQ(readFile(base + ".jpg"), imageOf[expected[std::size_t(i)]]);
            EXPECT_EQ(readFile(base + ".txt"), "caption of " + expected[std::size_t(i)]);
        }
        for (int i = 0; i < album.rows.count(); ++i) {
            const std::string& was = expected[std::size_t(i)];
            std::string thumbnail = album.prefix() + photoNumberText(i) + "_thumb.jpg";
            if (was == "Smith_2_0002" || was == "Smith_2_0003") {
                EXPECT_EQ(readFile(thumbnail), album.thumbnailBytes(was.substr(8)));
            } else {
                EXPECT_FALSE(fileExists(thumbnail)) << thumbnail;
            }
        }
        if (!c.flagged.empty() && trash.visible()) {
            EXPECT_EQ(trashedCopiesOf(trash, imageOf[c.flagged]), 1);
        }
        EXPECT_EQ(filesOf(album.album.albumPath).size(), expected.size() * 2 + 2);
    }
}

// A caption file that cannot be written, whether making its new version or swapping it in fails,
// keeps the old caption whole; the failure is logged and put to the player, nothing is left
// beside the file, and the album stays marked changed since the caption is not applied.
TEST(SafeUpdate, CaptionWriteThatFailsKeepsTheOldCaptionWhole) {
    for (const char* failing : {"write ", "replace "}) {
        SCOPED_TRACE(failing);
        TestAlbum album({{"0000"}, {"0001"}});
        album.rows.entry(0)->setCaption("new first");
        album.rows.entry(1)->setCaption("new second, which will not be written");
        ShellFileOps shell;
        FaultyFileOps ops(shell);
        ops.failsWhen = [&ops, failing](int index, const std::string& path) {
            return ops.operations[std::size_t(index - 1)].rfind(failing, 0) == 0 &&
                   path.find("Smith_2_0001.txt") != std::string::npos;
        };
        LogCapture log(album.temp.file("velmora.log"));
        ScriptedFeedback feedback;
        RunResult run = update(album, ops, feedback);
        EXPECT_EQ(run.outcome, UpdateOutcome::Completed);
        EXPECT_TRUE(run.changed);
        ASSERT_EQ(feedback.promptDetails.size(), 1u);
        EXPECT_NE(feedback.promptDetails[0].find("write the caption file"), std::string::npos);
        EXPECT_NE(log.text().find("ERROR: Could not write caption file " + album.prefix() + "0001.txt\r\n"),
                  std::string::npos);
        EXPECT_EQ(readFile(album.prefix() + "0000.txt"), "new first");
        EXPECT_EQ(readFile(album.prefix() + "0001.txt"), album.captionBytes("0001"));
        EXPECT_EQ(filesOf(album.album.albumPath).size(), 6u);
    }
}

// What stands in the way of an update is found before any file moves and told in one message;
// nothing changes on disk, and the album stays marked changed.
TEST(SafeUpdate, FilesInTheWayStopTheUpdateBeforeAnythingChanges) {
    struct Case {
        const char* name;
        std::function<void(TestAlbum&)> arrange;
        std::string problem;
    } cases[] = {
        {"a stray file at a new name",
         [](TestAlbum& a) { writeFile(a.prefix() + "0001_thumb.jpg", "stray thumbnail " + a.temp.path()); },
         "The file Smith_2_0001_thumb.jpg stands where a renumbered photo must go, and it is no file of the photos "
         "in the list."},
        {"an image gone since loading",
         [](TestAlbum& a) { std::remove(nativePath(a.prefix() + "0005.jpg").c_str()); },
         "Photo 0005: its file Smith_2_0005.jpg is not in the album folder."},
        {"two rows on one file",
         [](TestAlbum& a) {
             a.rows.entry(0)->setBaseName("Smith_2_0005");
             a.rows.setText(0, "0005");
         },
         "Photos 0005 and 0005 both stand for the files of Smith_2_0005."},
        // (A file of the family's own would be brought back into the album first: this one differs in
        // case only, which on Windows is the same name.)
        {"a file in the work folder at a photo's name",
         [](TestAlbum& a) {
             makeFolders(a.workFolder());
             writeFile(a.workFolder() + "\\smith_2_0002.txt", "left over " + a.temp.path());
         },
         "The file VLM_TEMP\\Smith_2_0002.txt stands where photo 0002 must pass through the work folder."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum album({{"0002"}, {"0005", false}, {"0007"}});
        album.rows.swapRows(0, 2);
        c.arrange(album);
        auto before = filesOf(album.album.albumPath);
        auto workBefore = filesOf(album.workFolder());
        LogCapture log(album.temp.file("velmora.log"));
        ShellFileOps ops;
        ScriptedFeedback feedback;
        RunResult run = update(album, ops, feedback);
        EXPECT_EQ(run.outcome, UpdateOutcome::StoppedPlan);
        EXPECT_TRUE(run.changed);
        auto boxes = feedback.callsStartingWith("messageBox|Update Stopped|");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("\n" + c.problem + "\n"), std::string::npos) << boxes[0];
        EXPECT_NE(log.text().find("ERROR: " + c.problem + "\r\n"), std::string::npos);
        EXPECT_EQ(filesOf(album.album.albumPath), before);
        EXPECT_EQ(filesOf(album.workFolder()), workBefore);
        EXPECT_TRUE(feedback.promptDetails.empty());
    }
}

// The journal decides where the photos it lists go. One that names a place outside the album, or
// a photo of no photo name of the family, is not followed: the photos go back after the last one,
// as without a journal, and no file lands anywhere else.
TEST(SafeUpdate, AJournalThatLeadsOutOfTheAlbumIsNotFollowed) {
    struct Case {
        const char* name;
        const char* move;  // the journal's line for photo 0001
    } cases[] = {
        {"a new name up and out of the album", "Smith_2_0001\t..\\..\\Smith_2_0009"},
        {"a new name that is a whole path", "Smith_2_0001\tC:\\Smith_2_0009"},
        {"a new name that is no number of the family", "Smith_2_0001\tSmith_2_0009_thumb"},
        {"an old name of another family", "Lee_5_0001\tSmith_2_0002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestAlbum album({{"0000"}, {"0001"}, {"0002"}});
        makeFolders(album.workFolder());
        for (const char* suffix : {".jpg", ".txt", "_thumb.jpg"})
            ASSERT_EQ(std::rename(nativePath(album.prefix() + "0001" + suffix).c_str(),
                                  nativePath(album.workFolder() + "\\Smith_2_0001" + suffix).c_str()),
                      0);
        writeFile(album.workFolder() + "\\Smith_2_journal.vlm",
                  std::string("Velmora update journal\r\nphase moving back\r\nSmith_2_0000\tSmith_2_0001\r\n") +
                      c.move + "\r\n");
        auto outside = folderListing(album.temp.path());

        ShellFileOps ops;
        ScriptedFeedback feedback;
        RecoveryContext recovery{album.album, ops, feedback, false};
        RecoveryOutcome outcome = recoverInterruptedUpdate(recovery);

        EXPECT_EQ(outcome.stranded, 0);
        auto boxes = feedback.callsStartingWith("messageBox|Interrupted Update|");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("They go back into the album now"), std::string::npos) << boxes[0];
        EXPECT_EQ(readFile(album.prefix() + "0000.jpg"), album.imageBytes("0000"));
        EXPECT_EQ(readFile(album.prefix() + "0002.jpg"), album.imageBytes("0002"));
        EXPECT_EQ(readFile(album.prefix() + "0003.jpg"), album.imageBytes("0001"));
        EXPECT_EQ(readFile(album.prefix() + "0003.txt"), album.captionBytes("0001"));
        EXPECT_EQ(readFile(album.prefix() + "0003_thumb.jpg"), album.thumbnailBytes("0001"));
        EXPECT_FALSE(fileExists(album.workFolder()));
        EXPECT_EQ(folderListing(album.temp.path()), outside);
    }
}
