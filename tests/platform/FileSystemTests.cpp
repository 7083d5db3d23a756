#include <gtest/gtest.h>

#include "diag/SystemErrorText.h"
#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

TEST(WildcardMatch, FollowsWindowsPatterns) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.jpg", "Smith_12_0001.jpg", true},
        {"*.jpg", "PHOTO.JPG", true},
        {"*.jpg", "photo.jpeg", false},
        {"*.jpg", "photo.jpg.txt", false},
        {"*_thumb.jpg", "a_0001_thumb.jpg", true},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"*", "", true},
        {"*a*b", "xxaxxbxb", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.name);
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.matches);
    }
}

TEST(FileSystem, FindsEntriesByPatternAndTellsFoldersApart) {
    TempFolder temp;
    writeFile(temp.file("a.jpg"), "x");
    writeFile(temp.file("b.JPG"), "x");
    writeFile(temp.file("c.txt"), "x");
    makeFolders(temp.file("folder.jpg"));
    std::vector<std::string> names;
    for (const auto& entry : findEntries(temp.path() + "\\*.jpg"))
        names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "b.JPG", "folder.jpg/"}));
    EXPECT_TRUE(findEntries(temp.path() + "\\missing\\*.*").empty());
}

TEST(FileSystem, FolderCreationAndRemovalReportWin32Codes) {
    TempFolder temp;
    std::string work = temp.file("VLM_TEMP");
    EXPECT_EQ(createFolder(work), 0u);
    EXPECT_TRUE(folderExists(work));
    EXPECT_EQ(createFolder(work), 183u);
    EXPECT_EQ(createFolder(temp.file("no\\such\\parent")), 3u);
    writeFile(work + "\\left.jpg", "x");
    EXPECT_EQ(removeFolder(work), 145u);
    EXPECT_TRUE(folderExists(work));
}

TEST(FileSystem, ReadOnlyAttributeIsClearedAlone) {
    TempFolder temp;
    std::string caption = temp.file("a.txt");
    writeFile(caption, "old");
    ASSERT_EQ(setReadOnly(caption), 0u);
    EXPECT_TRUE(isReadOnly(caption));
    EXPECT_EQ(clearReadOnly(caption), 0u);
    EXPECT_FALSE(isReadOnly(caption));
    EXPECT_NE(clearReadOnly(temp.file("missing.txt")), 0u);
}

TEST(SystemErrorText, KnownCodeEndsWithTheSystemLineBreakAndSuffix) {
    std::string text = systemErrorText(5, "");
    ASSERT_GE(text.size(), 2u);
    EXPECT_NE(text.find("ccess"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(systemErrorText(5, "[x]"), text + "[x]");
}

TEST(SystemErrorText, UnknownCodeGivesHexAndLow16BitsInDecimal) {
    EXPECT_EQ(systemErrorText(0xDEAD1234u, "ignored"), "Unknown Error Code: 0xDEAD1234 (4660)");
    EXPECT_EQ(systemErrorText(0x2000FFFFu, ""), "Unknown Error Code: 0x2000FFFF (65535)");
}
