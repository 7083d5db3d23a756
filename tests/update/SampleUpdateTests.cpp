#include <gtest/gtest.h>

#include <map>

#include "album/AlbumLoader.h"
#include "platform/FileSystem.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TestTrash.h"
#include "tests/update/TestAlbum.h"
#include "update/UpdateAlbum.h"

namespace {
int rowOf(const AlbumRows& rows, const std::string& number) {
    for (int i = 0; i < rows.count(); ++i)
        if (rows.text(i) == number)
            return i;
    return -1;
}
}  // namespace

// The whole road on a copy of the sample installation: load Smith (ID 2), reverse the order, flag
// two photos, re-caption two, update.
TEST(SampleUpdate, ReorderedFlaggedAndRecaptionedAlbumEndsExactlyAsListed) {
    TestTrash trash;
    TempFolder game;
    copyTree(VELMORA_SOURCE_DIR "/sample/game", game.path());
    AlbumInfo album;
    album.gamePath = game.path();
    album.albumPath = game.path() + "\\UserData\\PhotoAlbum";
    album.familyName = "Smith";
    album.familyId = "2";
    album.fileHeader = "Smith_2_";
    Settings settings;
    AlbumRows rows;
    ScriptedFeedback feedback;
    album.lastPhotoNumber = loadAlbumRows(album.albumPath, album.fileHeader, false, rows, feedback);
    ASSERT_EQ(rows.count(), 8);
    const auto before = filesOf(album.albumPath);

    for (int i = 0; i < 4; ++i)
        rows.swapRows(i, 7 - i);
    rows.setImage(rowOf(rows, "0004"), RowFlagged);
    rows.setImage(rowOf(rows, "0001"), RowFlagged);
    rows.entry(rowOf(rows, "0005"))->setCaption("Beach day\r\nwith everyone");
    rows.entry(rowOf(rows, "0002"))->setCaption("Renamed\nline");
    std::map<std::string, std::string> captions;  // old number -> caption as the row holds it
    for (int i = 0; i < rows.count(); ++i)
        captions[rows.text(i)] = rows.entry(i)->caption();

    std::string logPath = game.file("velmora.log");
    std::string logText;
    {
        LogCapture log(logPath);
        ShellFileOps ops;
        UpdateContext context{rows, album, settings, feedback, ops, nullptr, nullptr, nullptr};
        EXPECT_EQ(updateAlbum(context), UpdateOutcome::Completed);
        logText = log.text();
    }

    const std::vector<std::string> kept = {"0007", "0006", "0005", "0003", "0002", "0000"};
    std::map<std::string, std::string> expected;
    for (const auto& [name, bytes] : before)
        if (name.rfind("Smith_2_", 0) != 0)
            expected[name] = bytes;  // the other families' files stay as they were
    std::string p = album.albumPath + "\\Smith_2_", w = album.albumPath + "\\VLM_TEMP\\Smith_2_";
    std::string expectedLog = "LOG: ========== UPDATING PHOTO ALBUM ==========\r\nUPDATING: Full path = " + p +
                              "\r\nUPDATING: Work path = " + w + "\r\n";
    for (const char* flagged : {"0004", "0001"})
        for (const char* suffix : {".jpg", ".txt", "_thumb.jpg"})
            expectedLog += "LOG: Recycling " + p + flagged + suffix + " --- Result (0)\r\n";
    for (const auto& number : kept) {
        bool thumbnail = before.count("Smith_2_" + number + "_thumb.jpg") > 0;
        for (const char* suffix : {".jpg", ".txt", "_thumb.jpg"})
            if (std::string(suffix) != "_thumb.jpg" || thumbnail)
                expectedLog += "LOG: Moving " + p + number + suffix + " to work folder --- Result (0)\r\n";
    }
    for (int i = 0; i < int(kept.size()); ++i) {
        const std::string& old = kept[std::size_t(i)];
        std::string now = photoNumberText(i);
        SCOPED_TRACE(old + " -> " + now);
        EXPECT_EQ(rows.text(i), now);
        EXPECT_EQ(rows.entry(i)->caption(), captions[old]);
        expected["Smith_2_" + now + ".jpg"] = before.at("Smith_2_" + old + ".jpg");
        std::string caption = captions[old], captionFile;
        for (char c : caption)
            if (c != '\r')
                captionFile += c == '\n' ? std::string("\r\n") : std::string(1, c);
        expected["Smith_2_" + now + ".txt"] = captionFile;
        bool thumbnail = before.count("Smith_2_" + old + "_thumb.jpg") > 0;
        if (thumbnail)
            expected["Smith_2_" + now + "_thumb.jpg"] = before.at("Smith_2_" + old + "_thumb.jpg");
        expectedLog += "LOG: Renaming " + w + old + ".jpg to " + p + now + ".jpg\r\n" + "LOG: Renaming " + w + old +
                       ".txt to " + p + now + ".txt\r\n" + "LOG: Moving " + p + now +
                       ".jpg back to album --- Result (0)\r\n" + "LOG: Moving " + p + now +
                       ".txt back to album --- Result (0)\r\n";
        if (thumbnail)
            expectedLog += "LOG: Renaming " + w + old + "_thumb.jpg to " + p + now + "_thumb.jpg\r\nLOG: Moving " + p +
                           now + "_thumb.jpg back to album --- Result (0)\r\n";
    }
    EXPECT_EQ(filesOf(album.albumPath), expected);
    EXPECT_EQ(captions["0005"], "Beach day\r\nwith everyone");
    EXPECT_EQ(expected["Smith_2_0004.txt"], "Renamed\r\nline");
    EXPECT_FALSE(fileExists(album.albumPath + "\\VLM_TEMP"));
    EXPECT_EQ(logText, expectedLog);

    if (trash.visible()) {
        std::map<std::string, int> trashed;
        for (const auto& path : trash.trashedFiles())
            ++trashed[readFile(path)];
        for (const char* flagged : {"0004", "0001"})
            for (const char* suffix : {".jpg", ".txt", "_thumb.jpg"}) {
                SCOPED_TRACE(std::string(flagged) + suffix);
                EXPECT_GE(trashed[before.at(std::string("Smith_2_") + flagged + suffix)], 1);
            }
    }
}
