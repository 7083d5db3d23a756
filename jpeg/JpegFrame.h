#pragma once

#include "JpegHuffman.h"

#include <cstdint>

constexpr int MaxComponents = 4;

// A quantization table in zig-zag order, as the DQT segment holds it. The
// values are kept as 16-bit signed numbers, the width the inverse DCT
// multiplies with.
struct QuantTable {
    bool defined = false;
    int16_t values[64];
};

struct FrameComponent {
    int id = 0;
    int h = 1;  // horizontal sampling factor, 1 to 4
    int v = 1;  // vertical sampling factor, 1 to 4
    int quantTable = 0;
    // Size of the component's sample array: ceil(X * h / Hmax) by ceil(Y * v / Vmax).
    int sampleWidth = 0;
    int sampleHeight = 0;
    // Blocks covering the sample array, as a scan of this component alone codes them.
    int blocksWide = 0;
    int blocksHigh = 0;
    // Blocks of the MCU grid of an interleaved scan (a multiple of h and v).
    int gridBlocksWide = 0;
    int gridBlocksHigh = 0;
};

struct FrameHeader {
    bool defined = false;
    bool progressive = false;
    int width = 0;
    int height = 0;
    int componentCount = 0;
    FrameComponent components[MaxComponents];
    int hMax = 1;
    int vMax = 1;
    int mcusWide = 0;
    int mcusHigh = 0;
};

struct ScanHeader {
    int componentCount = 0;
    int componentIndex[MaxComponents] = {};
    int dcTable[MaxComponents] = {};
    int acTable[MaxComponents] = {};
    int spectralStart = 0;
    int spectralEnd = 63;
    int approxHigh = 0;
    int approxLow = 0;
};

// Tables and settings that segments between the markers define and a scan uses.
struct DecoderTables {
    QuantTable quant[4];
    HuffmanTable dc[4];
    HuffmanTable ac[4];
    int restartInterval = 0;
};
