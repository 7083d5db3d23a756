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
    for (const FolderEntry& entry : findEntries(folder + "\\*.*"))
        add(entry.name);
}

bool FolderNames::contains(const std::string& name) const { return folded.count(foldedName(name)) > 0; }

void FolderNames::add(const std::string& name) {
    folded.insert(foldedName(name));
    listed.insert(name);
}

void FolderNames::erase(const std::string& name) {
    folded.erase(foldedName(name));
    listed.erase(name);
}

bool FolderNames::holdsPhoto(const std::string& baseName) const {
    for (const char* suffix : PhotoFileSuffixes)
        if (contains(baseName + suffix))
            return true;
    return false;
}
