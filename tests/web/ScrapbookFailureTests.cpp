#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/NativePath.h"
#include "tests/web/ScrapbookTestSupport.h"
#include "web/Placeholders.h"

namespace {
const std::string Stop = "HTML file generation will be stopped due to this error.";

std::string messageCall(const std::string& title, const std::string& text, unsigned icon) {
    return "messageBox|" + title + "|" + text + "|" + std::to_string(msgbox::Ok | icon);
}
}  // namespace

// Two photos, and the pages and images of an earlier run that a failure must leave alone.
class FailureGame : public ScrapbookGame {
public:
    FailureGame() {
        addPhoto("0000", "first");
        addPhoto("0001", "second");
        writeFile(familyFolder() + "\\scrapbook9.html", "old page");
        writeFile(imageFolder() + "\\scrapbook9.jpg", "old image");
    }
    bool oldFilesInPlace() const {
        return fileExists(familyFolder() + "\\scrapbook9.html") && fileExists(imageFolder() + "\\scrapbook9.jpg");
    }
};

class ScrapbookFailureTest : public ::testing::Test, protected FailureGame {};

TEST_F(ScrapbookFailureTest, MissingWebFolderChangesNothing) {
    album.neighborhoodNumber = 2;  // UserData2 has no "Web Pages" folder
    std::string web = game + "\\UserData2\\Web Pages\\";
    writeTemplate("scrapbookX.html", "x\n");
    generate();
    EXPECT_EQ(feedback.calls,
              (std::vector<std::string>{messageCall(
                  "Program Warning",
                  "The \"Web Pages\" folder could not be found in this album's\nneighborhood folder. As a result, no "
                  "HTML files will be\ngenerated. Any order or caption changes you made to this\nalbum have not been "
                  "lost. The expected path is:\n\n" + web,
                  msgbox::IconWarning)}));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"exists|" + web}));
    EXPECT_TRUE(oldFilesInPlace());
    EXPECT_EQ(logText(), crlfLines({"LOG: ========== UPDATING HTML FILES ==========", "LOG: Web Path = " + web,
                                    "ERROR: Web Pages folder not found. Aborting HTML update."}));
}

TEST(ScrapbookFailures, MissingTemplatesStopBeforeAnythingIsRemoved) {
    struct Case {
        const char* what;
        int expansion;
        bool onlySkippedFolders;
        std::vector<std::string> templates;
        std::string logLine, message;
    };
    const std::string IndexNotFound =
        "The HTML template for the photo album index page was\nnot found. The expected template file path is:\n\n";
    const Case cases[] = {
        {"index template", 0, false, {}, "ERROR: HTML template for photo album index not found. Aborting HTML update.",
         IndexNotFound + "<set>\\scrapbookX.html\n\n" + Stop},
        {"no template set: the root is searched", 1, true, {},
         "ERROR: HTML template for photo album index not found. Aborting HTML update.",
         IndexNotFound + "<root>\\scrapbookX.html\n\n" + Stop},
        {"entry template", 1, false, {"scrapbookX.html"},
         "ERROR: HTML template for photo album entry page not found. Aborting HTML update.",
         "The HTML template for the individual photo album entry\npages was not found. The expected template file "
         "path is:\n\n<set>\\scrapbook_popupX.html\n\n" + Stop},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FailureGame g;
        std::string root = g.game + "\\UserData\\Web Templates";
        g.album.expansionInstalled = c.expansion;
        if (c.onlySkippedFolders) {
            // Only folders the search passes over: the set is renamed to one of them.
            std::filesystem::rename(nativePath(root + "\\Scrapbook"), nativePath(root + "\\Lot TEMPLATES"));
        }
        for (const auto& name : c.templates)
            g.writeTemplate(name, "x\n");
        std::string message = replaceAll(replaceAll(c.message, "<set>", g.templateFolder()), "<root>", root);
        g.generate();
        EXPECT_EQ(g.feedback.callsStartingWith("messageBox"),
                  (std::vector<std::string>{messageCall("Template Missing Error", message, msgbox::IconError)}));
        EXPECT_TRUE(g.files.callsStartingWith("remove").empty());
        EXPECT_TRUE(g.files.callsStartingWith("copy").empty());
        EXPECT_TRUE(g.oldFilesInPlace());
        EXPECT_EQ(g.logText(), crlfLines({"LOG: ========== UPDATING HTML FILES ==========",
                                          "LOG: Web Path = " + g.webFolder(), "LOG: Web image path = " + g.imageFolder(),
                                          c.logLine}));
    }
}

TEST_F(ScrapbookFailureTest, AFailedCopyIsReportedAndTheRestStillCopied) {
    album.expansionInstalled = 1;
    addPhoto("0002", "third");
    addPhoto("0003", "fourth");
    addPhoto("0004", "fifth");
    files.failingCopies[albumPrefix() + "0002.jpg"] = 1026;
    writeTemplate("scrapbookX.html", "index\n");
    writeTemplate("scrapbook_popupX.html", "^^^^sims_scrapbookX_caption^^^^\n");
    generate();
    EXPECT_EQ(feedback.callsStartingWith("messageBox"),
              (std::vector<std::string>{messageCall("File Copying Error",
                                                    "A file copy error was encountered with the following\nalbum "
                                                    "entry:\n\n" + albumPrefix() + "0002\n\nGenerateHTML() Error "
                                                    "Codes: 1026, 0",
                                                    msgbox::IconError)}));
    EXPECT_FALSE(fileExists(imageFolder() + "\\scrapbook3.jpg"));
    EXPECT_EQ(readFile(imageFolder() + "\\scrapbook3_thumb.jpg"), "thumbnail 0002");
    EXPECT_EQ(readFile(imageFolder() + "\\scrapbook4.jpg"), "image 0003");
    EXPECT_EQ(readFile(imageFolder() + "\\scrapbook5.jpg"), "image 0004");
    EXPECT_EQ(page("scrapbook_popup5.html"), "fifth\r\n");
    EXPECT_EQ(feedback.callsStartingWith("stepProgress").size(), 10u);
    EXPECT_EQ(logText().find("ERROR:"), std::string::npos);
}

TEST(ScrapbookFailures, APageThatCannotBeCreatedStopsTheRun) {
    struct Case {
        const char* what;
        int expansion;
        std::string blocked, logLine, message;
        std::vector<std::string> pagesWritten;
    };
    const std::string EntryNotCreated =
        "The individual photo album entry page could not be\ncreated. The expected path is:\n\n<family>";
    const Case cases[] = {
        {"base page 2", 0, "scrapbook2.html", "ERROR: Cannot create photo album entry page. Aborting HTML update.",
         EntryNotCreated + "\\scrapbook2.html\n\n" + Stop,
         {"scrapbook1.html"}},
        {"index page", 1, "scrapbook1.html", "ERROR: Cannot create photo album index page. Aborting HTML update.",
         "The new photo album index page could not be created.\nThe expected file path is:\n\n<family>"
         "\\scrapbook1.html\n\n" + Stop,
         {}},
        {"entry page 2", 1, "scrapbook_popup2.html",
         "ERROR: Cannot create photo album entry page. Aborting HTML update.",
         EntryNotCreated + "\\scrapbook_popup2.html\n\n" + Stop,
         {"scrapbook1.html", "scrapbook_popup1.html"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FailureGame g;
        g.album.expansionInstalled = c.expansion;
        g.writeTemplate("scrapbookX.html", "index\n");
        g.writeTemplate("scrapbook_popupX.html", "entry\n");
        // A folder of the page's name that cannot be removed stands for a page that cannot be created.
        std::string blocked = g.familyFolder() + "\\" + c.blocked;
        makeFolders(blocked + "\\held");
        g.files.unremovable.insert(blocked);
        g.generate();
        EXPECT_EQ(g.feedback.callsStartingWith("messageBox"),
                  (std::vector<std::string>{messageCall("HTML File Creation Error",
                                                        replaceAll(c.message, "<family>", g.familyFolder()),
                                                        msgbox::IconError)}));
        std::vector<std::string> expected = c.pagesWritten;
        expected.push_back("FamilyGFX");
        expected.push_back(c.blocked);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(folderListing(g.familyFolder()), expected);
        std::string log = g.logText();
        EXPECT_EQ(log.substr(log.rfind("ERROR:")), c.logLine + "\r\n");
    }
}
