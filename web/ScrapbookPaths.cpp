#include "web/ScrapbookPaths.h"

#include <algorithm>
#include <cctype>

#include "album/AlbumInfo.h"
#include "album/GameLocations.h"
#include "platform/FileSystem.h"

ScrapbookPaths scrapbookPathsOf(const AlbumInfo& album) {
    ScrapbookPaths paths;
    paths.webFolder = album.gamePath + userDataFolderName(album.neighborhoodNumber) + "\\Web Pages\\";
    paths.familyFolder = paths.webFolder + album.familyName + "_" + album.familyLot + "_Sim_Lane";
    paths.imageFolder = paths.familyFolder + "\\FamilyGFX";
    return paths;
}

std::string scrapbookIndexPage(const AlbumInfo& album) {
    return scrapbookPathsOf(album).familyFolder + "\\scrapbook1.html";
}

std::string templateRootOf(const std::string& gamePath) { return gamePath + "\\UserData\\Web Templates"; }

std::string findTemplateFolder(const std::string& templateRoot) {
    for (const FolderEntry& entry : findEntries(templateRoot + "\\*.*")) {
        if (!entry.isFolder)
            continue;
        std::string lower = entry.name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (lower.find("template") != std::string::npos || lower.find("gfx") != std::string::npos)
            continue;
        return templateRoot + "\\" + entry.name + "\\LotTemplates";
    }
    return templateRoot;
}
