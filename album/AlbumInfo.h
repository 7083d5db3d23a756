#pragma once
#include <string>

// Identity and paths of the open album. Folder paths never end in a backslash.
struct AlbumInfo {
    std::string albumPath;   // gamePath + user-data folder name + "\PhotoAlbum"
    std::string familyId;
    std::string familyLot;
    std::string familyName;
    std::string fileHeader;  // familyName + "_" + familyId + "_"
    std::string gamePath;    // the game's data folder, empty when unknown
    std::string lastPhotoNumber;
    int neighborhoodNumber = 1;
    int expansionInstalled = 0;
};

inline std::string fileHeaderOf(const std::string& familyName, const std::string& familyId) {
    return familyName + "_" + familyId + "_";
}
