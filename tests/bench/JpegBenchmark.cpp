// Decoding speed of our JPEG decoder (each kernel table) next to the
// reference decoder (accurate integer IDCT, BGR output) and stb_image, all
// from memory, in megapixels per second. Run through scripts/bench-jpeg,
// which first measures the reference decoder with its SIMD switched off
// (JSIMD_FORCENONE=1 is read once per process) and hands those figures in.

#include "jpeg/JpegDecoder.h"
#include "jpeg/JpegKernels.h"
#include "jpeg/JpegSource.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <stb_image.h>

namespace {

const char* const Files[] = {"p1600_420_q75.jpg", "p1600_444_q75.jpg", "p1600_gray_q75.jpg",
                             "p1600_420_q75_prog.jpg"};

struct Photo {
    std::string name;
    std::vector<uint8_t> bytes;
    int width = 0;
    int height = 0;
};

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool decodeOurs(const Photo& photo, const JpegKernels& kernels, std::vector<uint8_t>& bitmap)
{
    JpegSource source;
    source.attachMemory(photo.bytes.data(), photo.bytes.size());
    JpegDecoder decoder(source);
    if (decoder.readHeader() != JpegSuccess)
        return false;
    JpegOutputTarget target;
    target.layout = decoder.frame().componentCount == 1 ? JpegOutputLayout::GreyToBgr : JpegOutputLayout::YccToBgr;
    target.rowStride = (size_t(photo.width) * 3 + 3) & ~size_t(3);
    bitmap.resize(target.rowStride * size_t(photo.height));
    target.pixels = bitmap.data();
    return decoder.decode(target, kernels) == JpegSuccess;
}

bool decodeLibjpeg(const Photo& photo, std::vector<uint8_t>& bitmap)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, photo.bytes.data(), static_cast<unsigned long>(photo.bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    size_t stride = (size_t(info.output_width) * 3 + 3) & ~size_t(3);
    bitmap.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bitmap.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool decodeStb(const Photo& photo)
{
    int width = 0, height = 0, components = 0;
    unsigned char* pixels =
        stbi_load_from_memory(photo.bytes.data(), int(photo.bytes.size()), &width, &height, &components, 3);
    bool ok = pixels != nullptr;
    stbi_image_free(pixels);
    return ok;
}

// Processor seconds per decode, the best of the benchmark library's runs, by file and decoder.
std::map<std::string, std::map<std::string, double>> seconds;

template <typename Decode>
void measure(benchmark::State& state, const Photo& photo, const std::string& decoderName, Decode decode)
{
    // Processor time, not wall time: the figures stay comparable on a machine
    // that other work shares.
    int64_t decodes = 0;
    std::clock_t start = std::clock();
    for (auto _ : state) {
        if (!decode()) {
            state.SkipWithError("decode failed");
            return;
        }
        ++decodes;
    }
    double elapsed = double(std::clock() - start) / CLOCKS_PER_SEC;
    double megapixels = double(photo.width) * photo.height / 1e6;
    state.counters["MP/s"] = benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
    if (decodes > 0) {
        double perDecode = elapsed / double(decodes);
        double& best = seconds[photo.name][decoderName];
        if (best == 0 || perDecode < best)
            best = perDecode;
    }
}

double megapixelsPerSecond(const Photo& photo, double perDecode)
{
    return perDecode > 0 ? double(photo.width) * photo.height / 1e6 / perDecode : 0;
}

// Figures of the reference-only run: megapixels per second of the reference
// decoder without SIMD and of our plain kernels beside it, by file.
struct PlainFigures {
    double reference = 0;
    double ours = 0;
};

std::map<std::string, PlainFigures> readFigures(const char* path)
{
    std::map<std::string, PlainFigures> figures;
    if (!path)
        return figures;
    std::ifstream file(path);
    std::string name;
    PlainFigures f;
    while (file >> name >> f.reference >> f.ours)
        figures[name] = f;
    return figures;
}

}

int main(int argc, char** argv)
{
    // --reference-only FILE: measure only the reference decoder and write
    // "file megapixels-per-second" lines to FILE.
    const char* referenceOnly = nullptr;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--reference-only") == 0 && i + 1 < argc)
            referenceOnly = argv[++i];
        else
            arguments.push_back(argv[i]);
    }
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    std::vector<const JpegKernels*> ourKernels{&plainKernels()};
    for (const JpegKernels* k : {sse2Kernels(), avx2Kernels()})
        if (k)
            ourKernels.push_back(k);

    static std::vector<Photo> photos;
    for (const char* name : Files) {
        Photo photo;
        photo.name = name;
        photo.bytes = readAll(std::string(JPEG_CORPUS_DIR) + "/" + name);
        JpegSource source;
        source.attachMemory(photo.bytes.data(), photo.bytes.size());
        JpegDecoder decoder(source);
        if (decoder.readHeader() != JpegSuccess) {
            std::fprintf(stderr, "can't read %s\n", name);
            return 1;
        }
        photo.width = decoder.frame().width;
        photo.height = decoder.frame().height;
        photos.push_back(std::move(photo));
    }

    for (const Photo& photo : photos) {
        const Photo* p = &photo;
        // The reference-only run measures our plain kernels too, so the ratio
        // of the two plain C paths comes from one process at one time.
        std::vector<const JpegKernels*> kernelsToRun = ourKernels;
        if (referenceOnly)
            kernelsToRun = {&plainKernels()};
        for (const JpegKernels* kernels : kernelsToRun) {
            std::string decoderName = std::string("velmora ") + kernels->name;
            benchmark::RegisterBenchmark((photo.name + "/" + decoderName).c_str(),
                                         [p, kernels, decoderName](benchmark::State& state) {
                                             std::vector<uint8_t> bitmap;
                                             measure(state, *p, decoderName,
                                                     [&] { return decodeOurs(*p, *kernels, bitmap); });
                                         })
                ->Unit(benchmark::kMillisecond);
        }
        if (!referenceOnly) {
            benchmark::RegisterBenchmark((photo.name + "/stb_image").c_str(), [p](benchmark::State& state) {
                measure(state, *p, "stb_image", [&] { return decodeStb(*p); });
            })->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark((photo.name + "/libjpeg-turbo").c_str(), [p](benchmark::State& state) {
            std::vector<uint8_t> bitmap;
            measure(state, *p, "libjpeg-turbo", [&] { return decodeLibjpeg(*p, bitmap); });
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (referenceOnly) {
        std::ofstream out(referenceOnly);
        for (const Photo& photo : photos)
            out << photo.name << ' ' << megapixelsPerSecond(photo, seconds[photo.name]["libjpeg-turbo"]) << ' '
                << megapixelsPerSecond(photo, seconds[photo.name]["velmora plain"]) << '\n';
        return 0;
    }

    std::map<std::string, PlainFigures> noSimd = readFigures(std::getenv("VELMORA_BENCH_REFERENCE_NOSIMD"));
    std::string best = std::string("velmora ") + ourKernels.back()->name;
    std::printf("\nMegapixels per second\n%-24s", "file");
    for (const JpegKernels* kernels : ourKernels)
        std::printf(" %14s", (std::string("velmora ") + kernels->name).c_str());
    std::printf(" %14s %14s %14s\n", "libjpeg-turbo", "ljt no SIMD", "stb_image");
    for (const Photo& photo : photos) {
        auto& s = seconds[photo.name];
        std::printf("%-24s", photo.name.c_str());
        for (const JpegKernels* kernels : ourKernels)
            std::printf(" %14.1f", megapixelsPerSecond(photo, s[std::string("velmora ") + kernels->name]));
        std::printf(" %14.1f %14.1f %14.1f\n", megapixelsPerSecond(photo, s["libjpeg-turbo"]),
                    noSimd[photo.name].reference, megapixelsPerSecond(photo, s["stb_image"]));
    }
    std::printf("\nRatios (above 1: ours is faster; plain / ljt no SIMD from the reference-only run, where\n"
                "both were measured side by side)\n%-24s %20s %20s %20s\n",
                "file", "plain / ljt no SIMD", "best / stb_image", "best / libjpeg-turbo");
    for (const Photo& photo : photos) {
        auto& s = seconds[photo.name];
        double fastest = megapixelsPerSecond(photo, s[best]);
        double reference = megapixelsPerSecond(photo, s["libjpeg-turbo"]);
        double stb = megapixelsPerSecond(photo, s["stb_image"]);
        const PlainFigures& plainPair = noSimd[photo.name];
        std::printf("%-24s %20.2f %20.2f %20.2f\n", photo.name.c_str(),
                    plainPair.reference > 0 ? plainPair.ours / plainPair.reference : 0.0,
                    stb > 0 ? fastest / stb : 0.0, reference > 0 ? fastest / reference : 0.0);
    }
    return 0;
}
