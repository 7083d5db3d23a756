#include "update/PhotoFiles.h"

#include <cctype>

#include "platform/FileSystem.h"

std::string foldedName(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// The thumbnail's suffix is tested first: it ends in ".jpg" as well.
std::string photoBaseOfFile(const std::string& fileName) {
    std::string folded = foldedName(fileName);
    for (const char* suffix : {ThumbnailSuffix, ImageSuffix, CaptionSuffix}) {
        std::string ending = suffix;
        if (folded.size() > ending.size() && folded.compare(folded.size() - ending.size(), ending.size(), ending) == 0)
            return fileName.substr(0, fileName.size() - ending.size());
    }
    return std::string();
}

FolderNames::FolderNames(const std::string& folder) {
    std::vector<FolderEntry> entries = findEntries(folder + "\\*.*");
    names.reserve(entries.size());
    for (FolderEntry& entry : entries)
        names.emplace(foldedName(entry.name), std::move(entry.name));
}

bool FolderNames::contains(const std::string& name) const { return names.count(foldedName(name)) > 0; }

bool FolderNames::holdsPhoto(const std::string& baseName) const {
    std::string folded = foldedName(baseName);
    for (const char* suffix : PhotoFileSuffixes)
        if (containsFolded(folded + suffix))
            return true;
    return false;
}

std::vector<std::string> FolderNames::all() const {
    std::vector<std::string> listed;
    listed.reserve(names.size());
    for (const auto& [folded, name] : names)
        listed.push_back(name);
    return listed;
}

void FolderNames::add(const std::string& name) { names.emplace(foldedName(name), name); }

void FolderNames::erase(const std::string& name) { names.erase(foldedName(name)); }

AlbumFolderNames::AlbumFolderNames(const std::string& albumPath)
    : album(albumPath), work(workFolderPath(albumPath)) {}

void AlbumFolderNames::moved(const PhotoPlace& from, const PhotoPlace& to, const char* suffix) {
    of(from.folder).erase(from.baseName + suffix);
    of(to.folder).add(to.baseName + suffix);
}
