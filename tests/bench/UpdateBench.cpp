// Updates a 2,000-photo album (reversed order, every file renumbered) with the native backend and
// compares the time with a plain loop of the same renames through the work folder, the least any
// update can do. Prints figures; asserts nothing.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "album/AlbumLoader.h"
#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "platform/NativePath.h"
#include "tests/support/TempFolder.h"
#include "update/UpdateAlbum.h"

namespace {
constexpr int PhotoCount = 2000;
constexpr int Rounds = 7;

class SilentFeedback : public UserFeedback {
public:
    int messageBox(const std::string&, const std::string&, unsigned style) override {
        return (style & 0xF) == msgbox::YesNo ? msgbox::IdYes : msgbox::IdOk;
    }
    PromptAnswer errorPrompt(const std::string&) override { return PromptAnswer::No; }
    void setStatusText(const std::string&) override {}
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}
    void setProgressStep(int) override {}
    void stepProgress() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

struct BenchAlbum {
    TempFolder temp;
    AlbumInfo album;
    AlbumRows rows;

    BenchAlbum() {
        album.albumPath = temp.path() + "\\PhotoAlbum";
        album.familyName = "Smith";
        album.familyId = "2";
        album.fileHeader = "Smith_2_";
        makeFolders(album.albumPath);
        std::string image(20000, 'j'), thumbnail(3000, 't');
        for (int n = 0; n < PhotoCount; ++n) {
            std::string number = photoNumberText(n), base = album.albumPath + "\\Smith_2_" + number;
            writeFile(base + ".jpg", image);
            writeFile(base + "_thumb.jpg", thumbnail);
            writeFile(base + ".txt", "Caption of photo " + number + "\r\nsecond line");
        }
        // The rows as the program has them: loaded from the folder.
        SilentFeedback feedback;
        loadAlbumRows(album.albumPath, album.fileHeader, false, rows, feedback);
        for (int i = 0; i < PhotoCount / 2; ++i)
            rows.swapRows(i, PhotoCount - 1 - i);
    }
};

// Wall time, and the processor time of the process (less disturbed by other programs on a
// busy machine).
struct Timing {
    double wall = 1e9;
    double processor = 1e9;
};

void measure(Timing& best, const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    std::clock_t startClock = std::clock();
    work();
    double processor = double(std::clock() - startClock) / CLOCKS_PER_SEC;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best.wall = std::min(best.wall, wall);
    best.processor = std::min(best.processor, processor);
}

// The same renames as an update, with nothing around them: every file into the work folder, then
// back under the number of its place.
void plainRenames(BenchAlbum& bench) {
    std::string album = nativePath(bench.album.albumPath) + "/Smith_2_";
    std::string work = nativePath(bench.album.albumPath) + "/VLM_TEMP/Smith_2_";
    std::filesystem::create_directory(nativePath(bench.album.albumPath) + "/VLM_TEMP");
    const char* suffixes[] = {".jpg", ".txt", "_thumb.jpg"};
    for (int i = 0; i < PhotoCount; ++i)
        for (const char* suffix : suffixes)
            std::rename((album + bench.rows.text(i) + suffix).c_str(), (work + bench.rows.text(i) + suffix).c_str());
    for (int i = 0; i < PhotoCount; ++i)
        for (const char* suffix : suffixes)
            std::rename((work + bench.rows.text(i) + suffix).c_str(), (album + photoNumberText(i) + suffix).c_str());
    std::filesystem::remove(nativePath(bench.album.albumPath) + "/VLM_TEMP");
}

void update(BenchAlbum& bench, int logging) {
    Settings settings;
    settings.enableLogging = logging;
    SilentFeedback feedback;
    ShellFileOps ops;
    UpdateContext context{bench.rows, bench.album, settings, feedback, ops, nullptr, nullptr, nullptr};
    if (updateAlbum(context) != UpdateOutcome::Completed)
        std::printf("update did not complete\n");
}

}  // namespace

int main() {
    TempFolder logFolder;
    eventLog.open(logFolder.file("velmora.log"));
    Timing plain, withLog, withoutLog;
    // The three take turns, so that a busy moment of the machine does not fall on one of them only.
    for (int round = 0; round < Rounds; ++round) {
        BenchAlbum a, b, c;
        measure(plain, [&] { plainRenames(a); });
        measure(withLog, [&] { update(b, 1); });
        measure(withoutLog, [&] { update(c, 0); });
    }
    eventLog.close();
    std::printf("Album update, %d photos (3 files each), best of %d rounds: wall / processor time\n", PhotoCount,
                Rounds);
    auto line = [&](const char* name, const Timing& t) {
        std::printf("  %-34s %8.1f ms  ratio %.2f  / %8.1f ms  ratio %.2f\n", name, t.wall * 1000,
                    t.wall / plain.wall, t.processor * 1000, t.processor / plain.processor);
    };
    line("plain rename loop (the limit)", plain);
    line("updateAlbum, logging on", withLog);
    line("updateAlbum, logging off", withoutLog);
    return 0;
}
