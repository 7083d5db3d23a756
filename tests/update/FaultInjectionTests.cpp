#include <gtest/gtest.h>

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
};

RunResult runUpdate(TestAlbum& album, int failAt, PromptAnswer answer) {
    ShellFileOps shell;
    FaultyFileOps ops(shell);
    ops.failsWhen = [failAt](int index, const std::string&) { return index == failAt; };
    ScriptedFeedback feedback;
    feedback.promptAnswers = {answer};
    UpdateContext context{album.rows, album.album, album.settings, feedback, ops, nullptr, nullptr, nullptr};
    RunResult run{updateAlbum(context), "", int(feedback.promptDetails.size())};
    if (ops.failedIndex)
        run.failedOperation = ops.operations[std::size_t(ops.failedIndex - 1)];
    return run;
}

// The photo number of the row a failed operation belonged to: the four digits after the header.
std::string numberIn(const std::string& operation) {
    auto at = operation.rfind("Smith_2_");
    return operation.substr(at + 8, 4);
}

// The rows a run must leave, as "number" or "number*" (flagged), from where it stopped.
std::vector<std::string> expectedRows(UpdateOutcome outcome, const std::string& failedNumber) {
    std::vector<std::string> rows;
    switch (outcome) {
    case UpdateOutcome::StoppedRecycling: {
        // Flagged rows before the failing one are gone; it and the later ones stay flagged.
        bool reached = false;
        for (const auto& text : editedOrder()) {
            reached = reached || text.substr(0, 4) == failedNumber;
            if (reached || text.size() == 4)
                rows.push_back(text);
        }
        return rows;
    }
    case UpdateOutcome::StoppedMovingOut: return keptOrder();
    case UpdateOutcome::StoppedMovingBack: {
        // Rows before the failing one carry their new numbers, the rest their old ones.
        bool reached = false;
        auto kept = keptOrder();
        for (int i = 0; i < int(kept.size()); ++i) {
            reached = reached || kept[std::size_t(i)] == failedNumber;
            rows.push_back(reached ? kept[std::size_t(i)] : photoNumberText(i));
        }
        return rows;
    }
    default:
        for (int i = 0; i < int(keptOrder().size()); ++i)
            rows.push_back(photoNumberText(i));
        return rows;
    }
}

std::vector<std::string> rowTexts(const TestAlbum& album) {
    std::vector<std::string> texts;
    for (int i = 0; i < album.rows.count(); ++i) {
        texts.push_back(album.rows.text(i) + (album.rows.row(i).flagged() ? "*" : ""));
        EXPECT_EQ(album.rows.entry(i)->baseName(), "Smith_2_" + album.rows.text(i));
    }
    return texts;
}

int operationsOfACleanRun() {
    TestAlbum album(faultTestPhotos());
    editForUpdate(album);
    ShellFileOps shell;
    FaultyFileOps ops(shell);
    ScriptedFeedback feedback;
    UpdateContext context{album.rows, album.album, album.settings, feedback, ops, nullptr, nullptr, nullptr};
    EXPECT_EQ(updateAlbum(context), UpdateOutcome::Completed);
    return int(ops.operations.size());
}
}  // namespace

// Every single remove or move of an update fails in turn, and the user answers Yes, Yes to All or
// No: no photo, thumbnail or caption may be lost, doubled or overwritten, and the rows must show
// where the run stopped.
TEST(UpdateFaultInjection, EveryFailedOperationLeavesEveryFileExactlyOnce) {
    TestTrash trash;
    int operations = operationsOfACleanRun();
    ASSERT_GT(operations, 30);
    for (int failAt = 1; failAt <= operations; ++failAt) {
        for (PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::YesToAll, PromptAnswer::No}) {
            SCOPED_TRACE("operation " + std::to_string(failAt) + ", answer " + answerName(answer));
            TestAlbum album(faultTestPhotos());
            editForUpdate(album);
            RunResult run = runUpdate(album, failAt, answer);
            SCOPED_TRACE(run.failedOperation);
            ASSERT_FALSE(run.failedOperation.empty());
            // A file that failed to move out is missing when its row moves back: a second prompt.
            EXPECT_GE(run.prompts, 1);

            UpdateOutcome expected = UpdateOutcome::Completed;
            if (answer == PromptAnswer::No) {
                bool recycling = run.failedOperation.rfind("remove ", 0) == 0;
                bool movingBack = run.failedOperation.find("VLM_TEMP") != std::string::npos;
                expected = recycling    ? UpdateOutcome::StoppedRecycling
                           : movingBack ? UpdateOutcome::StoppedMovingBack
                                        : UpdateOutcome::StoppedMovingOut;
            }
            EXPECT_EQ(run.outcome, expected);
            EXPECT_EQ(rowTexts(album), expectedRows(expected, numberIn(run.failedOperation)));
            expectNothingLost(album, trash);
            EXPECT_EQ(fileExists(album.workFolder()),
                      expected == UpdateOutcome::StoppedMovingOut || expected == UpdateOutcome::StoppedMovingBack ||
                          (expected == UpdateOutcome::Completed && run.failedOperation.find("VLM_TEMP") !=
                                                                       std::string::npos));
        }
    }
}
