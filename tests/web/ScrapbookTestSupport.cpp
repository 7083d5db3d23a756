#include "tests/web/ScrapbookTestSupport.h"

#include <filesystem>
#include <memory>

#include "diag/EventLog.h"
#include "platform/NativePath.h"

namespace fs = std::filesystem;

int RecordingFileOps::remove(const std::string& path, bool permanently) {
    calls.push_back("remove|" + path + "|" + (permanently ? "1" : "0"));
    if (unremovable.count(path))
        return 1026;
    std::error_code error;
    return fs::remove_all(nativePath(path), error) > 0 ? 0 : 2;
}

int RecordingFileOps::move(const std::string& from, const std::string& to) {
    calls.push_back("move|" + from + "|" + to);
    std::error_code error;
    fs::rename(nativePath(from), nativePath(to), error);
    return error ? 2 : 0;
}

int RecordingFileOps::copy(const std::string& from, const std::string& to) {
    calls.push_back("copy|" + from + "|" + to);
    if (auto failing = failingCopies.find(from); failing != failingCopies.end())
        return failing->second;
    std::error_code error;
    if (fs::exists(nativePath(to), error))
        return ResultFileExists;
    fs::create_directories(fs::path(nativePath(to)).parent_path(), error);
    fs::copy_file(nativePath(from), nativePath(to), fs::copy_options::none, error);
    return error ? 2 : 0;
}

// The page generator writes its pages itself; these are not its business.
int RecordingFileOps::writeNewFile(const std::string& path, const std::string&) {
    calls.push_back("write|" + path);
    return 5;
}

int RecordingFileOps::replaceFile(const std::string& replacement, const std::string& replaced) {
    calls.push_back("replace|" + replacement + "|" + replaced);
    return 5;
}

int RecordingFileOps::createFolder(const std::string& path) {
    calls.push_back("create|" + path);
    return 5;
}

int RecordingFileOps::removeFolder(const std::string& path) {
    calls.push_back("rmdir|" + path);
    return 5;
}

int RecordingFileOps::clearReadOnly(const std::string& path) {
    calls.push_back("writable|" + path);
    return 5;
}

bool RecordingFileOps::exists(const std::string& path) {
    calls.push_back("exists|" + path);
    std::error_code error;
    return fs::exists(nativePath(path), error);
}

std::vector<std::string> RecordingFileOps::callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const auto& call : calls)
        if (call.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(call);
    return matching;
}

ScrapbookGame::ScrapbookGame() {
    game = temp.file("game");
    album.gamePath = game;
    album.familyName = "Smith";
    album.familyId = "12";
    album.familyLot = "12 Elm";
    album.fileHeader = fileHeaderOf(album.familyName, album.familyId);
    album.albumPath = game + "\\UserData\\PhotoAlbum";
    makeFolders(album.albumPath);
    makeFolders(familyFolder());
    makeFolders(game + "\\UserData\\Web Templates\\gfx");
    makeFolders(game + "\\UserData\\Web Templates\\Old Web Templates");
    makeFolders(templateFolder());
    EXPECT_TRUE(eventLog.open(temp.file("velmora.log")));
}

ScrapbookGame::~ScrapbookGame() { eventLog.close(); }

void ScrapbookGame::addPhoto(const std::string& number, const std::string& caption, bool withThumbnail) {
    std::string base = albumPrefix() + number;
    writeFile(base + ".jpg", "image " + number);
    if (withThumbnail)
        writeFile(base + "_thumb.jpg", "thumbnail " + number);
    rows.append(number, RowKept, std::make_unique<PhotoEntry>(album.fileHeader + number, caption));
}

void ScrapbookGame::writeTemplate(const std::string& name, const std::string& bytes) {
    writeFile(templateFolder() + "\\" + name, bytes);
}

void ScrapbookGame::generate() { GenerateHTML(albumPrefix(), {rows, album, settings, feedback, files}); }

std::string ScrapbookGame::logText() {
    eventLog.close();
    return readFile(temp.file("velmora.log"));
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}
