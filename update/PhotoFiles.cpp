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
    folded.reserve(entries.size());
    listed.reserve(entries.size());
    for (FolderEntry& entry : entries) {
        folded.insert(foldedName(entry.name));
        listed.push_back(std::move(entry.name));
    }
}

bool FolderNames::contains(const std::string& name) const { return folded.count(foldedName(name)) > 0; }

bool FolderNames::holdsPhoto(const std::string& baseName) const {
    for (const char* suffix : PhotoFileSuffixes)
        if (contains(baseName + suffix))
            return true;
    return false;
}
