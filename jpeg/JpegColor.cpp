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

inline uint8_t clampToByte(int value) { return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value); }

// One pixel's colours exactly as the tables give them, in 16-bit arithmetic:
// the factors are split so that every product fits 16 bits.
//   red:   Cr * 1.402 = Cr + Cr * 0.402 (26345 / 2^16)
//   blue:  Cb * 1.772 = 2 Cb - Cb * 0.228 (14942 / 2^16)
//   green: -Cb * 0.344 - Cr * 0.714 = -Cb * 0.344 + Cr * 0.286 - Cr
// and (x * f + 2^15) >> 16 = (((2x * f) >> 16) + 1) >> 1.
inline void yccToColours(int16_t luma, int cbSample, int crSample, uint8_t& blue, uint8_t& green, uint8_t& red)
{
    int16_t cbc = int16_t(cbSample - 128);
    int16_t crc = int16_t(crSample - 128);
    auto highHalf = [](int16_t a, int16_t b) { return int16_t((int32_t(a) * b) >> 16); };
    int16_t redPart = int16_t((highHalf(int16_t(2 * crc), 26345) + 1) >> 1);
    int16_t bluePart = int16_t((highHalf(int16_t(2 * cbc), -14942) + 1) >> 1);
    int16_t greenPart = int16_t((int32_t(cbc) * -22554 + int32_t(crc) * 18734 + 32768) >> 16);
    blue = clampToByte(luma + 2 * cbc + bluePart);
    green = clampToByte(luma + greenPart - crc);
    red = clampToByte(luma + crc + redPart);
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
    // A chunk of pixels at a time: their colours first, into three small
    // arrays (in 16-bit arithmetic, a loop compilers turn into vector code),
    // then interleaved eight pixels to three 8-byte stores. Chunk 64: longer
    // gains nothing once the vector loop dominates, and the arrays stay small.
    constexpr int Chunk = 64;
    uint8_t blue[Chunk], green[Chunk], red[Chunk];
    for (int start = 0; start < width; start += Chunk) {
        int count = width - start < Chunk ? width - start : Chunk;
        for (int k = 0; k < count; ++k)
            yccToColours(y[start + k], cb[start + k], cr[start + k], blue[k], green[k], red[k]);
        int k = 0;
        for (; k + 8 <= count; k += 8, out += 24) {
            uint64_t b[8], g[8], r[8];
            for (int j = 0; j < 8; ++j) {
                b[j] = blue[k + j];
                g[j] = green[k + j];
                r[j] = red[k + j];
            }
            storeLittleEndian64(out, b[0] | g[0] << 8 | r[0] << 16 | b[1] << 24 | g[1] << 32 | r[1] << 40 |
                                         b[2] << 48 | g[2] << 56);
            storeLittleEndian64(out + 8, r[2] | b[3] << 8 | g[3] << 16 | r[3] << 24 | b[4] << 32 | g[4] << 40 |
                                             r[4] << 48 | b[5] << 56);
            storeLittleEndian64(out + 16, g[5] | r[5] << 8 | b[6] << 16 | g[6] << 24 | r[6] << 32 | b[7] << 40 |
                                              g[7] << 48 | r[7] << 56);
        }
        for (; k < count; ++k, out += 3) {
            out[0] = blue[k];
            out[1] = green[k];
            out[2] = red[k];
        }
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
