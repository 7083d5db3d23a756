// Loading benchmark: an album folder of 2,000 photos with thumbnails and captions of one family,
// beside 1,000 photos of another, loaded again and again. Prints the time per 1,000 photos.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <vector>

#include "album/AlbumLoader.h"
#include "album/AlbumRows.h"
#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "platform/UserFeedback.h"
#include "tests/support/TempFolder.h"

namespace {

class SilentFeedback : public UserFeedback {
public:
    int messageBox(const std::string&, const std::string&, unsigned) override { return msgbox::IdOk; }
    PromptAnswer errorPrompt(const std::string&) override { return PromptAnswer::Yes; }
    void setStatusText(const std::string&) override {}
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}
    void setProgressStep(int) override {}
    void stepProgress() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

constexpr int Photos = 2000;
constexpr int Runs = 15;

void writeAlbum(const TempFolder& folder) {
    // Written in shuffled order, so the folder does not list them sorted.
    std::vector<int> numbers(Photos);
    for (int i = 0; i < Photos; ++i)
        numbers[i] = (i * 7919) % Photos;
    for (int n : numbers) {
        std::string base = folder.file("Montgomery-Whitfield_123_" + photoNumberText(n));
        writeFile(base + ".jpg", std::string(2048, 'j'));
        writeFile(base + "_thumb.jpg", std::string(512, 't'));
        writeFile(base + ".txt", "Photo " + std::to_string(n) + "\r\nA second line of caption text\r\nand a third\r\n");
    }
    for (int n = 0; n < Photos / 2; ++n)
        writeFile(folder.file("Other_4_" + photoNumberText(n) + ".jpg"), std::string(2048, 'j'));
}

struct Figures {
    double wall = -1;  // median, milliseconds per 1,000 photos
    double cpu = -1;   // processor time of the process, same unit; steadier on a busy machine
};

Figures millisecondsPerThousand(const TempFolder& album, bool logging) {
    SilentFeedback feedback;
    std::vector<double> times, cpuTimes;
    for (int run = 0; run < Runs; ++run) {
        AlbumRows rows;
        std::clock_t cpuStart = std::clock();
        auto start = std::chrono::steady_clock::now();
        std::string last = loadAlbumRows(album.path(), "Montgomery-Whitfield_123_", logging, rows, feedback);
        auto stop = std::chrono::steady_clock::now();
        std::clock_t cpuStop = std::clock();
        if (rows.count() != Photos || last != photoNumberText(Photos - 1)) {
            std::fprintf(stderr, "loaded %d photos, last %s\n", rows.count(), last.c_str());
            return {};
        }
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        cpuTimes.push_back(1000.0 * double(cpuStop - cpuStart) / CLOCKS_PER_SEC);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    return {times[times.size() / 2] * 1000.0 / Photos, cpuTimes[cpuTimes.size() / 2] * 1000.0 / Photos};
}

}  // namespace

int main() {
    TempFolder album, logFolder;
    writeAlbum(album);
    Figures quiet = millisecondsPerThousand(album, false);
    eventLog.open(logFolder.file("velmora.log"));
    Figures logged = millisecondsPerThousand(album, true);
    eventLog.close();
    if (quiet.wall < 0 || logged.wall < 0)
        return 1;
    std::printf("album loading, %d photos with captions (median of %d runs):\n", Photos, Runs);
    std::printf("  %.2f ms per 1,000 photos without logging (%.2f ms processor time)\n", quiet.wall, quiet.cpu);
    std::printf("  %.2f ms per 1,000 photos with logging (%.2f ms processor time)\n", logged.wall, logged.cpu);
    return 0;
}
