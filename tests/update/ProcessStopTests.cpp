#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/ScriptedFeedback.h"
#include "tests/update/FaultInjection.h"
#include "tests/update/FaultyFileOps.h"
#include "update/UpdateAlbum.h"

// The process ends (power cut, task killed) right after any single file operation of an update:
// whatever it leaves on disk must still hold every photo, thumbnail and caption exactly once.
TEST(UpdateProcessStop, EndingTheProcessAfterAnyOperationLosesNoFile) {
    TestTrash trash;
    for (int stopAfter = 1;; ++stopAfter) {
        SCOPED_TRACE("stopped after operation " + std::to_string(stopAfter));
        TestAlbum album(faultTestPhotos());
        editForUpdate(album);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ShellFileOps shell;
            FaultyFileOps ops(shell);
            ops.afterEach = [stopAfter](int index) {
                if (index == stopAfter)
                    std::_Exit(0);
            };
            ScriptedFeedback feedback;
            UpdateContext context{album.rows, album.album, album.settings, feedback, ops, nullptr, nullptr, nullptr};
            updateAlbum(context);
            std::_Exit(3);  // the update ended before operation stopAfter
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        expectNothingLost(album, trash);
        if (WEXITSTATUS(status) == 3) {
            EXPECT_GT(stopAfter, 30);
            EXPECT_FALSE(fileExists(album.workFolder()));
            break;
        }
    }
}
