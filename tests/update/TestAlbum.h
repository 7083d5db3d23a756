#pragma once
#include <map>
#include <string>
#include <vector>

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "tests/support/TempFolder.h"

// One photo of a test album as it lies on disk before an update.
struct TestPhoto {
    std::string number;     // "0003"
    bool thumbnail = true;  // has a _thumb.jpg
    bool captionFile = true;
    bool flagged = false;
};

// A family album in a folder of its own: "<temp>\UserData\PhotoAlbum" with the photos of family
// Smith (ID 2), each file holding bytes that name it and this album alone, and rows loaded as the
// program would load them (captions as read, in number order).
class TestAlbum {
public:
    explicit TestAlbum(const std::vector<TestPhoto>& photos);

    TempFolder temp;
    AlbumInfo album;
    AlbumRows rows;
    Settings settings;

    std::string prefix() const { return album.albumPath + "\\" + album.fileHeader; }
    std::string workFolder() const { return album.albumPath + "\\VLM_TEMP"; }
    std::string file(const std::string& name) const { return album.albumPath + "\\" + name; }

    // The bytes each original file holds; the caption as its row carries it.
    std::string imageBytes(const std::string& number) const { return "image " + number + " of " + temp.path(); }
    std::string thumbnailBytes(const std::string& number) const { return "thumb " + number + " of " + temp.path(); }
    std::string captionBytes(const std::string& number) const {
        return "caption " + number + "\r\nsecond line of " + temp.path();
    }
    std::string captionOf(const std::string& number) const { return captionBytes(number); }

    // The row whose text is number.
    int rowOf(const std::string& number) const;
};

// The files of a folder (not its sub-folders), name to bytes.
std::map<std::string, std::string> filesOf(const std::string& folder);

// The event log of a test: opened on a file of the test's own folder, closed and read back.
class LogCapture {
public:
    explicit LogCapture(const std::string& path);
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    ~LogCapture();
    std::string text();

private:
    std::string path;
};
