#include "album/CaptionFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

TEST(CaptionFile, LineBreaksAsTheGameWritesThem) {
    struct Case {
        const char* name;
        std::string file;
        std::string caption;
    } cases[] = {
        {"empty file", "", ""},
        {"one line", "Moving day", "Moving day"},
        {"final CR LF adds nothing", "Moving day\r\n", "Moving day"},
        {"three lines, two separators", "a\r\nb\r\nc", "a\r\nb\r\nc"},
        {"three lines and a final break", "a\r\nb\r\nc\r\n", "a\r\nb\r\nc"},
        {"LF alone ends a line", "a\nb\n", "a\r\nb"},
        {"empty line inside stays", "a\r\n\r\nb", "a\r\n\r\nb"},
        {"empty line before the end stays", "a\r\n\r\n", "a\r\n"},
        {"only a line break", "\r\n", ""},
        {"two empty lines", "\r\n\r\n", "\r\n"},
        {"a CR alone is text", "a\rb\r", "a\rb\r"},
        {"CR before CR LF", "a\r\r\nb", "a\r\r\nb"},
        {"Windows-1252 bytes kept", "No\xebl \x80 5\r\nC\x9cur", "No\xebl \x80 5\r\nC\x9cur"},
        {"NUL bytes kept", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(folder.file("caption.txt"), c.file);
        EXPECT_EQ(readCaptionFile(folder.file("caption.txt")), c.caption);
        EXPECT_EQ(captionFromText(c.file), c.caption);
    }
}

TEST(CaptionFile, LongCaptionIsReadWhole) {
    TempFolder folder;
    std::string line(10000, 'x');
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += line + "\r\n";
    writeFile(folder.file("long.txt"), text);
    std::string caption = readCaptionFile(folder.file("long.txt"));
    EXPECT_EQ(caption.size(), 30 * 10000 + 29 * 2u);
    EXPECT_EQ(caption.substr(caption.size() - 10002, 2), "\r\n");
}

TEST(CaptionFile, MissingFileOrFolderGivesEmptyCaption) {
    TempFolder folder;
    EXPECT_EQ(readCaptionFile(folder.file("none.txt")), "");
    EXPECT_EQ(readCaptionFile(folder.file("no folder\\none.txt")), "");
}
