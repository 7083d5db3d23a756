#include "album/AvailablePhotos.h"

#include <algorithm>

#include "album/GameLocations.h"
#include "album/PhotoFileName.h"
#include "platform/FileSystem.h"

namespace {
struct FamilyOfPhoto {
    std::string name;
    std::string id;
};

// The text before the first underscore, and the text between the first and the second (or up to
// the end when there is no second).
FamilyOfPhoto familyOfPhoto(const std::string& baseName) {
    auto first = baseName.find('_');
    if (first == std::string::npos)
        return {baseName, ""};
    auto second = baseName.find('_', first + 1);
    return {baseName.substr(0, first),
            baseName.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1)};
}
}  // namespace

std::vector<std::string> availablePhotos(const std::string& gamePath, int neighborhood, const OpenFamily& openFamily) {
    std::vector<std::string> names;
    bool ownNeighborhood = neighborhood == openFamily.neighborhood;
    for (const auto& entry : findEntries(albumPathOf(gamePath, neighborhood) + "\\*.jpg")) {
        if (entry.isFolder || !hasJpgExtension(entry.name) || entry.name.find("_thumb") != std::string::npos)
            continue;
        std::string baseName = baseNameOf(entry.name);
        if (ownNeighborhood) {
            FamilyOfPhoto family = familyOfPhoto(baseName);
            if (family.name == openFamily.name && family.id == openFamily.id)
                continue;
        }
        names.push_back(std::move(baseName));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string relativePhotoPath(int neighborhood, const std::string& baseName) {
    return userDataFolderName(neighborhood).substr(1) + "\\PhotoAlbum\\" + baseName;
}

std::string availablePhotoFile(const std::string& gamePath, int neighborhood, const std::string& baseName) {
    return albumPathOf(gamePath, neighborhood) + "\\" + baseName + ".jpg";
}
