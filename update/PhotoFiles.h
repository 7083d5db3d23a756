#pragma once
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "album/PhotoPlace.h"

// A photo's files: its image, caption and thumbnail, named after its base name.
inline constexpr const char* ImageSuffix = ".jpg";
inline constexpr const char* CaptionSuffix = ".txt";
inline constexpr const char* ThumbnailSuffix = "_thumb.jpg";
inline constexpr std::array<const char*, 3> PhotoFileSuffixes = {ImageSuffix, CaptionSuffix, ThumbnailSuffix};

// The base name whose photo a file name belongs to ("Smith_2_0003" for "Smith_2_0003_thumb.jpg"),
// or "" when the name is none of a photo's three files. Suffixes compare without regard to case.
std::string photoBaseOfFile(const std::string& fileName);

// The names in one folder, for many quick questions about which names are taken. Windows compares
// file names without regard to case, so the names do too, on every system. A holder that moves
// files in or out tells the names, so that the folder need not be listed again.
class FolderNames {
public:
    FolderNames() = default;
    // Lists folder; a missing folder gives no names.
    explicit FolderNames(const std::string& folder);
    bool contains(const std::string& name) const;
    // The same for a name folded already (foldedName): no copy is made.
    bool containsFolded(const std::string& folded) const { return names.count(folded) > 0; }
    bool empty() const { return names.empty(); }
    // Whether any of the photo's three files is among the names.
    bool holdsPhoto(const std::string& baseName) const;
    // The names as listed, in no particular order.
    std::vector<std::string> all() const;

    void add(const std::string& name);
    void erase(const std::string& name);

private:
    std::unordered_map<std::string, std::string> names;  // folded name -> name as listed
};

// The names of the album folder and of its work folder, listed once and then kept up to date by
// whoever moves the files.
class AlbumFolderNames {
public:
    AlbumFolderNames() = default;
    explicit AlbumFolderNames(const std::string& albumPath);
    FolderNames& of(PhotoFolder folder) { return folder == PhotoFolder::Work ? work : album; }
    const FolderNames& of(PhotoFolder folder) const { return folder == PhotoFolder::Work ? work : album; }
    // Whether the place holds the photo file with this suffix.
    bool holds(const PhotoPlace& place, const char* suffix) const { return of(place.folder).contains(place.baseName + suffix); }
    // Whether the place holds any of a photo's three files.
    bool holdsPhoto(const PhotoPlace& place) const { return of(place.folder).holdsPhoto(place.baseName); }
    // A file moved from one place to another.
    void moved(const PhotoPlace& from, const PhotoPlace& to, const char* suffix);
    void removed(const PhotoPlace& place, const char* suffix) { of(place.folder).erase(place.baseName + suffix); }

private:
    FolderNames album;
    FolderNames work;
};

// Names compared the way Windows compares file names.
std::string foldedName(const std::string& name);
