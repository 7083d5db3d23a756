#include <gtest/gtest.h>

#include "diag/EventLog.h"
#include "tests/web/ScrapbookTestSupport.h"

namespace {
std::string repeat(char c, int count) { return std::string(std::size_t(count), c); }

std::string joined(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::string text;
    for (const auto& line : lines)
        text += line + lineEnd;
    return text;
}

// The 200 preset lines for the given values; the rest are empty.
std::vector<std::string> presetLines(const std::vector<std::string>& values) {
    std::vector<std::string> lines;
    for (int k = 1; k <= 200; ++k)
        lines.push_back("c" + std::to_string(k) + "=\"" + (k <= int(values.size()) ? values[k - 1] : "") + "\";");
    return lines;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> BaseTemplate = {
    "<html lang=\"^^^^sims_web_language_code^^^^\">",
    "<meta charset=\"^^^^sims_web_character_set^^^^\">",
    "<title>^^^^sims_family_name^^^^ at ^^^^sims_house_address^^^^</title>",
    "<p>Photo ^^^^sims_scrapbook_currpagenum^^^^ of ^^^^sims_scrapbook_numpages^^^^ "
    "(^^^^sims_scrapbook_currpagenum^^^^)</p>",
    "<img src=\"FamilyGFX/^^^^sims_scrapbookX_snapshot^^^^\">",
    "<p>^^^^sims_scrapbookX_caption^^^^</p>",
    "// preset captions",
    "</html>",
};

std::vector<std::string> basePage(const std::string& number, const std::string& caption) {
    return {"<html lang=\"en-us\">",
            "<meta charset=\"iso-8859-1\">",
            "<title>Smith at ^^^^sims_house_address^^^^</title>",
            "<p>Photo " + number + " of 2 (" + number + ")</p>",
            "<img src=\"FamilyGFX/scrapbook" + number + ".jpg\">",
            "<p>" + caption + "</p>",
            "// preset captions",
            "</html>"};
}

const std::vector<std::string> EntryTemplate = {
    "<h1>^^^^sims_family_name^^^^ ^^^^sims_house_address^^^^</h1>",
    "<img src=\"FamilyGFX/^^^^sims_scrapbookX_snapshot^^^^\"><p>^^^^sims_scrapbookX_caption^^^^</p>",
    "<p>^^^^sims_scrapbook_currpagenum^^^^/^^^^sims_scrapbook_numpages^^^^</p>",
};
}  // namespace

TEST_F(ScrapbookTest, BasePagesAreByteExactWhateverTheTemplateLineEnds) {
    addPhoto("0001", "Tom & Jerry");
    addPhoto("0000", "Line one\r\nSay \"hi\"");
    writeFile(familyFolder() + "\\scrapbook7.html", "old page");
    writeFile(imageFolder() + "\\scrapbook7.jpg", "old image");
    writeFile(familyFolder() + "\\family.txt", "not ours");
    for (const char* lineEnd : {"\n", "\r\n"}) {
        SCOPED_TRACE(lineEnd[0] == '\r' ? "CR LF template" : "LF template");
        writeTemplate("scrapbookX.html", joined(BaseTemplate, lineEnd));
        generate();
        EXPECT_EQ(page("scrapbook1.html"), crlfLines(basePage("1", "Tom &amp; Jerry")));
        EXPECT_EQ(page("scrapbook2.html"), crlfLines(basePage("2", "Line one\r\r\nSay &quot;hi&quot;")));
        EXPECT_EQ(folderListing(familyFolder()),
                  (std::vector<std::string>{"FamilyGFX", "family.txt", "scrapbook1.html", "scrapbook2.html"}));
        EXPECT_EQ(folderListing(imageFolder()), (std::vector<std::string>{"scrapbook1.jpg", "scrapbook2.jpg"}));
        EXPECT_EQ(readFile(imageFolder() + "\\scrapbook1.jpg"), "image 0001");
        EXPECT_EQ(readFile(imageFolder() + "\\scrapbook2.jpg"), "image 0000");
    }
    EXPECT_TRUE(feedback.callsStartingWith("messageBox").empty());
}

TEST_F(ScrapbookTest, ExpansionIndexCarriesTwoHundredPresetCaptionsAndEveryPhotoGetsAnEntryPage) {
    album.expansionInstalled = 1;
    addPhoto("0000", "Tom & Jerry");
    addPhoto("0001", "&" + repeat('a', 45));
    addPhoto("0002", repeat('b', 51));
    addPhoto("0003", repeat('x', 44) + "&yy");
    addPhoto("0004", "one\r\ntwo");
    writeTemplate("scrapbookX.html",
                  joined({"<title>^^^^sims_family_name^^^^ of ^^^^sims_house_address^^^^, "
                          "^^^^sims_scrapbook_numpages^^^^ photos</title>",
                          "<p>^^^^sims_scrapbook_currpagenum^^^^ ^^^^sims_scrapbookX_snapshot^^^^</p>",
                          "<p>^^^^sims_scrapbookX_caption^^^^</p>", "<script>", "  // preset captions",
                          "c1=\"\";", "c2=\"\";", "</script>"},
                         "\r\n"));
    writeTemplate("scrapbook_popupX.html", joined(EntryTemplate, "\n"));
    generate();

    EXPECT_EQ(page("scrapbook1.html"),
              crlfLines(std::vector<std::string>{
                            "<title>Smith of 12 Elm, 5 photos</title>",
                            "<p>^^^^sims_scrapbook_currpagenum^^^^ ^^^^sims_scrapbookX_snapshot^^^^</p>",
                            "<p>^^^^sims_scrapbookX_caption^^^^</p>", "<script>", "  // preset captions"} +
                        presetLines({"Tom &amp; Jerry", "&amp;" + repeat('a', 45), repeat('b', 47) + "...",
                                     repeat('x', 44) + "...", "one two"})));
    EXPECT_EQ(page("scrapbook_popup1.html"),
              crlfLines({"<h1>Smith ^^^^sims_house_address^^^^</h1>",
                         "<img src=\"FamilyGFX/scrapbook1.jpg\"><p>Tom &amp; Jerry</p>", "<p>1/5</p>"}));
    EXPECT_EQ(page("scrapbook_popup4.html"),
              crlfLines({"<h1>Smith ^^^^sims_house_address^^^^</h1>",
                         "<img src=\"FamilyGFX/scrapbook4.jpg\"><p>" + repeat('x', 44) + "&amp;yy</p>", "<p>4/5</p>"}));
    EXPECT_EQ(page("scrapbook_popup5.html"),
              crlfLines({"<h1>Smith ^^^^sims_house_address^^^^</h1>",
                         "<img src=\"FamilyGFX/scrapbook5.jpg\"><p>one\r\r\ntwo</p>", "<p>5/5</p>"}));
    EXPECT_EQ(folderListing(familyFolder()),
              (std::vector<std::string>{"FamilyGFX", "scrapbook1.html", "scrapbook_popup1.html",
                                        "scrapbook_popup2.html", "scrapbook_popup3.html", "scrapbook_popup4.html",
                                        "scrapbook_popup5.html"}));
    EXPECT_EQ(readFile(imageFolder() + "\\scrapbook5.jpg"), "image 0004");
    EXPECT_EQ(readFile(imageFolder() + "\\scrapbook5_thumb.jpg"), "thumbnail 0004");
    EXPECT_TRUE(feedback.callsStartingWith("messageBox").empty());
}

TEST_F(ScrapbookTest, PresetBlockTakesThePlaceOfTheNextTwoHundredTemplateLines) {
    album.expansionInstalled = 1;
    writeTemplate("scrapbook_popupX.html", joined(EntryTemplate, "\n"));
    std::vector<std::string> filler(200, "c=\"\";");
    struct Case {
        const char* what;
        std::vector<std::string> templateLines, page;
    } cases[] = {
        {"no marker: copied line for line",
         {"<p>^^^^sims_house_address^^^^</p>", "c1=\"\";", "</script>"},
         {"<p>12 Elm</p>", "c1=\"\";", "</script>"}},
        {"fewer than 200 lines after the marker",
         {"<script>// preset captions", "c1=\"\";", "</script>", "</html>"},
         std::vector<std::string>{"<script>// preset captions"} + presetLines({})},
        {"more than 200 lines after the marker",
         std::vector<std::string>{"// preset captions"} + filler + std::vector<std::string>{"</script>", "</html>"},
         std::vector<std::string>{"// preset captions"} + presetLines({}) +
             std::vector<std::string>{"</script>", "</html>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeTemplate("scrapbookX.html", joined(c.templateLines, "\n"));
        generate();
        EXPECT_EQ(page("scrapbook1.html"), crlfLines(c.page));
        EXPECT_EQ(folderListing(familyFolder()), (std::vector<std::string>{"scrapbook1.html"}));
    }
}

TEST_F(ScrapbookTest, AnEmptyBaseAlbumRemovesTheOldPagesAndWritesNone) {
    writeTemplate("scrapbookX.html", joined(BaseTemplate, "\n"));
    writeFile(familyFolder() + "\\scrapbook1.html", "old page");
    writeFile(imageFolder() + "\\scrapbook1.jpg", "old image");
    generate();
    EXPECT_EQ(folderListing(familyFolder()), (std::vector<std::string>{"FamilyGFX"}));
    EXPECT_TRUE(folderListing(imageFolder()).empty());
    EXPECT_EQ(feedback.progressHigh, 0);
}

TEST_F(ScrapbookTest, TwoHundredAndThirtyPhotosGiveTwoHundredPresetsAndAnEntryPageEach) {
    album.expansionInstalled = 1;
    std::vector<std::string> captions;
    for (int i = 0; i < 230; ++i) {
        addPhoto(photoNumberText(i), "Photo " + std::to_string(i + 1));
        if (i < 200)
            captions.push_back("Photo " + std::to_string(i + 1));
    }
    writeTemplate("scrapbookX.html", "// preset captions\n");
    writeTemplate("scrapbook_popupX.html", "^^^^sims_scrapbook_currpagenum^^^^ ^^^^sims_scrapbookX_caption^^^^\n");
    generate();
    EXPECT_EQ(page("scrapbook1.html"), crlfLines(std::vector<std::string>{"// preset captions"} + presetLines(captions)));
    EXPECT_EQ(folderListing(familyFolder()).size(), 1u + 1u + 230u);  // FamilyGFX, index, entries
    EXPECT_EQ(page("scrapbook_popup230.html"), "230 Photo 230\r\n");
    EXPECT_FALSE(fileExists(familyFolder() + "\\scrapbook_popup231.html"));
    EXPECT_EQ(readFile(imageFolder() + "\\scrapbook230_thumb.jpg"), "thumbnail 0229");
    EXPECT_EQ(feedback.progressHigh, 460);
    EXPECT_EQ(feedback.callsStartingWith("stepProgress").size(), 460u);
}

TEST_F(ScrapbookTest, ProgressStatusAndLogOfARun) {
    addPhoto("0000", "");
    writeTemplate("scrapbookX.html", "x\n");
    generate();
    EXPECT_EQ(feedback.calls, (std::vector<std::string>{"progressPosition|0", "progressRange|0|2", "progressStep|1",
                                                         "status|Generating Web Pages...", "stepProgress",
                                                         "stepProgress"}));
    EXPECT_EQ(logText(), crlfLines({"LOG: ========== UPDATING HTML FILES ==========", "LOG: Web Path = " + webFolder(),
                                    "LOG: Web image path = " + imageFolder()}));
}

TEST_F(ScrapbookTest, OldFilesGoToTheRecycleBinUnlessDeleteOnlyIsOn) {
    writeTemplate("scrapbookX.html", "x\n");
    for (int deleteOnly : {0, 1}) {
        SCOPED_TRACE(deleteOnly);
        settings.deleteOnly = deleteOnly;
        settings.enableLogging = 0;
        files.calls.clear();
        writeFile(imageFolder() + "\\scrapbook3.jpg", "old image");
        writeFile(familyFolder() + "\\scrapbook3.html", "old page");
        generate();
        std::string flag = deleteOnly ? "1" : "0";
        EXPECT_EQ(files.callsStartingWith("remove"),
                  (std::vector<std::string>{"remove|" + imageFolder() + "\\scrapbook3.jpg|" + flag,
                                            "remove|" + familyFolder() + "\\scrapbook3.html|" + flag}));
    }
    EXPECT_EQ(logText(), "");
}
