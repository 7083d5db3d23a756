#pragma once
#include <string>

// The two folders a photo's files can stand in: the album folder, or the work folder VLM_TEMP inside
// it, through which an update moves every photo on its way to its new number.
enum class PhotoFolder { Album, Work };

// Where a photo's files stand: a folder and the base name its image (+ ".jpg"), caption (+ ".txt")
// and thumbnail (+ "_thumb.jpg") are named after. At rest, all three stand in one place.
struct PhotoPlace {
    PhotoFolder folder = PhotoFolder::Album;
    std::string baseName;
    bool operator==(const PhotoPlace&) const = default;
};

// albumPath + "\VLM_TEMP"
std::string workFolderPath(const std::string& albumPath);
// The folder's path for the album at albumPath.
std::string folderPathOf(PhotoFolder folder, const std::string& albumPath);
// The folder's path, a backslash and the base name: the place's files without their suffixes.
std::string basePathOf(const PhotoPlace& place, const std::string& albumPath);
// "VLM_TEMP\Smith_2_0003" or "Smith_2_0003": the place as the album folder sees it, for messages.
std::string placeText(const PhotoPlace& place);
