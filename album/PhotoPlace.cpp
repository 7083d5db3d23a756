#include "album/PhotoPlace.h"

std::string workFolderPath(const std::string& albumPath) { return albumPath + "\\VLM_TEMP"; }

std::string folderPathOf(PhotoFolder folder, const std::string& albumPath) {
    return folder == PhotoFolder::Work ? workFolderPath(albumPath) : albumPath;
}

std::string basePathOf(const PhotoPlace& place, const std::string& albumPath) {
    return folderPathOf(place.folder, albumPath) + "\\" + place.baseName;
}

std::string placeText(const PhotoPlace& place) {
    return place.folder == PhotoFolder::Work ? "VLM_TEMP\\" + place.baseName : place.baseName;
}
