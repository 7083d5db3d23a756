#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "platform/ShellFileOps.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TempFolder.h"
#include "web/ScrapbookGenerator.h"

// File operations that do their work on the real files (a copy creates the folders it needs, as the
// shell's does, and never replaces a file), record every call, and fail where a test asks them to.
class RecordingFileOps : public FileOperations {
public:
    std::vector<std::string> calls;            // "remove|path|permanently", "copy|from|to", "exists|path"
    std::map<std::string, int> failingCopies;  // source path -> result
    std::set<std::string> unremovable;         // paths whose removal fails

    int remove(const std::string& path, bool permanently) override;
    int move(const std::string& from, const std::string& to) override;
    int copy(const std::string& from, const std::string& to) override;
    int writeNewFile(const std::string& path, const std::string& bytes) override;
    int replaceFile(const std::string& replacement, const std::string& replaced) override;
    int createFolder(const std::string& path) override;
    int removeFolder(const std::string& path) override;
    int clearReadOnly(const std::string& path) override;
    bool exists(const std::string& path) override;

    std::vector<std::string> callsStartingWith(const std::string& prefix) const;
};

// A game installation in a temporary folder: the Smith family of lot "12 Elm" in the first
// neighborhood, an empty "Web Pages" folder, and the template set "Scrapbook" beside a "gfx"
// folder and a "Web Templates" folder that the template search passes over.
// The event log is open on a file of its own for the lifetime of the object.
class ScrapbookGame {
public:
    ScrapbookGame();
    ScrapbookGame(const ScrapbookGame&) = delete;
    ScrapbookGame& operator=(const ScrapbookGame&) = delete;
    ~ScrapbookGame();

    // Photos Smith_12_<number>.jpg (content "image <number>") and their thumbnails, one row each.
    void addPhoto(const std::string& number, const std::string& caption, bool withThumbnail = true);
    void writeTemplate(const std::string& name, const std::string& bytes);
    void generate();

    std::string albumPrefix() const { return album.albumPath + "\\" + album.fileHeader; }
    std::string webFolder() const { return game + "\\UserData\\Web Pages\\"; }
    std::string familyFolder() const { return webFolder() + "Smith_12 Elm_Sim_Lane"; }
    std::string imageFolder() const { return familyFolder() + "\\FamilyGFX"; }
    std::string templateFolder() const { return game + "\\UserData\\Web Templates\\Scrapbook\\LotTemplates"; }
    std::string page(const std::string& name) const { return readFile(familyFolder() + "\\" + name); }
    // Closes the event log and returns what it holds.
    std::string logText();

    TempFolder temp;
    std::string game;
    AlbumRows rows;
    AlbumInfo album;
    Settings settings;
    ScriptedFeedback feedback;
    RecordingFileOps files;
};

class ScrapbookTest : public ::testing::Test, protected ScrapbookGame {};

// n lines, each followed by CR LF.
std::string crlfLines(const std::vector<std::string>& lines);
