#include "tests/update/FaultInjection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "album/AlbumLoader.h"
#include "platform/FileSystem.h"
#include "tests/support/ScriptedFeedback.h"
#include "update/PhotoFiles.h"
#include "update/WorkFolderRecovery.h"

std::vector<TestPhoto> faultTestPhotos() {
    return {{"0000"},
            {"0001", true, true, true},
            {"0002", false},
            {"0003", true, false},
            {"0004", false, true, true},
            {"0005"},
            {"0006", false, false},
            {"0007", true, true, true}};
}

std::vector<std::string> editedOrder() { return {"0006", "0001*", "0005", "0000", "0004*", "0003", "0007*", "0002"}; }

std::vector<std::string> keptOrder() { return {"0006", "0005", "0000", "0003", "0002"}; }

std::string newCaptionOf(const TestAlbum& album, const std::string& number) {
    return "new caption " + number + " of " + album.temp.path();
}

void editForUpdate(TestAlbum& album) {
    auto order = editedOrder();
    for (int i = 0; i < int(order.size()); ++i) {
        std::string number = order[std::size_t(i)].substr(0, 4);
        album.rows.swapRows(i, album.rowOf(number));
        if (!album.rows.row(i).flagged())
            album.rows.entry(i)->setCaption(newCaptionOf(album, number));
    }
}

std::string photoOfRow(const TestAlbum& album, int row) {
    std::string caption = album.rows.entry(row)->caption();
    if (caption.rfind("new caption ", 0) == 0)
        return caption.substr(12, 4);
    if (caption.rfind("caption ", 0) == 0)
        return caption.substr(8, 4);
    ADD_FAILURE() << "row " << row << " has a caption of no photo: " << caption;
    return std::string();
}

namespace {
enum class Place { Album, Work, Trash };

struct FoundFile {
    Place place;
    std::string name;
};

const char* placeName(Place place) { return place == Place::Album ? "album" : place == Place::Work ? "work" : "trash"; }

// Every file of the album's own (its bytes carry the album's unique token), by bytes.
std::map<std::string, std::vector<FoundFile>> albumFiles(const TestAlbum& album, const TestTrash& trash,
                                                        bool draftsAllowed) {
    std::map<std::string, std::vector<FoundFile>> found;
    const std::string& token = album.temp.path();
    auto collect = [&](const std::string& folder, Place place) {
        for (const auto& entry : findEntries(folder + "\\*.*")) {
            if (entry.isFolder || (draftsAllowed && entry.name.size() > 7 &&
                                   entry.name.compare(entry.name.size() - 7, 7, ".vlmtmp") == 0))
                continue;
            std::string bytes = readFile(folder + "\\" + entry.name);
            if (bytes.find(token) != std::string::npos)
                found[bytes].push_back({place, entry.name});
        }
    };
    collect(album.album.albumPath, Place::Album);
    collect(album.workFolder(), Place::Work);
    if (trash.visible())
        collect(trash.files(), Place::Trash);
    return found;
}

TestPhoto photoNumbered(const std::string& number) {
    for (const auto& photo : faultTestPhotos())
        if (photo.number == number)
            return photo;
    ADD_FAILURE() << "no photo " << number;
    return {};
}
}  // namespace

void expectEveryPhotoWhole(const TestAlbum& album, const TestTrash& trash, WorkFolder workFolder) {
    // A process that ended while a caption was written may leave its draft beside the old caption.
    auto found = albumFiles(album, trash, workFolder == WorkFolder::MidPhoto);
    std::size_t accounted = 0;
    for (const auto& photo : faultTestPhotos()) {
        SCOPED_TRACE("photo " + photo.number);
        // A recycled file may have gone where it cannot be seen; never to two places.
        bool trashHidden = photo.flagged && !trash.visible();
        std::vector<FoundFile> files;
        auto take = [&](const std::string& bytes, int least, int most) {
            auto it = found.find(bytes);
            int count = it == found.end() ? 0 : int(it->second.size());
            EXPECT_GE(count, trashHidden ? 0 : least) << bytes;
            EXPECT_LE(count, most) << bytes;
            if (it != found.end()) {
                files.insert(files.end(), it->second.begin(), it->second.end());
                accounted += it->second.size();
            }
        };
        take(album.imageBytes(photo.number), 1, 1);
        take(album.thumbnailBytes(photo.number), photo.thumbnail ? 1 : 0, photo.thumbnail ? 1 : 0);
        std::size_t before = files.size();
        take(album.captionBytes(photo.number), 0, 1);
        if (!photo.flagged)
            take(newCaptionOf(album, photo.number), 0, 1);
        std::size_t captions = files.size() - before;
        EXPECT_LE(captions, 1u) << "two caption files";
        if (photo.captionFile) {
            EXPECT_EQ(captions + (trashHidden ? 1 : 0) >= 1, true) << "the caption is gone";
        }

        std::set<std::string> homes;  // where the files outside the Trash are
        for (const auto& file : files) {
            if (file.place == Place::Trash) {
                EXPECT_TRUE(photo.flagged) << "a kept photo's file is in the Trash: " << file.name;
                continue;
            }
            std::string base = photoBaseOfFile(file.name);
            EXPECT_NE(base.find(album.album.fileHeader), std::string::npos) << file.name;
            EXPECT_EQ(base.find(" ("), std::string::npos) << "a file under another name: " << file.name;
            EXPECT_TRUE(file.place == Place::Album || workFolder != WorkFolder::Empty)
                << "left in the work folder: " << file.name;
            homes.insert(std::string(placeName(file.place)) + "\\" + base);
        }
        // Mid-photo, part may still be in the folder the photo left.
        std::set<std::string> folders;
        for (const auto& home : homes)
            folders.insert(home.substr(0, home.find('\\')));
        EXPECT_EQ(folders.size(), homes.size()) << "the photo's files are apart: " << ::testing::PrintToString(homes);
        EXPECT_LE(homes.size(), workFolder == WorkFolder::MidPhoto ? 2u : 1u)
            << "the photo's files are apart: " << ::testing::PrintToString(homes);
    }
    std::size_t total = 0;
    for (const auto& [bytes, places] : found)
        total += places.size();
    EXPECT_EQ(total, accounted) << "files of the album that are none of its photos' files";
}

void expectRowsHoldTheirPhotos(const TestAlbum& album) {
    for (int i = 0; i < album.rows.count(); ++i) {
        std::string number = photoOfRow(album, i);
        TestPhoto photo = photoNumbered(number);
        const std::string base = (album.rows.row(i).inWorkFolder() ? album.workFolder() : album.album.albumPath) +
                                 "\\" + album.rows.entry(i)->baseName();
        SCOPED_TRACE("row " + std::to_string(i) + " (" + album.rows.text(i) + ") stands for photo " + number + " at " +
                     base);
        EXPECT_EQ(album.rows.text(i), photoNumberOf(album.rows.entry(i)->baseName()));
        // A flagged photo's files may be in the Trash already.
        if (!photo.flagged || fileExists(base + ".jpg")) {
            EXPECT_EQ(readFile(base + ".jpg"), album.imageBytes(number));
        }
        if (fileExists(base + ".txt")) {
            std::string caption = readFile(base + ".txt");
            EXPECT_TRUE(caption == album.captionBytes(number) || caption == newCaptionOf(album, number)) << caption;
        }
        if (fileExists(base + "_thumb.jpg") || (photo.thumbnail && !photo.flagged)) {
            EXPECT_EQ(readFile(base + "_thumb.jpg"), album.thumbnailBytes(number));
        }
    }
}

void expectUpdateApplied(const TestAlbum& album) {
    auto kept = keptOrder();
    ASSERT_EQ(album.rows.count(), int(kept.size()));
    for (int i = 0; i < album.rows.count(); ++i) {
        const std::string& number = kept[std::size_t(i)];
        std::string base = album.prefix() + photoNumberText(i);
        SCOPED_TRACE("row " + std::to_string(i) + ", photo " + number);
        EXPECT_EQ(photoOfRow(album, i), number);
        EXPECT_EQ(album.rows.text(i), photoNumberText(i));
        EXPECT_FALSE(album.rows.row(i).inWorkFolder());
        EXPECT_EQ(readFile(base + ".jpg"), album.imageBytes(number));
        EXPECT_EQ(readFile(base + ".txt"), newCaptionOf(album, number));
        EXPECT_EQ(fileExists(base + "_thumb.jpg"), photoNumbered(number).thumbnail);
        if (photoNumbered(number).thumbnail) {
            EXPECT_EQ(readFile(base + "_thumb.jpg"), album.thumbnailBytes(number));
        }
    }
}

void openAgain(TestAlbum& album, bool finish) {
    ShellFileOps ops;
    ScriptedFeedback feedback;
    feedback.messageBoxAnswers = {finish ? msgbox::IdYes : msgbox::IdNo};
    RecoveryContext recovery{album.album, ops, feedback, false};
    removeCaptionDrafts(recovery);
    RecoveryOutcome outcome = recoverInterruptedUpdate(recovery);
    EXPECT_EQ(outcome.stranded, 0);
    EXPECT_TRUE(feedback.promptDetails.empty());
    album.rows.clear();
    album.album.lastPhotoNumber =
        loadAlbumRows(album.album.albumPath, album.album.fileHeader, false, album.rows, feedback);
}

std::string photoOfLoadedRow(const TestAlbum& album, int row) {
    std::string bytes = readFile(album.album.albumPath + "\\" + album.rows.entry(row)->baseName() + ".jpg");
    return bytes.rfind("image ", 0) == 0 ? bytes.substr(6, 4) : std::string();
}

bool photosInWorkFolder(const TestAlbum& album) {
    for (const auto& name : folderListing(album.workFolder()))
        if (name.rfind(album.album.fileHeader, 0) == 0 && !photoBaseOfFile(name).empty())
            return true;
    return false;
}

void expectAlbumWholeAfterOpening(const TestAlbum& album, const TestTrash& trash, bool finished) {
    expectEveryPhotoWhole(album, trash, WorkFolder::Empty);
    std::vector<std::string> photos;
    for (int i = 0; i < album.rows.count(); ++i)
        photos.push_back(photoOfLoadedRow(album, i));
    for (const auto& number : keptOrder())
        EXPECT_NE(std::find(photos.begin(), photos.end(), number), photos.end()) << "photo " << number;
    EXPECT_FALSE(fileExists(album.workFolder()));
    if (finished) {
        EXPECT_EQ(photos, keptOrder());
    }
}
