// scrapbook_preview <gamePath> <neighborhood> <familyName> <familyId> <familyLot> <base|expansion>
//
// Generates one family's scrapbook from a game installation (a copy of the sample game, for
// instance) with the real file operations, so that the pages can be opened in a browser. Message
// boxes are printed; the exit code is the number of them.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "album/AlbumInfo.h"
#include "album/AlbumLoader.h"
#include "album/AlbumRows.h"
#include "album/GameLocations.h"
#include "album/Settings.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"
#include "web/ScrapbookGenerator.h"

namespace {
class ConsoleFeedback : public UserFeedback {
public:
    int messages = 0;
    int messageBox(const std::string& title, const std::string& text, unsigned) override {
        std::fprintf(stderr, "[%s]\n%s\n\n", title.c_str(), text.c_str());
        ++messages;
        return msgbox::IdOk;
    }
    PromptAnswer errorPrompt(const std::string& details) override {
        std::fprintf(stderr, "[Program Error]\n%s\n\n", details.c_str());
        ++messages;
        return PromptAnswer::No;
    }
    void setStatusText(const std::string& text) override {
        if (!text.empty())
            std::printf("%s\n", text.c_str());
    }
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}
    void setProgressStep(int) override {}
    void stepProgress() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s <gamePath> <neighborhood> <familyName> <familyId> <familyLot> "
                             "<base|expansion>\n", argv[0]);
        return 100;
    }
    AlbumInfo album;
    album.gamePath = argv[1];
    album.neighborhoodNumber = std::atoi(argv[2]);
    album.familyName = argv[3];
    album.familyId = argv[4];
    album.familyLot = argv[5];
    album.expansionInstalled = std::string(argv[6]) == "expansion";
    album.fileHeader = fileHeaderOf(album.familyName, album.familyId);
    album.albumPath = albumPathOf(album.gamePath, album.neighborhoodNumber);

    ConsoleFeedback feedback;
    AlbumRows rows;
    loadAlbumRows(album.albumPath, album.fileHeader, false, rows, feedback);
    Settings settings;
    settings.enableLogging = 0;
    ShellFileOps files;
    GenerateHTML(album.albumPath + "\\" + album.fileHeader, {rows, album, settings, feedback, files});
    std::printf("%d photos\n", rows.count());
    return feedback.messages;
}
