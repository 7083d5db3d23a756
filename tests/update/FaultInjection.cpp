#include "tests/update/FaultInjection.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/FileSystem.h"

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

namespace {
void collect(const std::string& folder, const std::string& token, std::map<std::string, int>& found) {
    for (const auto& entry : findEntries(folder + "\\*.*")) {
        if (entry.isFolder)
            continue;
        std::string bytes = readFile(folder + "\\" + entry.name);
        if (bytes.find(token) != std::string::npos)
            ++found[bytes];
    }
}
}  // namespace

void expectNothingLost(const TestAlbum& album, const TestTrash& trash) {
    std::map<std::string, int> found;
    const std::string& token = album.temp.path();
    collect(album.album.albumPath, token, found);
    collect(album.workFolder(), token, found);
    if (trash.visible())
        collect(trash.files(), token, found);

    int accounted = 0;
    auto expectCount = [&](const std::string& bytes, int expected) {
        SCOPED_TRACE(bytes);
        int count = found.count(bytes) ? found[bytes] : 0;
        EXPECT_EQ(count, expected);
        accounted += count;
    };
    for (const auto& photo : faultTestPhotos()) {
        SCOPED_TRACE("photo " + photo.number);
        bool recycledForGood = photo.flagged && !trash.visible();
        int original = recycledForGood ? 0 : 1;
        std::string oldCaption = album.captionBytes(photo.number), newCaption = newCaptionOf(album, photo.number);
        // A recycled file may have gone where it cannot be seen; never to two places.
        if (recycledForGood) {
            EXPECT_LE(found[album.imageBytes(photo.number)], 1);
            accounted += found[album.imageBytes(photo.number)] + found[album.thumbnailBytes(photo.number)] +
                         found[oldCaption];
            continue;
        }
        expectCount(album.imageBytes(photo.number), original);
        expectCount(album.thumbnailBytes(photo.number), photo.thumbnail ? 1 : 0);
        if (photo.flagged) {
            expectCount(oldCaption, photo.captionFile ? 1 : 0);
            continue;
        }
        int oldCount = found[oldCaption], newCount = found[newCaption];
        accounted += oldCount + newCount;
        EXPECT_LE(oldCount + newCount, 1);
        if (photo.captionFile) {
            EXPECT_EQ(oldCount + newCount, 1);
        } else {
            EXPECT_EQ(oldCount, 0);
        }
    }
    int total = 0;
    for (const auto& [bytes, count] : found)
        total += count;
    EXPECT_EQ(total, accounted) << "files of the album that are none of its photos' files";
}
