#pragma once
#include <string>
#include <vector>

// The open album, whose own photos are never offered for import into it.
struct OpenFamily {
    std::string name;
    std::string id;
    int neighborhood = 1;
};

// The base names of the photos of neighborhood N that can be imported into the open album,
// sorted byte by byte: every photo of N's album folder except thumbnails, and, in the open
// album's own neighborhood, except the open family's photos (name before the first underscore,
// ID between the first and the second).
std::vector<std::string> availablePhotos(const std::string& gamePath, int neighborhood, const OpenFamily& openFamily);

// A photo's path relative to the game folder as the import takes it:
// "UserData\PhotoAlbum\<baseName>" for neighborhood 1, "UserData<N>\PhotoAlbum\<baseName>" for N.
std::string relativePhotoPath(int neighborhood, const std::string& baseName);

// The photo's JPEG file, for its preview.
std::string availablePhotoFile(const std::string& gamePath, int neighborhood, const std::string& baseName);
