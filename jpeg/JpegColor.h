#pragma once

// Colour conversion of full-size component rows into bitmap pixels: JFIF
// YCbCr to RGB with the reference decoder's 16-bit fixed-point factors
// (R = Y + 1.402 Cr', G = Y - 0.34414 Cb' - 0.71414 Cr', B = Y + 1.772 Cb').

#include <cstdint>

void yccToBgrPlain(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width);
// Three YCbCr components and a fourth passed through as alpha, to RGBA.
void yccAlphaToRgbaPlain(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, const uint8_t* alpha,
                         uint8_t* out, int width);
// The grey value in blue, green and red.
void greyToBgrPlain(const uint8_t* y, uint8_t* out, int width);
// Components interleaved without conversion.
void interleaveComponents(const uint8_t* const* rows, int count, uint8_t* out, int width);

// Contributions of a centred chroma value, as the plain kernel uses them.
struct YccTables {
    int16_t crToR[256];
    int16_t cbToB[256];
    int32_t crToG[256];
    int32_t cbToG[256];
};
extern const YccTables yccTables;

constexpr int YccScaleBits = 16;
constexpr int32_t YccCrToR = 91881;   // 1.40200 * 2^16, rounded
constexpr int32_t YccCbToB = 116130;  // 1.77200 * 2^16
constexpr int32_t YccCrToG = 46802;   // 0.71414 * 2^16
constexpr int32_t YccCbToG = 22554;   // 0.34414 * 2^16
