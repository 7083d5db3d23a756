#pragma once

// Helpers shared by the codec's tests: the corpus and its reference bitmaps,
// decoding through the internal decoder with a chosen kernel table, and a
// writer of small synthetic JPEG streams.

#include "jpeg/JpegKernels.h"
#include "jpeg/JpegResult.h"

#include <cstdint>
#include <string>
#include <vector>

struct CorpusEntry {
    std::string name;
    std::string process;  // e.g. "SOF0 baseline, 1 scan"
};

std::string corpusFolder();
std::string referenceFolder();
// Every .jpg file of the corpus folder, sorted by name, with its process as
// MANIFEST.txt describes it (empty for a file the manifest does not list).
std::vector<CorpusEntry> corpusEntries();
// The names MANIFEST.txt lists.
std::vector<std::string> manifestNames();
std::vector<uint8_t> readBytes(const std::string& path);

// Every kernel table this processor runs: plain first, then the vector ones.
std::vector<const JpegKernels*> availableKernels();

struct DecodedImage {
    JpegResult result = JpegInternalError;
    int width = 0;
    int height = 0;
    int channels = 0;
    size_t rowBytes = 0;  // padded to a multiple of 4
    std::vector<uint8_t> pixels;
};

// Decodes with the colour rule of the preview loader (grey and YCbCr to BGR,
// four components to RGBA), top-down, rows padded to 4 bytes.
DecodedImage decodeMemory(const std::vector<uint8_t>& bytes, const JpegKernels& kernels);
DecodedImage decodeFile(const std::string& path, const JpegKernels& kernels);

// A BMP file as written by djpeg (24-bit, or 8-bit with a grey palette),
// converted to BGR top-down with rows padded to 4 bytes.
bool readBmpAsBgr(const std::string& path, DecodedImage& image);

// Writes baseline JPEG streams whose blocks carry only DC terms, so every
// sample of a component is known exactly: a DC coefficient of 8 * (s - 128)
// with quantizer 1 decodes to sample s.
struct SyntheticComponent {
    int h = 1;
    int v = 1;
    int sample = 128;
};
std::vector<uint8_t> syntheticJpeg(int width, int height, const std::vector<SyntheticComponent>& components,
                                   int sofMarker = 0xC0, int precision = 8);
