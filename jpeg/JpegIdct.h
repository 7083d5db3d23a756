#pragma once

// Dequantisation and inverse DCT (ISO/IEC 10918-1 A.3.3), computed with the
// accurate integer method of the reference decoder (13-bit constants, two
// passes with 2 extra bits of precision in between) so the output matches it
// byte for byte.

#include <array>
#include <cstddef>
#include <cstdint>

// Hostile coefficients may overflow the 32-bit intermediate values: all
// arithmetic wraps modulo 2^32, which keeps it defined and gives the same
// bytes on every processor path.

// Limits an IDCT result (before the +128 level shift) to a sample; index =
// value & 1023. As in the reference decoder: -128..127 map to 0..255, larger
// values saturate, and the wrapped-around upper half holds the negatives.
constexpr std::array<uint8_t, 1024> makeIdctRangeLimit()
{
    std::array<uint8_t, 1024> table{};
    for (int i = 0; i < 1024; ++i) {
        if (i < 128)
            table[size_t(i)] = uint8_t(i + 128);
        else if (i < 512)
            table[size_t(i)] = 255;
        else if (i < 896)
            table[size_t(i)] = 0;
        else
            table[size_t(i)] = uint8_t(i - 896);
    }
    return table;
}

inline constexpr std::array<uint8_t, 1024> idctRangeLimit = makeIdctRangeLimit();

// The plain C++ kernel: block and quant hold 64 values in natural order; the
// 8x8 result is written to out, rows `stride` bytes apart.
void idctPlain(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);

// The same for a block whose non-zero coefficients all lie in its top-left
// 4x4 corner: none has bit 5 (row 4-7) or bit 2 (column 4-7) in its natural
// position row * 8 + column.
void idctPlainCorner(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
constexpr int OutsideCornerPositionBits = 0x24;

// The same for a block whose only non-zero coefficient is the DC term.
void idctDcOnly(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
