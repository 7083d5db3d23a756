// Decoding speed of our JPEG decoder (each processor path) next to
// libjpeg-turbo, set up as `djpeg -dct int` decodes, and stb_image, all from
// memory. Run through scripts/bench-jpeg, which alternates processes with
// libjpeg-turbo's SIMD on and off (its switch is read once per process) and
// then prints the table.
//
//   jpeg_benchmark measure [--rounds N] [--slice SECONDS] [--files A,B] [--decoders A,B]
//       Checks that each exact decoder writes libjpeg-turbo's bytes, then
//       measures in turns: every round gives every decoder one slice of
//       decodes per file, in an order that rotates from round to round, so
//       load that comes and goes falls on all of them alike. Prints one
//       "sample" line per slice.
//   jpeg_benchmark report SAMPLES...
//       The table of figures and ratios from the sample lines.
//   jpeg_benchmark repeat DECODER FILE COUNT
//       Decodes one file COUNT times, for perf record and callgrind
//       (each decode is one call of decodeOnceForCounting).

#include "JpegBenchDecoders.h"
#include "ProcessorCounters.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const DefaultFiles[] = {"p1600_420_q75.jpg", "p1600_444_q75.jpg", "p1600_gray_q75.jpg",
                                    "p1600_420_q75_prog.jpg"};

std::vector<std::string> splitList(const std::string& list)
{
    std::vector<std::string> items;
    std::stringstream stream(list);
    std::string item;
    while (std::getline(stream, item, ','))
        if (!item.empty())
            items.push_back(item);
    return items;
}

bool loadPhotos(const std::vector<std::string>& names, std::vector<BenchPhoto>& photos)
{
    for (const std::string& name : names) {
        BenchPhoto photo;
        if (!loadBenchPhoto(JPEG_CORPUS_DIR, name, photo)) {
            std::fprintf(stderr, "can't read %s/%s\n", JPEG_CORPUS_DIR, name.c_str());
            return false;
        }
        photos.push_back(std::move(photo));
    }
    return true;
}

}

// Kept out of line so profilers and callgrind can single out one decode.
[[gnu::noinline]] bool decodeOnceForCounting(const BenchDecoder& decoder, const BenchPhoto& photo,
                                             std::vector<uint8_t>& bitmap)
{
    return decoder.decode(photo, bitmap);
}

namespace {

// The process kind a sample comes from: our figures are compared only with
// the reference measured in turns with them, in the same process.
const char* processKind() { return referenceSimdSwitchedOff() ? "no-simd" : "simd"; }

bool verifyAgainstReference(const std::vector<BenchDecoder>& decoders, const std::vector<BenchPhoto>& photos)
{
    const BenchDecoder* reference = nullptr;
    std::vector<BenchDecoder> all = benchDecoders();
    for (const BenchDecoder& d : all)
        if (d.name.rfind("libjpeg-turbo", 0) == 0)
            reference = &d;
    bool same = true;
    for (const BenchPhoto& photo : photos) {
        std::vector<uint8_t> expected;
        if (!reference || !reference->decode(photo, expected))
            return false;
        for (const BenchDecoder& decoder : decoders) {
            std::vector<uint8_t> bitmap;
            if (!decoder.decode(photo, bitmap)) {
                std::fprintf(stderr, "%s: %s failed to decode\n", photo.name.c_str(), decoder.name.c_str());
                same = false;
            } else if (decoder.exact && bitmap != expected) {
                std::fprintf(stderr, "%s: %s differs from libjpeg-turbo\n", photo.name.c_str(), decoder.name.c_str());
                same = false;
            }
        }
    }
    return same;
}

int measure(int argc, char** argv)
{
    int rounds = 3;
    double slice = 0.2;
    std::vector<std::string> files(std::begin(DefaultFiles), std::end(DefaultFiles));
    std::vector<std::string> wanted;
    for (int i = 0; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--rounds")
            rounds = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--slice")
            slice = std::max(0.01, std::atof(argv[i + 1]));
        else if (option == "--files")
            files = splitList(argv[i + 1]);
        else if (option == "--decoders")
            wanted = splitList(argv[i + 1]);
        else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    if (wanted.empty()) {
        // Without SIMD in the reference, only the plain path is worth setting beside it.
        if (referenceSimdSwitchedOff())
            wanted = {"velmora plain", "libjpeg-turbo no SIMD"};
        else
            for (const BenchDecoder& d : benchDecoders())
                wanted.push_back(d.name);
    }
    std::vector<BenchDecoder> decoders;
    for (const BenchDecoder& d : benchDecoders())
        if (std::find(wanted.begin(), wanted.end(), d.name) != wanted.end())
            decoders.push_back(d);
    std::vector<BenchPhoto> photos;
    if (decoders.empty() || !loadPhotos(files, photos))
        return 2;
    if (!verifyAgainstReference(decoders, photos))
        return 1;

    ProcessorCounters counters;
    std::vector<uint8_t> bitmap;
    for (int round = 0; round < rounds; ++round) {
        for (const BenchPhoto& photo : photos) {
            for (size_t k = 0; k < decoders.size(); ++k) {
                const BenchDecoder& decoder = decoders[(k + size_t(round)) % decoders.size()];
                decoder.decode(photo, bitmap);  // warm the caches and the allocator
                int64_t decodes = 0;
                CounterReading start = counters.read();
                CounterReading used;
                do {
                    if (!decodeOnceForCounting(decoder, photo, bitmap))
                        return 1;
                    ++decodes;
                    used = difference(counters.read(), start);
                } while (used.seconds < slice || decodes < 2);
                double n = double(decodes);
                std::printf("sample\t%s\t%s\t%s\t%.9f\t%.0f\t%.0f\n", processKind(), photo.name.c_str(),
                            decoder.name.c_str(), used.seconds / n, used.cycles < 0 ? -1.0 : double(used.cycles) / n,
                            used.instructions < 0 ? -1.0 : double(used.instructions) / n);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}

struct Figures {
    std::vector<double> seconds;
    std::vector<double> cycles;
    std::vector<double> instructions;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double best(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// "p1600 4:2:0 q75" for "p1600_420_q75.jpg".
std::string label(const std::string& file)
{
    std::string name = file.substr(0, file.rfind('.'));
    std::string text;
    std::stringstream stream(name);
    std::string part;
    while (std::getline(stream, part, '_')) {
        if (part == "420")
            part = "4:2:0";
        else if (part == "444")
            part = "4:4:4";
        else if (part == "422")
            part = "4:2:2";
        else if (part == "gray")
            part = "grey";
        else if (part == "prog")
            part = "progressive";
        text += (text.empty() ? "" : " ") + part;
    }
    return text;
}

int report(int argc, char** argv)
{
    // kind -> file -> decoder -> figures
    std::map<std::string, std::map<std::string, std::map<std::string, Figures>>> samples;
    std::vector<std::string> fileOrder;
    for (int i = 0; i < argc; ++i) {
        std::ifstream in(argv[i]);
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::stringstream stream(line);
            std::string field;
            while (std::getline(stream, field, '\t'))
                fields.push_back(field);
            if (fields.size() != 7 || fields[0] != "sample")
                continue;
            Figures& f = samples[fields[1]][fields[2]][fields[3]];
            f.seconds.push_back(std::atof(fields[4].c_str()));
            if (std::atof(fields[5].c_str()) >= 0)
                f.cycles.push_back(std::atof(fields[5].c_str()));
            if (std::atof(fields[6].c_str()) >= 0)
                f.instructions.push_back(std::atof(fields[6].c_str()));
            if (std::find(fileOrder.begin(), fileOrder.end(), fields[2]) == fileOrder.end())
                fileOrder.push_back(fields[2]);
        }
    }
    std::map<std::string, BenchPhoto> photos;
    for (const std::string& name : fileOrder) {
        BenchPhoto photo;
        if (!loadBenchPhoto(JPEG_CORPUS_DIR, name, photo))
            return 2;
        photos[name] = photo;
    }
    auto megapixels = [&](const std::string& file) {
        return double(photos[file].width) * photos[file].height / 1e6;
    };
    // Megapixels per second from the best and the median slice.
    auto rate = [&](const std::string& file, const Figures& f, bool useMedian) {
        double s = useMedian ? median(f.seconds) : best(f.seconds);
        return s > 0 ? megapixels(file) / s : 0;
    };
    auto cell = [&](const std::string& file, const Figures& f) {
        char text[64];
        if (f.seconds.empty())
            std::snprintf(text, sizeof text, "%s", "-");
        else
            std::snprintf(text, sizeof text, "%.0f (%.0f)", rate(file, f, false), rate(file, f, true));
        return std::string(text);
    };
    auto ratio = [&](const std::string& file, const Figures& ours, const Figures& theirs) {
        char text[64];
        if (ours.seconds.empty() || theirs.seconds.empty())
            std::snprintf(text, sizeof text, "%s", "-");
        else
            std::snprintf(text, sizeof text, "%.2f (%.2f)", rate(file, ours, false) / rate(file, theirs, false),
                          rate(file, ours, true) / rate(file, theirs, true));
        return std::string(text);
    };

    const std::string chosen = chosenPathName();
    size_t slices = 0;
    for (const auto& [kind, files] : samples)
        for (const auto& [file, decoders] : files)
            for (const auto& [decoder, f] : decoders)
                slices = std::max(slices, f.seconds.size());
    std::printf("Megapixels per second from processor time: best slice (median slice), %zu slices each,\n"
                "measured in turns. Ratio above 1: ours is faster.\n\n",
                slices);

    std::printf("Best path (%s) against libjpeg-turbo's SIMD build, measured in the same process:\n", chosen.c_str());
    std::printf("%-28s %-14s %-20s %-13s %-14s\n", "file", "ours", "libjpeg-turbo SIMD", "ratio", "stb_image");
    for (const std::string& file : fileOrder) {
        auto& s = samples["simd"][file];
        std::printf("%-28s %-14s %-20s %-13s %-14s\n", label(file).c_str(), cell(file, s[chosen]).c_str(),
                    cell(file, s["libjpeg-turbo"]).c_str(), ratio(file, s[chosen], s["libjpeg-turbo"]).c_str(),
                    cell(file, s["stb_image"]).c_str());
    }

    std::printf("\nPlain path against libjpeg-turbo with its SIMD switched off (JSIMD_FORCENONE=1),\n"
                "measured in the same process:\n");
    std::printf("%-28s %-14s %-20s %-13s\n", "file", "ours plain", "ljt without SIMD", "ratio");
    for (const std::string& file : fileOrder) {
        auto& s = samples["no-simd"][file];
        std::printf("%-28s %-14s %-20s %-13s\n", label(file).c_str(), cell(file, s["velmora plain"]).c_str(),
                    cell(file, s["libjpeg-turbo no SIMD"]).c_str(),
                    ratio(file, s["velmora plain"], s["libjpeg-turbo no SIMD"]).c_str());
    }

    bool counted = false;
    for (const auto& [kind, files] : samples)
        for (const auto& [file, decoders] : files)
            for (const auto& [decoder, f] : decoders)
                counted = counted || !f.instructions.empty();
    std::printf("\nEvery decoder, megapixels per second (best slice)%s:\n",
                counted ? "; instructions and cycles per pixel (median slice)"
                        : "\n(the processor's counters can't be read here: --instructions counts with callgrind)");
    const std::string order[] = {"velmora plain", "velmora sse2", "velmora avx2", "libjpeg-turbo",
                                 "libjpeg-turbo no SIMD", "stb_image"};
    std::printf("%-28s %-22s %8s%s\n", "file", "decoder", "MP/s", counted ? "  instr/px cycles/px" : "");
    for (const std::string& file : fileOrder) {
        for (const std::string& decoder : order) {
            // Our paths are listed from the SIMD process; the no-SIMD one adds only the reference.
            const char* kind = decoder == "libjpeg-turbo no SIMD" ? "no-simd" : "simd";
            if (!samples[kind][file].count(decoder))
                continue;
            const Figures& f = samples[kind][file][decoder];
            double pixels = megapixels(file) * 1e6;
            std::printf("%-28s %-22s %8.0f", label(file).c_str(), decoder.c_str(), rate(file, f, false));
            if (counted)
                std::printf(" %9.1f %9.1f", f.instructions.empty() ? 0.0 : median(f.instructions) / pixels,
                            f.cycles.empty() ? 0.0 : median(f.cycles) / pixels);
            std::printf("\n");
        }
    }
    return 0;
}

int repeat(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    std::vector<BenchPhoto> photos;
    if (!loadPhotos({argv[1]}, photos))
        return 2;
    for (const BenchDecoder& decoder : benchDecoders()) {
        if (decoder.name != argv[0])
            continue;
        std::vector<uint8_t> bitmap;
        decoder.decode(photos[0], bitmap);  // first allocations and page faults, not counted
        for (int i = std::atoi(argv[2]); i > 0; --i)
            if (!decodeOnceForCounting(decoder, photos[0], bitmap))
                return 1;
        return 0;
    }
    std::fprintf(stderr, "no decoder named %s\n", argv[0]);
    return 2;
}

}

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "measure")
        return measure(argc - 2, argv + 2);
    if (mode == "report")
        return report(argc - 2, argv + 2);
    if (mode == "repeat")
        return repeat(argc - 2, argv + 2);
    std::fprintf(stderr, "usage: jpeg_benchmark measure|report|repeat ... (see scripts/bench-jpeg)\n");
    return 2;
}
