#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "platform/ShellFileOps.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestTrash.h"

// These run against the backend of the build: rename and the Trash natively, SHFileOperation under
// Wine. Both must keep the same promises.

TEST(FreeDestinationName, NumbersBeforeTheExtensionInTheSameFolder) {
    std::set<std::string> taken = {"C:\\a\\x.jpg", "C:\\a\\x (2).jpg", "C:\\a.b\\noext", "C:\\a\\.hidden"};
    auto isTaken = [&](const std::string& path) { return taken.count(path) > 0; };
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\a\\free.jpg", "C:\\a\\free.jpg"},
        {"C:\\a\\x.jpg", "C:\\a\\x (3).jpg"},
        {"C:\\a.b\\noext", "C:\\a.b\\noext (2)"},
        {"C:\\a\\.hidden", "C:\\a\\.hidden (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(freeDestinationName(c.path, isTaken), c.expected);
    }
}

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

// A taken destination never loses its file: the newcomer gets the next free name and the result
// is success, for moves and copies alike, also when several names are taken already.
TEST_F(ShellFileOpsTest, TakenDestinationSendsTheFileToAFreeName) {
    using Operation = std::function<int(ShellFileOps&, const std::string&, const std::string&)>;
    struct Case {
        const char* name;
        Operation operation;
        bool sourceStays;
    } cases[] = {
        {"move", [](ShellFileOps& o, const std::string& f, const std::string& t) { return o.move(f, t); }, false},
        {"copy", [](ShellFileOps& o, const std::string& f, const std::string& t) { return o.copy(f, t); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeFile(folder.file("new.jpg"), "newcomer 1");
        writeFile(folder.file("X_0001.jpg"), "stray");
        EXPECT_EQ(c.operation(ops, folder.file("new.jpg"), folder.file("X_0001.jpg")), 0);
        EXPECT_EQ(readFile(folder.file("X_0001.jpg")), "stray");
        EXPECT_EQ(readFile(folder.file("X_0001 (2).jpg")), "newcomer 1");
        EXPECT_EQ(fileExists(folder.file("new.jpg")), c.sourceStays);

        writeFile(folder.file("new.jpg"), "newcomer 2");
        EXPECT_EQ(c.operation(ops, folder.file("new.jpg"), folder.file("X_0001.jpg")), 0);
        EXPECT_EQ(readFile(folder.file("X_0001.jpg")), "stray");
        EXPECT_EQ(readFile(folder.file("X_0001 (2).jpg")), "newcomer 1");
        EXPECT_EQ(readFile(folder.file("X_0001 (3).jpg")), "newcomer 2");
    }
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

    // The search for a free name stops at the length limit instead of going on for ever.
    std::string atTheLimit = folder + std::string(MaxShellPathLength - folder.size() - 4, 'n') + ".jpg";
    writeFile(atTheLimit, "taken");
    if (!fileExists(atTheLimit))
        return;  // the system's own path limit is shorter than the shell's
    writeFile(temp.file("b.jpg"), "b");
    EXPECT_EQ(ops.copy(temp.file("b.jpg"), atTheLimit), ResultPathTooLong);
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
