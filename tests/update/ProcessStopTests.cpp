#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/ScriptedFeedback.h"
#include "tests/update/FaultInjection.h"
#include "tests/update/FaultyFileOps.h"
#include "update/UpdateAlbum.h"

// The process really ends (power cut, task killed) right after any single file operation of an
// update: what it leaves on disk holds every photo whole, and opening the album again, to finish
// the update or to have the photos put back, brings every photo back into the album.
TEST(UpdateProcessStop, EndingTheProcessAfterAnyOperationLosesNoPhoto) {
    TestTrash trash;
    for (bool finish : {true, false}) {
        for (int stopAfter = 1;; ++stopAfter) {
            SCOPED_TRACE(std::string(finish ? "finish" : "put back") + ", stopped after operation " +
                         std::to_string(stopAfter));
            trash.empty();
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
            expectEveryPhotoWhole(album, trash, WorkFolder::MidPhoto);
            bool interrupted = photosInWorkFolder(album);
            openAgain(album, finish);
            expectAlbumWholeAfterOpening(album, trash, finish && interrupted);
            if (WEXITSTATUS(status) == 3) {
                EXPECT_GT(stopAfter, 40);
                break;
            }
        }
    }
}
