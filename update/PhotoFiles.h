#pragma once
#include <array>
#include <unordered_set>
#include <vector>
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
    FolderNames() = default;
    // Lists folder; a missing folder gives no names.
    explicit FolderNames(const std::string& folder);
    bool contains(const std::string& name) const;
    // The same for a name folded already (foldedName): no copy is made.
    bool containsFolded(const std::string& folded) const { return this->folded.count(folded) > 0; }
    bool empty() const { return listed.empty(); }
    // Whether any of the photo's three files is among the names.
    bool holdsPhoto(const std::string& baseName) const;
    // The names as listed, in the order of the listing.
    const std::vector<std::string>& all() const { return listed; }

private:
    std::unordered_set<std::string> folded;
    std::vector<std::string> listed;
};

// Names compared the way Windows compares file names.
std::string foldedName(const std::string& name);
