#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FileSystem.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/update/FaultInjection.h"
#include "tests/update/FaultyFileOps.h"
#include "update/UpdateAlbum.h"

namespace {
const char* answerName(PromptAnswer answer) {
    switch (answer) {
    case PromptAnswer::Yes: return "Yes";
    case PromptAnswer::YesToAll: return "Yes to All";
    case PromptAnswer::No: return "No";
    case PromptAnswer::NoToAll: return "No to All";
    }
    return "";
}

struct RunResult {
    UpdateOutcome outcome;
    std::string failedOperation;  // "move <path>" etc.
    int prompts;
    bool changed;  // the album's unapplied-changes flag after the run
};

RunResult runUpdate(TestAlbum& album, FaultyFileOps& ops, ScriptedFeedback& feedback) {
    bool changed = true;
    UpdateContext context{album.rows, album.album, album.settings, feedback, ops, nullptr,
                          [&changed](bool flag) { changed = flag; }, nullptr};
    RunResult run{updateAlbum(context), "", int(feedback.promptDetails.size()), changed};
    run.prompts = int(feedback.promptDetails.size());
    if (ops.failedIndex)
        run.failedOperation = ops.operations[std::size_t(ops.failedIndex - 1)];
    return run;
}

RunResult runUpdateFailingAt(TestAlbum& album, int failAt, PromptAnswer answer) {
    ShellFileOps shell;
    FaultyFileOps ops(shell);
    ops.failsWhen = [failAt](int index, const std::string&) { return index == failAt; };
    ScriptedFeedback feedback;
    feedback.promptAnswers = {answer};
    return runUpdate(album, ops, feedback);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Where a run that failed at this one operation must end.
UpdateOutcome expectedOutcome(const std::string& operation, PromptAnswer answer) {
    bool journal = contains(operation, "journal.vlm");
    if (journal && operation.rfind("remove ", 0) != 0)
        return UpdateOutcome::StoppedJournal;  // no update goes on without its journal
    if (operation.rfind("create ", 0) == 0)
        return UpdateOutcome::StoppedWorkFolder;
    if (operation.rfind("rmdir ", 0) == 0)
        return UpdateOutcome::Completed;  // told in a message; every photo is home already
    if (journal || goesOn(answer))
        return UpdateOutcome::Completed;
    if (contains(operation, ".vlmtmp") || (operation.rfind("replace ", 0) == 0))
        return UpdateOutcome::StoppedCaptions;
    if (operation.rfind("remove ", 0) == 0)
        return UpdateOutcome::StoppedRecycling;
    return contains(operation, "VLM_TEMP") ? UpdateOutcome::StoppedMovingBack : UpdateOutcome::StoppedMovingOut;
}

// Whether every change of the edits reached the disk.
bool updateApplied(const TestAlbum& album) {
    auto kept = keptOrder();
    if (album.rows.count() != int(kept.size()) || fileExists(album.workFolder() + "\\Smith_2_0000.jpg"))
        return false;
    for (int i = 0; i < album.rows.count(); ++i) {
        std::string base = album.prefix() + photoNumberText(i);
        if (album.rows.text(i) != photoNumberText(i) || album.rows.row(i).inWorkFolder() ||
            readFile(base + ".jpg") != album.imageBytes(kept[std::size_t(i)]) ||
            readFile(base + ".txt") != newCaptionOf(album, kept[std::size_t(i)]))
            return false;
    }
    return true;
}

int operationsOfACleanRun() {
    TestAlbum album(faultTestPhotos());
    editForUpdate(album);
    ShellFileOps shell;
    FaultyFileOps ops(shell);
    ScriptedFeedback feedback;
    RunResult run = runUpdate(album, ops, feedback);
    EXPECT_EQ(run.outcome, UpdateOutcome::Completed);
    EXPECT_FALSE(run.changed);
    expectUpdateApplied(album);
    EXPECT_FALSE(fileExists(album.workFolder()));
    return int(ops.operations.size());
}

struct Killed {};
}  // namespace

// Every single operation of an update fails in turn, and the user answers Yes, Yes to All or No:
// every photo stays whole in one place (G1), every row holds the photo it stands for (G2), nothing
// is overwritten or cut short (the bytes of every file are checked), and the album stays marked
// changed exactly while some change is not applied (G4).
TEST(UpdateFaultInjection, EveryFailedOperationKeepsEveryPhotoWholeAndInItsRow) {
    TestTrash trash;
    int operations = operationsOfACleanRun();
    ASSERT_GT(operations, 40);
    for (int failAt = 1; failAt <= operations; ++failAt) {
        for (PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::YesToAll, PromptAnswer::No}) {
            SCOPED_TRACE("operation " + std::to_string(failAt) + ", answer " + answerName(answer));
            trash.empty();
            TestAlbum album(faultTestPhotos());
            editForUpdate(album);
            RunResult run = runUpdateFailingAt(album, failAt, answer);
            SCOPED_TRACE(run.failedOperation);
            ASSERT_FALSE(run.failedOperation.empty());

            UpdateOutcome expected = expectedOutcome(run.failedOperation, answer);
            EXPECT_EQ(run.outcome, expected);
            // Failures of the update's own folder and journal are told in a message, not asked about.
            bool ownFile = contains(run.failedOperation, "journal.vlm") || run.failedOperation.rfind("create ", 0) == 0 ||
                           run.failedOperation.rfind("rmdir ", 0) == 0;
            EXPECT_EQ(run.prompts >= 1, !ownFile);
            bool stoppedAmidMoves = expected == UpdateOutcome::StoppedMovingOut ||
                                    expected == UpdateOutcome::StoppedMovingBack ||
                                    expected == UpdateOutcome::StoppedJournal;
            expectEveryPhotoWhole(album, trash, stoppedAmidMoves ? WorkFolder::Allowed : WorkFolder::Empty);
            expectRowsHoldTheirPhotos(album);
            EXPECT_EQ(run.changed, run.outcome != UpdateOutcome::Completed || !updateApplied(album));
            if (!run.changed)
                expectUpdateApplied(album);
        }
    }
}

// The process ends (power cut, task killed) right after any single file operation of an update;
// then the album is opened again and the user finishes the update or has the photos put back.
// Every photo is whole in the album folder (or, flagged, in the Trash), every row holds a photo,
// no kept photo is missing, and a finished update gives the order the user made.
TEST(UpdateCutShort, OpeningAgainAfterAStopAtAnyOperationBringsEveryPhotoBack) {
    TestTrash trash;
    int operations = operationsOfACleanRun();
    for (bool finish : {true, false}) {
        for (int stopAfter = 1; stopAfter <= operations; ++stopAfter) {
            SCOPED_TRACE(std::string(finish ? "finish" : "put back") + ", stopped after operation " +
                         std::to_string(stopAfter));
            trash.empty();
            TestAlbum album(faultTestPhotos());
            editForUpdate(album);
            ShellFileOps shell;
            FaultyFileOps ops(shell);
            ops.afterEach = [stopAfter](int index) {
                if (index == stopAfter)
                    throw Killed{};
            };
            ScriptedFeedback feedback;
            try {
                UpdateContext context{album.rows, album.album, album.settings, feedback, ops, nullptr, nullptr, nullptr};
                updateAlbum(context);
                ADD_FAILURE() << "the update ended before the stop";
            } catch (const Killed&) {
            }
            expectEveryPhotoWhole(album, trash, WorkFolder::MidPhoto);
            bool interrupted = photosInWorkFolder(album);
            openAgain(album, finish);
            expectAlbumWholeAfterOpening(album, trash, finish && interrupted);
        }
    }
}

// A stop in either move pass, then Update pressed again: the photos left in the work folder come
// back first (the earlier update finished, or the photos put back), and the second run applies
// every change.
TEST(UpdateFaultInjection, UpdatingAgainAfterAStopInAMovePassAppliesEverything) {
    TestTrash trash;
    struct Case {
        const char* name;
        std::string failingMove;  // a part of the path of the move that fails
        bool finish;
    } cases[] = {
        {"stop moving out, finish", "move " + std::string(), true},
        {"stop moving back, finish", "VLM_TEMP", true},
        {"stop moving out, put back", "move " + std::string(), false},
        {"stop moving back, put back", "VLM_TEMP", false},
    };
    for (const auto& c : cases) {
        for (const std::string& row : {std::string("Smith_2_0005.jpg"), std::string("Smith_2_0002.txt")}) {
            SCOPED_TRACE(std::string(c.name) + " at " + row);
            trash.empty();
            TestAlbum album(faultTestPhotos());
            editForUpdate(album);
            ShellFileOps shell;
            FaultyFileOps ops(shell);
            bool inWorkFolder = c.failingMove == "VLM_TEMP";
            ops.failsWhen = [&](int index, const std::string& path) {
                return ops.operations[std::size_t(index - 1)].rfind("move ", 0) == 0 && contains(path, row) &&
                       contains(path, "VLM_TEMP") == inWorkFolder;
            };
            ScriptedFeedback feedback;
            feedback.promptAnswers = {PromptAnswer::No};
            RunResult first = runUpdate(album, ops, feedback);
            EXPECT_EQ(first.outcome, inWorkFolder ? UpdateOutcome::StoppedMovingBack : UpdateOutcome::StoppedMovingOut);
            EXPECT_TRUE(first.changed);
            expectEveryPhotoWhole(album, trash, WorkFolder::Allowed);
            expectRowsHoldTheirPhotos(album);

            ShellFileOps again;
            FaultyFileOps clean(again);
            ScriptedFeedback answers;
            answers.messageBoxAnswers = {msgbox::IdYes, c.finish ? msgbox::IdYes : msgbox::IdNo};
            RunResult second = runUpdate(album, clean, answers);
            EXPECT_EQ(second.outcome, UpdateOutcome::Completed);
            EXPECT_FALSE(second.changed);
            EXPECT_EQ(answers.callsStartingWith("messageBox|Interrupted Update").size(), 1u);
            EXPECT_TRUE(answers.promptDetails.empty());
            expectEveryPhotoWhole(album, trash, WorkFolder::Empty);
            expectUpdateApplied(album);
            EXPECT_FALSE(fileExists(album.workFolder()));
        }
    }
}
