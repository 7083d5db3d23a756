#include "JpegTestSupport.h"

#include "jpeg/JpegDecoder.h"
#include "jpeg/JpegSource.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string corpusFolder() { return JPEG_CORPUS_DIR; }
std::string referenceFolder() { return JPEG_REFERENCE_DIR; }

namespace {

std::vector<std::vector<std::string>> manifestRows()
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream manifest(corpusFolder() + "/MANIFEST.txt");
    std::string line;
    while (std::getline(manifest, line)) {
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '|')) {
            size_t first = field.find_first_not_of(' ');
            size_t last = field.find_last_not_of(" \r");
            fields.push_back(first == std::string::npos ? "" : field.substr(first, last - first + 1));
        }
        if (fields.size() >= 6)
            rows.push_back(fields);
    }
    return rows;
}

}

std::vector<std::string> manifestNames()
{
    std::vector<std::string> names;
    for (const auto& row : manifestRows())
        names.push_back(row[0]);
    return names;
}

std::vector<CorpusEntry> corpusEntries()
{
    std::vector<CorpusEntry> entries;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(corpusFolder(), error)) {
        std::string name = item.path().filename().string();
        if (name.size() > 4 && name.substr(name.size() - 4) == ".jpg")
            entries.push_back({name, ""});
    }
    std::sort(entries.begin(), entries.end(), [](const CorpusEntry& a, const CorpusEntry& b) { return a.name < b.name; });
    for (const auto& row : manifestRows())
        for (CorpusEntry& entry : entries)
            if (entry.name == row[0])
                entry.process = row[5];
    return entries;
}

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<const JpegKernels*> availableKernels()
{
    std::vector<const JpegKernels*> kernels{&plainKernels()};
    if (const JpegKernels* k = sse2Kernels())
        kernels.push_back(k);
    if (const JpegKernels* k = avx2Kernels())
        kernels.push_back(k);
    return kernels;
}

namespace {

DecodedImage decodeSource(JpegSource& source, const JpegKernels& kernels)
{
    DecodedImage image;
    JpegDecoder decoder(source);
    image.result = decoder.readHeader();
    if (image.result != JpegSuccess)
        return image;
    const FrameHeader& frame = decoder.frame();
    JpegOutputTarget target;
    switch (frame.componentCount) {
    case 1:
        target.layout = JpegOutputLayout::GreyToBgr;
        image.channels = 3;
        break;
    case 3:
        target.layout = JpegOutputLayout::YccToBgr;
        image.channels = 3;
        break;
    case 4:
        target.layout = JpegOutputLayout::YccAlphaToRgba;
        image.channels = 4;
        break;
    default:
        target.layout = JpegOutputLayout::PassThrough;
        image.channels = frame.componentCount;
        break;
    }
    image.width = frame.width;
    image.height = frame.height;
    image.rowBytes = (size_t(image.width) * size_t(image.channels) + 3) & ~size_t(3);
    if (size_t(image.width) * size_t(image.height) > (size_t(1) << 26)) {
        image.result = JpegMemoryError;  // far beyond any test image: a damaged header
        return image;
    }
    image.pixels.assign(image.rowBytes * size_t(image.height), 0);
    target.pixels = image.pixels.data();
    target.rowStride = image.rowBytes;
    image.result = decoder.decode(target, kernels);
    return image;
}

uint32_t readLe(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | b[at + size_t(i)];
    return value;
}

}

DecodedImage decodeMemory(const std::vector<uint8_t>& bytes, const JpegKernels& kernels)
{
    JpegSource source;
    source.attachMemory(bytes.data(), bytes.size());
    return decodeSource(source, kernels);
}

DecodedImage decodeFile(const std::string& path, const JpegKernels& kernels)
{
    DecodedImage image;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        image.result = JpegInvalidFileName;
        return image;
    }
    JpegSource source;
    source.attachFile(file);
    image = decodeSource(source, kernels);
    std::fclose(file);
    return image;
}

bool readBmpAsBgr(const std::string& path, DecodedImage& image)
{
    std::vector<uint8_t> b = readBytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return false;
    uint32_t dataOffset = readLe(b, 10, 4);
    uint32_t headerSize = readLe(b, 14, 4);
    int32_t width = int32_t(readLe(b, 18, 4));
    int32_t height = int32_t(readLe(b, 22, 4));
    int bitCount = int(readLe(b, 28, 2));
    bool bottomUp = height > 0;
    if (height < 0)
        height = -height;
    if (bitCount != 8 && bitCount != 24)
        return false;
    size_t sourceRow = (size_t(width) * size_t(bitCount / 8) + 3) & ~size_t(3);
    if (b.size() < dataOffset + sourceRow * size_t(height))
        return false;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
    image.pixels.assign(image.rowBytes * size_t(height), 0);
    size_t palette = 14 + headerSize;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = b.data() + dataOffset + sourceRow * size_t(bottomUp ? height - 1 - y : y);
        uint8_t* out = image.pixels.data() + image.rowBytes * size_t(y);
        for (int x = 0; x < width; ++x) {
            if (bitCount == 24) {
                for (int k = 0; k < 3; ++k)
                    out[3 * x + k] = in[3 * x + k];
            } else {
                for (int k = 0; k < 3; ++k)
                    out[3 * x + k] = b[palette + 4 * size_t(in[x]) + size_t(k)];
            }
        }
    }
    image.result = JpegSuccess;
    return true;
}

namespace {

class BitWriter {
public:
    void put(uint32_t value, int length)
    {
        for (int i = length - 1; i >= 0; --i) {
            current = uint8_t((current << 1) | ((value >> i) & 1));
            if (++filled == 8)
                flushByte();
        }
    }
    std::vector<uint8_t> finish()
    {
        while (filled != 0)
            put(1, 1);  // pad with one-bits
        return bytes;
    }

private:
    void flushByte()
    {
        bytes.push_back(current);
        if (current == 0xFF)
            bytes.push_back(0x00);
        current = 0;
        filled = 0;
    }
    std::vector<uint8_t> bytes;
    uint8_t current = 0;
    int filled = 0;
};

void putSegment(std::vector<uint8_t>& out, int marker, const std::vector<uint8_t>& body)
{
    out.push_back(0xFF);
    out.push_back(uint8_t(marker));
    size_t length = body.size() + 2;
    out.push_back(uint8_t(length >> 8));
    out.push_back(uint8_t(length));
    out.insert(out.end(), body.begin(), body.end());
}

}

std::vector<uint8_t> syntheticJpeg(int width, int height, const std::vector<SyntheticComponent>& components,
                                   int sofMarker, int precision)
{
    std::vector<uint8_t> out{0xFF, 0xD8};
    std::vector<uint8_t> dqt{0x00};
    dqt.insert(dqt.end(), 64, 1);
    putSegment(out, 0xDB, dqt);

    std::vector<uint8_t> sof{uint8_t(precision), uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8),
                             uint8_t(width), uint8_t(components.size())};
    int hMax = 1, vMax = 1;
    for (size_t i = 0; i < components.size(); ++i) {
        sof.push_back(uint8_t(i + 1));
        sof.push_back(uint8_t((components[i].h << 4) | components[i].v));
        sof.push_back(0);
        hMax = std::max(hMax, components[i].h);
        vMax = std::max(vMax, components[i].v);
    }
    putSegment(out, sofMarker, sof);

    // DC table: categories 0..11 with 4-bit codes; AC table: EOB only, code "0".
    std::vector<uint8_t> dht{0x00, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
        dht.push_back(uint8_t(i));
    dht.insert(dht.end(), {0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00});
    putSegment(out, 0xC4, dht);

    std::vector<uint8_t> sos{uint8_t(components.size())};
    for (size_t i = 0; i < components.size(); ++i) {
        sos.push_back(uint8_t(i + 1));
        sos.push_back(0x00);
    }
    sos.insert(sos.end(), {0, 63, 0});
    putSegment(out, 0xDA, sos);

    // Every block of a component has the same DC value: the first block codes
    // the difference from 0, all later ones a difference of 0.
    BitWriter bits;
    int mcusWide = (width + 8 * hMax - 1) / (8 * hMax);
    int mcusHigh = (height + 8 * vMax - 1) / (8 * vMax);
    if (components.size() == 1) {
        mcusWide = (width + 7) / 8;
        mcusHigh = (height + 7) / 8;
    }
    std::vector<bool> started(components.size(), false);
    for (int m = 0; m < mcusWide * mcusHigh; ++m) {
        for (size_t i = 0; i < components.size(); ++i) {
            int blocks = components.size() == 1 ? 1 : components[i].h * components[i].v;
            for (int b = 0; b < blocks; ++b) {
                int diff = started[i] ? 0 : 8 * (components[i].sample - 128);
                started[i] = true;
                int magnitude = diff < 0 ? -diff : diff;
                int category = 0;
                while ((1 << category) <= magnitude)
                    ++category;
                bits.put(uint32_t(category), 4);
                if (category > 0)
                    bits.put(uint32_t(diff < 0 ? diff + (1 << category) - 1 : diff), category);
                bits.put(0, 1);  // EOB
            }
        }
    }
    std::vector<uint8_t> data = bits.finish();
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}
