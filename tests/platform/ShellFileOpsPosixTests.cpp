#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/NativePath.h"
#include "platform/ShellFileOps.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestTrash.h"

namespace fs = std::filesystem;

namespace {
// /dev/shm is a file system of its own on most Linux systems; tests of moves across file systems
// need one.
std::string otherFileSystemFolder(const std::string& near) {
    struct stat a, b;
    if (::stat("/dev/shm", &a) != 0 || ::stat(nativePath(near).c_str(), &b) != 0 || a.st_dev == b.st_dev ||
        ::access("/dev/shm", W_OK) != 0)
        return std::string();
    return "\\dev\\shm\\velmora-other-" + std::to_string(::getpid());
}
}  // namespace

class ShellFileOpsPosixTest : public ::testing::Test {
protected:
    TestTrash trash;
    TempFolder temp;
    ShellFileOps ops;
};

TEST_F(ShellFileOpsPosixTest, TrashKeepsAnInfoFileAndSameNamedFilesApart) {
    makeFolders(temp.file("a"));
    makeFolders(temp.file("b"));
    writeFile(temp.file("a\\X 1%.jpg"), "first");
    writeFile(temp.file("b\\X 1%.jpg"), "second");
    ASSERT_EQ(ops.remove(temp.file("a\\X 1%.jpg"), false), 0);
    ASSERT_EQ(ops.remove(temp.file("b\\X 1%.jpg"), false), 0);

    EXPECT_EQ(readFile(trash.files() + "\\X 1%.jpg"), "first");
    EXPECT_EQ(readFile(trash.files() + "\\X 1% (2).jpg"), "second");
    std::string info = readFile(trash.files() + "\\..\\info\\X 1%.jpg.trashinfo");
    std::string expectedPath = nativePath(temp.file("a\\X%201%25.jpg"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + expectedPath + "\nDeletionDate=", 0), 0u) << info;
    EXPECT_TRUE(fileExists(trash.files() + "\\..\\info\\X 1% (2).jpg.trashinfo"));
}

// A photo flagged for deletion must never be deleted for good because the Trash failed.
TEST_F(ShellFileOpsPosixTest, FileTheTrashCannotTakeStays) {
    writeFile(temp.file("photo.jpg"), "photo");
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    ASSERT_NE(dataHome, nullptr);
    std::string saved = dataHome;

    struct Case {
        const char* name;
        std::string dataHome;
    };
    TempFolder blocked;
    writeFile(blocked.file("Trash"), "a file where the Trash folder belongs");
    std::vector<Case> cases = {{"Trash is not a folder", nativePath(blocked.path())}};
    std::string other = otherFileSystemFolder(temp.path());
    if (!other.empty())
        cases.push_back({"Trash on another file system", nativePath(other)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::setenv("XDG_DATA_HOME", c.dataHome.c_str(), 1);
        EXPECT_NE(ops.remove(temp.file("photo.jpg"), false), 0);
        EXPECT_EQ(readFile(temp.file("photo.jpg")), "photo");
    }
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    if (!other.empty())
        fs::remove_all(nativePath(other));
}

TEST_F(ShellFileOpsPosixTest, MoveAcrossFileSystemsCopiesThenRemoves) {
    std::string other = otherFileSystemFolder(temp.path());
    if (other.empty())
        GTEST_SKIP() << "no second file system to move to";
    makeFolders(other);
    writeFile(temp.file("a.jpg"), "across");
    writeFile(other + "\\a.jpg", "stray");
    EXPECT_EQ(ops.move(temp.file("a.jpg"), other + "\\a.jpg"), ResultFileExists);
    EXPECT_EQ(readFile(temp.file("a.jpg")), "across");
    EXPECT_EQ(readFile(other + "\\a.jpg"), "stray");
    EXPECT_EQ(ops.move(temp.file("a.jpg"), other + "\\b.jpg"), 0);
    EXPECT_FALSE(fileExists(temp.file("a.jpg")));
    EXPECT_EQ(readFile(other + "\\b.jpg"), "across");
    EXPECT_EQ(ops.move(other + "\\b.jpg", temp.file("back.jpg")), 0);
    EXPECT_EQ(readFile(temp.file("back.jpg")), "across");
    EXPECT_FALSE(fileExists(other + "\\b.jpg"));
    fs::remove_all(nativePath(other));
}

// A disk that fills up halfway through a new file: the write fails and leaves no partial file,
// so a caption file's old version is never traded for a cut-off new one.
TEST_F(ShellFileOpsPosixTest, NewFileCutShortByAFullDiskLeavesNothing) {
    std::string path = temp.file("caption.txt.vlmtmp");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Files may grow to 16 bytes in this process; writing past that fails as a full disk does.
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ShellFileOps ops;
        int result = ops.writeNewFile(path, std::string(100, 'c'));
        std::_Exit(result == 0 ? 1 : fileExists(path) ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << (WEXITSTATUS(status) == 1 ? "the cut-short write succeeded"
                                                                     : "a partial file was left");
    EXPECT_FALSE(fileExists(path));
}
