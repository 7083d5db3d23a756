#include "update/UpdatePlan.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "platform/ShellFileOps.h"
#include "update/PhotoFiles.h"
#include "update/UpdateAlbum.h"

namespace {
constexpr std::size_t ProblemsShown = 8;

class PlanCheck {
public:
    PlanCheck(const AlbumRows& rows, const AlbumInfo& album)
        : rows(rows), album(album), workFolder(workFolderOf(album)), albumNames(album.albumPath),
          workNames(workFolder) {}

    std::vector<std::string> run() {
        for (int i = 0; i < rows.count(); ++i)
            checkRow(i);
        checkNewNames();
        return problems;
    }

private:
    // The suffixes are lower case, so a folded base name and a suffix make a folded file name.
    void checkRow(int i) {
        const std::string base = rows.entry(i)->baseName();
        const std::string& rowText = rows.text(i);
        std::string key = foldedName(base);
        auto [first, isNew] = rowOfBase.emplace(key, rowText);
        if (!isNew)
            problems.push_back("Photos " + first->second + " and " + rowText + " both stand for the files of " +
                               base + ".");
        for (const char* suffix : PhotoFileSuffixes)
            if (albumNames.containsFolded(key + suffix))
                filesOfRows.insert(key + suffix);
        if (rows.row(i).flagged())
            return;
        if (!albumNames.containsFolded(key + ImageSuffix))
            problems.push_back("Photo " + rowText + ": its file " + base + ".jpg is not in the album folder.");
        for (const char* suffix : PhotoFileSuffixes)
            if (!workNames.empty() && workNames.containsFolded(key + suffix))
                problems.push_back("The file VLM_TEMP\\" + base + suffix + " stands where photo " + rowText +
                                   " must pass through the work folder.");
        if (workFolder.size() + 1 + base.size() + std::strlen(ThumbnailSuffix) > MaxShellPathLength)
            problems.push_back("Photo " + rowText + ": the path " + workFolder + "\\" + base + ThumbnailSuffix +
                               " is too long.");
        ++keptCount;
    }

    // The photos that stay take the numbers 0000 onwards; a name among them that a file of no
    // photo of this update holds cannot be given without overwriting that file.
    void checkNewNames() {
        std::string header = foldedName(album.fileHeader);
        for (int i = 0; i < keptCount; ++i) {
            for (const char* suffix : PhotoFileSuffixes) {
                std::string key = header + photoNumberText(i) + suffix;
                if (albumNames.containsFolded(key) && !filesOfRows.count(key)) {
                    std::string name = album.fileHeader + photoNumberText(i) + suffix;
                    problems.push_back("The file " + name +
                                       " stands where a renumbered photo must go, and it is no file of the photos "
                                       "in the list.");
                }
            }
        }
        std::string longest = album.albumPath + "\\" + album.fileHeader + photoNumberText(keptCount - 1) + ThumbnailSuffix;
        if (keptCount > 0 && longest.size() > MaxShellPathLength)
            problems.push_back("The path " + longest + " is too long.");
    }

    const AlbumRows& rows;
    const AlbumInfo& album;
    std::string workFolder;
    FolderNames albumNames;
    FolderNames workNames;
    std::unordered_map<std::string, std::string> rowOfBase;
    std::unordered_set<std::string> filesOfRows;
    int keptCount = 0;
    std::vector<std::string> problems;
};
}  // namespace

std::vector<std::string> checkUpdatePlan(const AlbumRows& rows, const AlbumInfo& album) {
    return PlanCheck(rows, album).run();
}

std::string updatePlanMessage(const std::vector<std::string>& problems, const std::string& albumPath) {
    std::string text = "The album's files do not match its list, so the update was stopped\nbefore any file was "
                       "changed:\n";
    for (std::size_t i = 0; i < problems.size() && i < ProblemsShown; ++i)
        text += "\n" + problems[i];
    if (problems.size() > ProblemsShown)
        text += "\n... and " + std::to_string(problems.size() - ProblemsShown) + " more.";
    return text + "\n\nMove a file that is in the way out of the album folder, or open the album\nagain to list its "
                  "photos as they are now; then update again. The album folder is:\n" +
           albumPath;
}
