// Updates a 2,000-photo album (reversed order, every file renumbered) with the native backend and
// compares the time with a plain loop of the same renames through the work folder, the least any
// update can do. Prints figures; asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "platform/NativePath.h"
#include "tests/support/TempFolder.h"
#include "update/UpdateAlbum.h"

namespace {
constexpr int PhotoCount = 2000;
constexpr int Rounds = 5;

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
            rows.append(number, RowKept,
                        std::make_unique<PhotoEntry>("Smith_2_" + number, "Caption of photo " + number + "\r\nsecond line"));
        }
        for (int i = 0; i < PhotoCount / 2; ++i)
            rows.swapRows(i, PhotoCount - 1 - i);
    }
};

double seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

double best(const std::function<void(BenchAlbum&)>& run) {
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round) {
        BenchAlbum bench;
        times.push_back(seconds([&] { run(bench); }));
    }
    return *std::min_element(times.begin(), times.end());
}
}  // namespace

int main() {
    TempFolder logFolder;
    eventLog.open(logFolder.file("velmora.log"));
    double plain = best(plainRenames);
    double withLog = best([](BenchAlbum& bench) { update(bench, 1); });
    double withoutLog = best([](BenchAlbum& bench) { update(bench, 0); });
    eventLog.close();
    std::printf("Album update, %d photos (3 files each), best of %d rounds\n", PhotoCount, Rounds);
    std::printf("  plain rename loop (the limit)     %8.1f ms\n", plain * 1000);
    std::printf("  updateAlbum, logging on           %8.1f ms   ratio %.2f\n", withLog * 1000, withLog / plain);
    std::printf("  updateAlbum, logging off          %8.1f ms   ratio %.2f\n", withoutLog * 1000, withoutLog / plain);
    return 0;
}
