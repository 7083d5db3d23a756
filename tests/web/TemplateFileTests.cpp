#include <gtest/gtest.h>

#include <vector>

#include "tests/support/TempFolder.h"
#include "web/PageFile.h"
#include "web/TemplateFile.h"

namespace {
std::vector<std::string> linesOf(const std::string& path) {
    TemplateFile file;
    EXPECT_TRUE(file.open(path));
    std::vector<std::string> lines;
    for (std::string line; file.readLine(line);)
        lines.push_back(line);
    return lines;
}
}  // namespace

TEST(TemplateFile, LinesEndAtLfWithTheCrBeforeItDropped) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* what;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"LF", "one\ntwo\n", {"one", "two"}},
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"no line end after the last line", "one\r\ntwo", {"one", "two"}},
        {"empty lines", "\n\r\n\n", {"", "", ""}},
        {"a CR not before LF stays", "a\rb\r\r\n", {"a\rb\r"}},
        {"empty file", "", {}},
        {"long line", std::string(5000, 'x') + "\n", {std::string(5000, 'x')}},
    };
    TempFolder temp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(temp.file("t.html"), c.bytes);
        EXPECT_EQ(linesOf(temp.file("t.html")), c.lines);
    }
}

TEST(TemplateFile, RewindStartsAgainAtTheFirstLine) {
    TempFolder temp;
    writeFile(temp.file("t.html"), "first\nsecond\n");
    TemplateFile file;
    ASSERT_TRUE(file.open(temp.file("t.html")));
    std::string line;
    while (file.readLine(line)) {
    }
    file.rewind();
    ASSERT_TRUE(file.readLine(line));
    EXPECT_EQ(line, "first");
}

TEST(PageFile, WritesCrLfAfterEveryLineAndForEveryLfInside) {
    TempFolder temp;
    PageFile page;
    ASSERT_TRUE(page.create(temp.file("p.html")));
    page.writeLine("<p>one</p>");
    page.writeLine("Line one\r\nLine two\nthree");
    page.writeLine("");
    EXPECT_TRUE(page.close());
    EXPECT_EQ(readFile(temp.file("p.html")), "<p>one</p>\r\nLine one\r\r\nLine two\r\nthree\r\n\r\n");
}

TEST(PageFile, CreatingInAMissingFolderFails) {
    TempFolder temp;
    PageFile page;
    EXPECT_FALSE(page.create(temp.file("missing\\p.html")));
}
