#pragma once
#include <array>
#include <set>
#include <string>

// A photo's files: its image, caption and thumbnail, named after its base name.
inline constexpr const char* ImageSuffix = ".jpg";
inline constexpr const char* CaptionSuffix = ".txt";
inline constexpr const char* ThumbnailSuffix = "_thumb.jpg";
inline constexpr std::array<const char*, 3> PhotoFileSuffixes = {ImageSuffix, CaptionSuffix, ThumbnailSuffix};

// The base name whose photo a file name belongs to ("Smith_2_0003" for "Smith_2_0003_thumb.jpg"),
// or "" when the name is none of a photo's three files. Suffixes compare without regard to case.
std::string photoBaseOfFile(const std::string& fileName);

// The names in one folder, for many quick questions about which names are taken. Windows compares
// file names without regard to case, so the names do too, on every system.
class FolderNames {
public:
    // Lists folder; a missing folder gives no names.
    explicit FolderNames(const std::string& folder);
    bool contains(const std::string& name) const;
    void add(const std::string& name);
    void erase(const std::string& name);
    // Whether any of the photo's three files is among the names.
    bool holdsPhoto(const std::string& baseName) const;
    // The names as listed.
    const std::set<std::string>& all() const { return listed; }

private:
    std::set<std::string> folded;
    std::set<std::string> listed;
};

// Names compared the way Windows compares file names.
std::string foldedName(const std::string& name);
