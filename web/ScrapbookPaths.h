#pragma once
#include <string>

struct AlbumInfo;

// Where a family's scrapbook lives and where its templates come from. Every folder path is built by
// plain concatenation, the way the game names them.
struct ScrapbookPaths {
    std::string webFolder;     // gamePath + user-data folder + "\Web Pages\" (ends in a backslash)
    std::string familyFolder;  // webFolder + familyName + "_" + familyLot + "_Sim_Lane"
    std::string imageFolder;   // familyFolder + "\FamilyGFX"
};

ScrapbookPaths scrapbookPathsOf(const AlbumInfo& album);

// The family's scrapbook index page, the one View HTML Pages opens: familyFolder + "\scrapbook1.html".
std::string scrapbookIndexPage(const AlbumInfo& album);

// The game installs its templates only in the first neighborhood's folder, whichever neighborhood
// the album belongs to.
std::string templateRootOf(const std::string& gamePath);

// The first folder of the template root (in listing order) whose name holds neither "template" nor
// "gfx" in any case is the template set; its "LotTemplates" folder holds the templates. Without
// such a folder the templates are looked for in the root itself.
std::string findTemplateFolder(const std::string& templateRoot);
