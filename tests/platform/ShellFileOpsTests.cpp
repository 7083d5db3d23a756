#include <gtest/gtest.h>

#include <functional>

#include "platform/FileSystem.h"
#include "platform/ShellFileOps.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestTrash.h"

// These run against the backend of the build: rename and the Trash natively, SHFileOperation under
// Wine. Both must keep the same promises.

class ShellFileOpsTest : public ::testing::Test {
protected:
    TestTrash trash;
    TempFolder temp;
    ShellFileOps ops;
};

TEST_F(ShellFileOpsTest, MoveAndCopyReachTheDestinationWithTheSameBytes) {
    writeFile(temp.file("a.jpg"), std::string("image\0\r\n\xff", 9));
    makeFolders(temp.file("work"));
    EXPECT_EQ(ops.move(temp.file("a.jpg"), temp.file("work\\b.jpg")), 0);
    EXPECT_FALSE(fileExists(temp.file("a.jpg")));
    EXPECT_EQ(readFile(temp.file("work\\b.jpg")), std::string("image\0\r\n\xff", 9));

    EXPECT_EQ(ops.copy(temp.file("work\\b.jpg"), temp.file("c.jpg")), 0);
    EXPECT_EQ(readFile(temp.file("work\\b.jpg")), std::string("image\0\r\n\xff", 9));
    EXPECT_EQ(readFile(temp.file("c.jpg")), std::string("image\0\r\n\xff", 9));
}

// A taken destination is never replaced, nor does the file go to another name: the operation
// fails with "file exists" and both files stay as they were, also when the taken name differs only
// in case (one and the same file on Windows).
TEST_F(ShellFileOpsTest, TakenDestinationIsRefusedAndNothingMoves) {
    using Operation = std::function<int(ShellFileOps&, const std::string&, const std::string&)>;
    struct Case {
        const char* name;
        Operation operation;
    } cases[] = {
        {"move", [](ShellFileOps& o, const std::string& f, const std::string& t) { return o.move(f, t); }},
        {"copy", [](ShellFileOps& o, const std::string& f, const std::string& t) { return o.copy(f, t); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeFile(folder.file("new.jpg"), "newcomer");
        writeFile(folder.file("X_0001.jpg"), "stray");
        EXPECT_EQ(c.operation(ops, folder.file("new.jpg"), folder.file("X_0001.jpg")), ResultFileExists);
        EXPECT_EQ(readFile(folder.file("X_0001.jpg")), "stray");
        EXPECT_EQ(readFile(folder.file("new.jpg")), "newcomer");
        EXPECT_EQ(folderListing(folder.path()), (std::vector<std::string>{"X_0001.jpg", "new.jpg"}));
    }
}

// A new file is written whole or not at all, and never over an existing one.
TEST_F(ShellFileOpsTest, WriteNewFileCreatesOnlyWhatIsNotThere) {
    std::string bytes("line one\r\nline \xe9\0two", 20);
    EXPECT_EQ(ops.writeNewFile(temp.file("a.txt"), bytes), 0);
    EXPECT_EQ(readFile(temp.file("a.txt")), bytes);
    EXPECT_EQ(ops.writeNewFile(temp.file("a.txt"), "other"), ResultFileExists);
    EXPECT_EQ(readFile(temp.file("a.txt")), bytes);
    EXPECT_EQ(ops.writeNewFile(temp.file("empty.txt"), ""), 0);
    EXPECT_EQ(readFile(temp.file("empty.txt")), "");
    EXPECT_NE(ops.writeNewFile(temp.file("nofolder\\a.txt"), "x"), 0);
    EXPECT_FALSE(fileExists(temp.file("nofolder")));
}

// Replacing swaps the new version in; a read-only file is
// refused, as Windows refuses to replace one.
TEST_F(ShellFileOpsTest, ReplaceFileSwapsInTheNewVersion) {
    writeFile(temp.file("caption.txt"), "old caption");
    writeFile(temp.file("caption.txt.new"), "new caption");
    EXPECT_EQ(ops.replaceFile(temp.file("caption.txt.new"), temp.file("caption.txt")), 0);
    EXPECT_EQ(readFile(temp.file("caption.txt")), "new caption");
    EXPECT_FALSE(fileExists(temp.file("caption.txt.new")));

    writeFile(temp.file("caption.txt.new"), "newer caption");
    setReadOnly(temp.file("caption.txt"));
    EXPECT_NE(ops.replaceFile(temp.file("caption.txt.new"), temp.file("caption.txt")), 0);
    EXPECT_EQ(readFile(temp.file("caption.txt")), "new caption");
    EXPECT_EQ(readFile(temp.file("caption.txt.new")), "newer caption");

    EXPECT_EQ(ops.replaceFile(temp.file("missing.txt"), temp.file("other.txt")), ResultFileNotFound);
    EXPECT_FALSE(fileExists(temp.file("other.txt")));
}

// Wine's shell reports success for some of these; the backend must not.
TEST_F(ShellFileOpsTest, MissingSourceFailsWithFileNotFound) {
    makeFolders(temp.file("work"));
    std::string missing = temp.file("missing.jpg");
    std::string inMissingFolder = temp.file("nofolder\\missing.jpg");
    for (const auto& path : {missing, inMissingFolder}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ops.move(path, temp.file("work\\x.jpg")), ResultFileNotFound);
        EXPECT_EQ(ops.copy(path, temp.file("work\\x.jpg")), ResultFileNotFound);
        EXPECT_EQ(ops.remove(path, false), ResultFileNotFound);
        EXPECT_EQ(ops.remove(path, true), ResultFileNotFound);
    }
    EXPECT_EQ(folderListing(temp.file("work")), std::vector<std::string>{});
}

TEST_F(ShellFileOpsTest, MoveIntoAMissingFolderFailsAndKeepsTheFile) {
    writeFile(temp.file("a.jpg"), "a");
    EXPECT_NE(ops.move(temp.file("a.jpg"), temp.file("nofolder\\a.jpg")), 0);
    EXPECT_EQ(readFile(temp.file("a.jpg")), "a");
}

// A family's first scrapbook images are copied into folders that do not exist yet.
TEST_F(ShellFileOpsTest, CopyMakesTheDestinationFolders) {
    writeFile(temp.file("a.jpg"), "a");
    EXPECT_EQ(ops.copy(temp.file("a.jpg"), temp.file("Family\\FamilyGFX\\scrapbook1.jpg")), 0);
    EXPECT_EQ(readFile(temp.file("Family\\FamilyGFX\\scrapbook1.jpg")), "a");
    EXPECT_NE(ops.copy(temp.file("missing.jpg"), temp.file("Other\\x.jpg")), 0);
    EXPECT_FALSE(fileExists(temp.file("Other")));
}

// The shell's path buffers hold 262 characters; a longer path is refused before anything happens.
TEST_F(ShellFileOpsTest, PathsLongerThanTheShellBufferAreRefused) {
    std::string folder = temp.path() + "\\";
    std::string longButFine = folder + std::string(240 - folder.size() - 4, 'n') + ".jpg";
    std::string tooLong = folder + std::string(MaxShellPathLength - folder.size() - 3, 'n') + ".jpg";
    writeFile(temp.file("a.jpg"), "a");

    EXPECT_EQ(ops.move(temp.file("a.jpg"), tooLong), ResultPathTooLong);
    EXPECT_EQ(ops.copy(temp.file("a.jpg"), tooLong), ResultPathTooLong);
    EXPECT_EQ(ops.move(tooLong, temp.file("b.jpg")), ResultPathTooLong);
    EXPECT_EQ(ops.remove(tooLong, true), ResultPathTooLong);
    EXPECT_EQ(readFile(temp.file("a.jpg")), "a");
    EXPECT_FALSE(fileExists(tooLong));

    EXPECT_EQ(ops.move(temp.file("a.jpg"), longButFine), 0);
    EXPECT_EQ(readFile(longButFine), "a");

    // A taken name at the length limit is refused as taken; nothing looks for another name.
    std::string atTheLimit = folder + std::string(MaxShellPathLength - folder.size() - 4, 'n') + ".jpg";
    writeFile(atTheLimit, "taken");
    if (!fileExists(atTheLimit))
        return;  // the system's own path limit is shorter than the shell's
    writeFile(temp.file("b.jpg"), "b");
    EXPECT_EQ(ops.copy(temp.file("b.jpg"), atTheLimit), ResultFileExists);
    EXPECT_EQ(readFile(atTheLimit), "taken");
}

TEST_F(ShellFileOpsTest, ExistsSeesFilesAndFolders) {
    writeFile(temp.file("a.jpg"), "a");
    makeFolders(temp.file("VLM_TEMP"));
    EXPECT_TRUE(ops.exists(temp.file("a.jpg")));
    EXPECT_TRUE(ops.exists(temp.file("VLM_TEMP")));
    EXPECT_FALSE(ops.exists(temp.file("b.jpg")));
    EXPECT_FALSE(ops.exists(temp.file("nofolder\\b.jpg")));
}

TEST_F(ShellFileOpsTest, RecycledFilesGoToTheTrashAndPermanentDeletesDoNot) {
    std::string token = temp.path();  // unique to this run, as a Trash under Wine outlives it
    writeFile(temp.file("recycled.jpg"), "recycled " + token);
    writeFile(temp.file("deleted.jpg"), "deleted " + token);
    EXPECT_EQ(ops.remove(temp.file("recycled.jpg"), false), 0);
    EXPECT_EQ(ops.remove(temp.file("deleted.jpg"), true), 0);
    EXPECT_FALSE(fileExists(temp.file("recycled.jpg")));
    EXPECT_FALSE(fileExists(temp.file("deleted.jpg")));
    if (!trash.visible())
        GTEST_SKIP() << "the Recycle Bin cannot be looked into here";
    int recycled = 0, deleted = 0;
    for (const auto& path : trash.trashedFiles()) {
        recycled += readFile(path) == "recycled " + token;
        deleted += readFile(path) == "deleted " + token;
    }
    EXPECT_EQ(recycled, 1);
    EXPECT_EQ(deleted, 0);
}

// A move after a Recycle Bin delete runs with the flags the delete left; it must still be a move.
TEST_F(ShellFileOpsTest, OneInstanceServesASequenceOfDifferentOperations) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        writeFile(temp.file(name), name);
    makeFolders(temp.file("work"));
    EXPECT_EQ(ops.remove(temp.file("a.jpg"), false), 0);
    EXPECT_EQ(ops.move(temp.file("b.jpg"), temp.file("work\\b.jpg")), 0);
    EXPECT_EQ(ops.copy(temp.file("c.jpg"), temp.file("work\\c.jpg")), 0);
    EXPECT_EQ(ops.remove(temp.file("c.jpg"), true), 0);
    EXPECT_EQ(ops.move(temp.file("work\\c.jpg"), temp.file("c.jpg")), 0);
    EXPECT_EQ(folderListing(temp.path()), (std::vector<std::string>{"c.jpg", "work"}));
    EXPECT_EQ(folderListing(temp.file("work")), std::vector<std::string>{"b.jpg"});
    EXPECT_EQ(readFile(temp.file("c.jpg")), "c.jpg");
}

// A file another program holds open cannot be moved or recycled; Wine's shell says it could. The
// result must tell the truth, and the file stays where it was.
#ifdef _WIN32
#include <windows.h>

TEST_F(ShellFileOpsTest, AFileHeldOpenElsewhereIsReportedAsNotMoved) {
    writeFile(temp.file("held.jpg"), "held");
    HANDLE held = CreateFileA(temp.file("held.jpg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NE(ops.move(temp.file("held.jpg"), temp.file("moved.jpg")), 0);
    EXPECT_NE(ops.remove(temp.file("held.jpg"), false), 0);
    CloseHandle(held);
    EXPECT_EQ(readFile(temp.file("held.jpg")), "held");
    EXPECT_FALSE(fileExists(temp.file("moved.jpg")));
    EXPECT_EQ(ops.move(temp.file("held.jpg"), temp.file("moved.jpg")), 0);
    EXPECT_EQ(readFile(temp.file("moved.jpg")), "held");
}
#endif
