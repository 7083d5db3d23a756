#include "update/TrackedPhoto.h"

#include <set>
#include <utility>

#include "update/PhotoFiles.h"

bool namesOnePhotoEach(const TrackedPhotos& photos) {
    std::set<std::pair<PhotoFolder, std::string>> named;
    auto claim = [&named](const PhotoPlace& place) {
        return named.emplace(place.folder, foldedName(place.baseName)).second;
    };
    for (const TrackedPhoto& photo : photos) {
        if (!claim(photo.at))
            return false;
        if (photo.step == TrackedPhoto::Step::Moves && !claim(photo.to))
            return false;
    }
    return true;
}
