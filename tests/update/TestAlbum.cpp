#include "tests/update/TestAlbum.h"

#include "diag/EventLog.h"
#include "platform/FileSystem.h"

TestAlbum::TestAlbum(const std::vector<TestPhoto>& photos) {
    album.gamePath = temp.path();
    album.albumPath = temp.path() + "\\UserData\\PhotoAlbum";
    album.familyName = "Smith";
    album.familyId = "2";
    album.familyLot = "20";
    album.fileHeader = fileHeaderOf(album.familyName, album.familyId);
    makeFolders(album.albumPath);
    for (const auto& photo : photos) {
        std::string base = prefix() + photo.number;
        writeFile(base + ".jpg", imageBytes(photo.number));
        if (photo.thumbnail)
            writeFile(base + "_thumb.jpg", thumbnailBytes(photo.number));
        if (photo.captionFile)
            writeFile(base + ".txt", captionBytes(photo.number));
        rows.append(photo.number, photo.flagged ? RowFlagged : RowKept,
                    std::make_unique<PhotoEntry>(album.fileHeader + photo.number,
                                                 photo.captionFile ? captionOf(photo.number) : ""));
    }
    if (!photos.empty())
        album.lastPhotoNumber = photos.back().number;
}

int TestAlbum::rowOf(const std::string& number) const {
    for (int i = 0; i < rows.count(); ++i)
        if (rows.text(i) == number)
            return i;
    return -1;
}

LogCapture::LogCapture(const std::string& path) : path(path) {
    eventLog.close();
    eventLog.open(path);
}

LogCapture::~LogCapture() { eventLog.close(); }

std::string LogCapture::text() {
    eventLog.close();
    return readFile(path);
}

std::map<std::string, std::string> filesOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : findEntries(folder + "\\*.*"))
        if (!entry.isFolder)
            files[entry.name] = readFile(folder + "\\" + entry.name);
    return files;
}
