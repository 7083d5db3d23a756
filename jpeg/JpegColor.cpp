#include "JpegColor.h"

#include <cstring>

namespace {

constexpr YccTables makeYccTables()
{
    YccTables t{};
    constexpr int32_t half = 1 << (YccScaleBits - 1);
    for (int i = 0; i < 256; ++i) {
        int32_t x = i - 128;
        t.crToR[i] = int16_t((YccCrToR * x + half) >> YccScaleBits);
        t.cbToB[i] = int16_t((YccCbToB * x + half) >> YccScaleBits);
        t.crToG[i] = -YccCrToG * x;
        t.cbToG[i] = -YccCbToG * x + half;
    }
    return t;
}

// Sample limits for sums of a sample and a chroma contribution, which stay
// within -256..511: a table look-up instead of two comparisons per byte.
struct ClampTable {
    uint8_t values[768];
};

constexpr ClampTable makeClampTable()
{
    ClampTable t{};
    for (int i = 0; i < 768; ++i)
        t.values[i] = uint8_t(i < 256 ? 0 : i > 511 ? 255 : i - 256);
    return t;
}

constexpr ClampTable clampTable = makeClampTable();

inline uint8_t clampSample(int value) { return clampTable.values[value + 256]; }

inline void storeLittleEndian(uint8_t* out, uint32_t value)
{
    uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    std::memcpy(out, bytes, 4);
}

inline void storeLittleEndian64(uint8_t* out, uint64_t value)
{
    uint8_t bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = uint8_t(value >> (8 * i));
    std::memcpy(out, bytes, 8);
}

}

const YccTables yccTables = makeYccTables();

void yccToBgrPlain(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width)
{
    // Each pixel but the last is written as one 4-byte store whose fourth
    // byte the next pixel overwrites: a third of the stores, never a byte
    // past the row.
    int i = 0;
    for (; i < width - 1; ++i, out += 3) {
        int luma = y[i];
        int blue = cb[i];
        int red = cr[i];
        uint32_t b = clampSample(luma + yccTables.cbToB[blue]);
        uint32_t g = clampSample(luma + ((yccTables.cbToG[blue] + yccTables.crToG[red]) >> YccScaleBits));
        uint32_t r = clampSample(luma + yccTables.crToR[red]);
        storeLittleEndian(out, b | (g << 8) | (r << 16));
    }
    for (; i < width; ++i, out += 3) {
        int luma = y[i];
        int blue = cb[i];
        int red = cr[i];
        out[0] = clampSample(luma + yccTables.cbToB[blue]);
        out[1] = clampSample(luma + ((yccTables.cbToG[blue] + yccTables.crToG[red]) >> YccScaleBits));
        out[2] = clampSample(luma + yccTables.crToR[red]);
    }
}

void yccAlphaToRgbaPlain(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, const uint8_t* alpha,
                         uint8_t* out, int width)
{
    for (int i = 0; i < width; ++i, out += 4) {
        int luma = y[i];
        int blue = cb[i];
        int red = cr[i];
        out[0] = clampSample(luma + yccTables.crToR[red]);
        out[1] = clampSample(luma + ((yccTables.cbToG[blue] + yccTables.crToG[red]) >> YccScaleBits));
        out[2] = clampSample(luma + yccTables.cbToB[blue]);
        out[3] = alpha[i];
    }
}

void greyToBgrPlain(const uint8_t* y, uint8_t* out, int width)
{
    // Eight pixels as three 8-byte stores: a third of the stores of one per pixel.
    constexpr uint64_t three = 0x010101;
    int i = 0;
    for (; i + 8 <= width; i += 8, out += 24) {
        uint64_t p[8];
        for (int k = 0; k < 8; ++k)
            p[k] = y[i + k];
        storeLittleEndian64(out, p[0] * three | p[1] * three << 24 | p[2] * 0x0101 << 48);
        storeLittleEndian64(out + 8, p[2] | p[3] * three << 8 | p[4] * three << 32 | p[5] << 56);
        storeLittleEndian64(out + 16, p[5] * 0x0101 | p[6] * three << 16 | p[7] * three << 40);
    }
    for (; i < width; ++i, out += 3)
        out[0] = out[1] = out[2] = y[i];
}

void interleaveComponents(const uint8_t* const* rows, int count, uint8_t* out, int width)
{
    for (int i = 0; i < width; ++i)
        for (int c = 0; c < count; ++c)
            *out++ = rows[c][i];
}
