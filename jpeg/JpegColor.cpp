#include "JpegColor.h"

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

inline uint8_t clampSample(int value)
{
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

}

const YccTables yccTables = makeYccTables();

void yccToBgrPlain(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width)
{
    for (int i = 0; i < width; ++i, out += 3) {
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
    for (int i = 0; i < width; ++i, out += 3)
        out[0] = out[1] = out[2] = y[i];
}

void interleaveComponents(const uint8_t* const* rows, int count, uint8_t* out, int width)
{
    for (int i = 0; i < width; ++i)
        for (int c = 0; c < count; ++c)
            *out++ = rows[c][i];
}
