#include <gtest/gtest.h>

#include "album/AlbumInfo.h"
#include "album/AlbumLoader.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "platform/ShellFileOps.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestTrash.h"
#include "tests/update/FaultyFileOps.h"
#include "web/ScrapbookGenerator.h"

namespace {
// The Dubois album (lot 12, ID 4) of a copy of the sample game in temp, loaded into rows.
AlbumInfo loadDuboisAlbum(const TempFolder& temp, AlbumRows& rows) {
    copyTree(VELMORA_SOURCE_DIR "/sample/game", temp.file("game"));
    AlbumInfo album;
    album.gamePath = temp.file("game");
    album.albumPath = album.gamePath + "\\UserData\\PhotoAlbum";
    album.familyName = "Dubois";
    album.familyId = "4";
    album.familyLot = "12";
    album.fileHeader = fileHeaderOf(album.familyName, album.familyId);
    ScriptedFeedback loading;
    loadAlbumRows(album.albumPath, album.fileHeader, false, rows, loading);
    return album;
}
}  // namespace

// The templates of the sample installation, filled by the real file operations from a copy of the
// sample game: the Dubois album (7 photos, accented captions, two-line captions) in both layouts.
TEST(ScrapbookSample, TemplatesMakeACompleteSiteInBothLayouts) {
    for (int expansion : {0, 1}) {
        SCOPED_TRACE(expansion ? "expansion layout" : "base layout");
        TempFolder temp;
        AlbumRows rows;
        AlbumInfo album = loadDuboisAlbum(temp, rows);
        album.expansionInstalled = expansion;
        ScriptedFeedback feedback;
        ASSERT_EQ(rows.count(), 7);
        Settings settings;
        settings.enableLogging = 0;
        // The family's folders as the game leaves them once it has made the family's site.
        std::string family = album.gamePath + "\\UserData\\Web Pages\\Dubois_12_Sim_Lane";
        makeFolders(family + "\\FamilyGFX");
        ShellFileOps files;
        GenerateHTML(album.albumPath + "\\" + album.fileHeader, {rows, album, settings, feedback, files});

        EXPECT_EQ(feedback.callsStartingWith("messageBox"), std::vector<std::string>{});
        // (Compared as truth values: the photos' bytes make no readable message.)
        EXPECT_TRUE(readFile(family + "\\FamilyGFX\\scrapbook7.jpg") ==
                    readFile(album.albumPath + "\\Dubois_4_0006.jpg"));
        std::string firstPhotoPage = readFile(family + (expansion ? "\\scrapbook_popup2.html" : "\\scrapbook2.html"));
        EXPECT_NE(firstPhotoPage.find("<p class=\"caption\">No&euml;l chez les Dubois\r\r\nCr&egrave;me "
                                      "br&ucirc;l&eacute;e et b&ucirc;che.</p>"),
                  std::string::npos);
        EXPECT_NE(firstPhotoPage.find("src=\"FamilyGFX/scrapbook2.jpg\""), std::string::npos);
        if (expansion) {
            std::string index = readFile(family + "\\scrapbook1.html");
            // The cut at 47 characters would fall inside "&ucirc;".
            EXPECT_NE(index.find("c2=\"No&euml;l chez les Dubois Cr&egrave;me br...\";\r\n"), std::string::npos);
            // The template's block holds exactly the lines the captions replace: its end survives.
            EXPECT_NE(index.find("c200=\"\";\r\n</script>\r\n"), std::string::npos);
            EXPECT_NE(index.find("House 12"), std::string::npos);
            EXPECT_EQ(folderListing(family + "\\FamilyGFX").size(), 14u);
        } else {
            EXPECT_EQ(folderListing(family).size(), 8u);  // seven pages and FamilyGFX
        }

        // Generating again after a reorder replaces the old site: the old files go to the Trash,
        // so no copy has to take another name beside them.
        TestTrash trash;
        std::vector<std::string> before = folderListing(family + "\\FamilyGFX");
        rows.swapRows(0, 1);
        GenerateHTML(album.albumPath + "\\" + album.fileHeader, {rows, album, settings, feedback, files});
        EXPECT_EQ(feedback.callsStartingWith("messageBox"), std::vector<std::string>{});
        EXPECT_EQ(folderListing(family + "\\FamilyGFX"), before);
        EXPECT_TRUE(readFile(family + "\\FamilyGFX\\scrapbook1.jpg") ==
                    readFile(album.albumPath + "\\Dubois_4_0001.jpg"));
    }
}

// An old scrapbook image that cannot be removed (open in another program) keeps its place and its
// bytes: the new copy is refused, reported with the shell's "file exists" code, and never lands
// under another name; the other photos and the pages are made as usual.
TEST(ScrapbookSample, AnOldImageThatCannotBeRemovedIsReportedNotSidestepped) {
    TestTrash trash;
    TempFolder temp;
    AlbumRows rows;
    AlbumInfo album = loadDuboisAlbum(temp, rows);
    ScriptedFeedback feedback;
    Settings settings;
    settings.enableLogging = 0;
    std::string images = album.gamePath + "\\UserData\\Web Pages\\Dubois_12_Sim_Lane\\FamilyGFX";
    ShellFileOps shell;
    GenerateHTML(album.albumPath + "\\" + album.fileHeader, {rows, album, settings, feedback, shell});
    std::string oldThird = readFile(images + "\\scrapbook3.jpg");

    rows.swapRows(2, 3);
    FaultyFileOps files(shell);
    files.failsWhen = [&files, &images](int index, const std::string& path) {
        return files.operations[std::size_t(index - 1)].rfind("remove ", 0) == 0 && path == images + "\\scrapbook3.jpg";
    };
    GenerateHTML(album.albumPath + "\\" + album.fileHeader, {rows, album, settings, feedback, files});
    EXPECT_EQ(feedback.callsStartingWith("messageBox"),
              std::vector<std::string>{"messageBox|File Copying Error|A file copy error was encountered with the "
                                       "following\nalbum entry:\n\n" + album.albumPath + "\\" + album.fileHeader +
                                       rows.text(2) + "\n\nGenerateHTML() Error Codes: 80, 0|16"});
    EXPECT_TRUE(readFile(images + "\\scrapbook3.jpg") == oldThird);
    EXPECT_TRUE(readFile(images + "\\scrapbook4.jpg") == readFile(album.albumPath + "\\" + rows.entry(3)->baseName() + ".jpg"));
    for (const auto& name : folderListing(images))
        EXPECT_EQ(name.find(" ("), std::string::npos) << name;
    EXPECT_EQ(folderListing(images).size(), 7u);
}
