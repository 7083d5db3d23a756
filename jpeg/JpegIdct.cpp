#include "JpegIdct.h"

#include "JpegIdctConstants.h"

#include <cstring>

namespace {

inline int32_t shiftRight(uint32_t value, int bits) { return int32_t(value) >> bits; }

inline int32_t dcOnlyColumn(uint32_t dc)
{
    using namespace IdctConstants;
    return shiftRight((dc << ConstBits) + (1u << (ConstBits - Pass1Bits - 1)), ConstBits - Pass1Bits);
}

// The accurate integer IDCT on a block whose non-zero coefficients all lie in
// its first `Size` rows and columns. Leaving out terms that are known to be
// zero changes no result, so every Size gives the full transform's bytes;
// a smaller Size only saves work (a speed-up of ours, not of the reference).
template <int Size>
void idctRegion(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    using namespace IdctConstants;
    int32_t workspace[64];
    // Coefficient (row, col) dequantized, or 0 outside the region.
    auto input = [&](int row, int col) -> uint32_t {
        if (row >= Size)
            return 0;
        return uint32_t(int32_t(block[row * 8 + col]) * quant[row * 8 + col]);
    };

    // Pass 1: columns, results scaled up by 2^Pass1Bits.
    for (int col = 0; col < Size; ++col) {
        const int16_t* in = block + col;
        int32_t* ws = workspace + col;
        int acBits = 0;
        for (int row = 1; row < Size; ++row)
            acBits |= in[row * 8];
        if (acBits == 0) {
            // What the full pass gives when only the DC term is non-zero,
            // wrapping included: (dc << ConstBits + round) >> (ConstBits - Pass1Bits).
            int32_t dc = dcOnlyColumn(input(0, col));
            for (int row = 0; row < 8; ++row)
                ws[row * 8] = dc;
            continue;
        }
        // Even part.
        uint32_t z2 = input(2, col);
        uint32_t z3 = input(6, col);
        uint32_t z1 = (z2 + z3) * Fix0_541196100;
        uint32_t tmp2 = z1 + z3 * uint32_t(-Fix1_847759065);
        uint32_t tmp3 = z1 + z2 * Fix0_765366865;
        z2 = input(0, col);
        z3 = input(4, col);
        uint32_t tmp0 = (z2 + z3) << ConstBits;
        uint32_t tmp1 = (z2 - z3) << ConstBits;
        uint32_t tmp10 = tmp0 + tmp3;
        uint32_t tmp13 = tmp0 - tmp3;
        uint32_t tmp11 = tmp1 + tmp2;
        uint32_t tmp12 = tmp1 - tmp2;

        // Odd part.
        tmp0 = input(7, col);
        tmp1 = input(5, col);
        tmp2 = input(3, col);
        tmp3 = input(1, col);
        z1 = tmp0 + tmp3;
        z2 = tmp1 + tmp2;
        z3 = tmp0 + tmp2;
        uint32_t z4 = tmp1 + tmp3;
        uint32_t z5 = (z3 + z4) * Fix1_175875602;
        tmp0 *= Fix0_298631336;
        tmp1 *= Fix2_053119869;
        tmp2 *= Fix3_072711026;
        tmp3 *= Fix1_501321110;
        z1 *= uint32_t(-Fix0_899976223);
        z2 *= uint32_t(-Fix2_562915447);
        z3 *= uint32_t(-Fix1_961570560);
        z4 *= uint32_t(-Fix0_390180644);
        z3 += z5;
        z4 += z5;
        tmp0 += z1 + z3;
        tmp1 += z2 + z4;
        tmp2 += z2 + z3;
        tmp3 += z1 + z4;

        constexpr int shift = ConstBits - Pass1Bits;
        constexpr uint32_t round = 1u << (shift - 1);
        ws[0] = shiftRight(tmp10 + tmp3 + round, shift);
        ws[56] = shiftRight(tmp10 - tmp3 + round, shift);
        ws[8] = shiftRight(tmp11 + tmp2 + round, shift);
        ws[48] = shiftRight(tmp11 - tmp2 + round, shift);
        ws[16] = shiftRight(tmp12 + tmp1 + round, shift);
        ws[40] = shiftRight(tmp12 - tmp1 + round, shift);
        ws[24] = shiftRight(tmp13 + tmp0 + round, shift);
        ws[32] = shiftRight(tmp13 - tmp0 + round, shift);
    }

    // Pass 2: rows, removing the 2^Pass1Bits scale and the factor 8 of the transform.
    constexpr int shift = ConstBits + Pass1Bits + 3;
    constexpr uint32_t round = 1u << (shift - 1);
    for (int row = 0; row < 8; ++row, out += stride) {
        const int32_t* ws = workspace + row * 8;
        auto w = [&](int col) -> uint32_t { return col < Size ? uint32_t(ws[col]) : 0; };
        int acBits = 0;
        for (int col = 1; col < Size; ++col)
            acBits |= ws[col];
        if (acBits == 0) {
            // Same bits as the full pass: it shifts left by ConstBits first, but
            // only bits 18-27 of the result are kept.
            uint8_t value = idctRangeLimit[shiftRight(w(0) + (1u << (Pass1Bits + 2)), Pass1Bits + 3) & 1023];
            std::memset(out, value, 8);
            continue;
        }
        uint32_t z2 = w(2);
        uint32_t z3 = w(6);
        uint32_t z1 = (z2 + z3) * Fix0_541196100;
        uint32_t tmp2 = z1 + z3 * uint32_t(-Fix1_847759065);
        uint32_t tmp3 = z1 + z2 * Fix0_765366865;
        uint32_t tmp0 = (w(0) + w(4)) << ConstBits;
        uint32_t tmp1 = (w(0) - w(4)) << ConstBits;
        uint32_t tmp10 = tmp0 + tmp3;
        uint32_t tmp13 = tmp0 - tmp3;
        uint32_t tmp11 = tmp1 + tmp2;
        uint32_t tmp12 = tmp1 - tmp2;

        tmp0 = w(7);
        tmp1 = w(5);
        tmp2 = w(3);
        tmp3 = w(1);
        z1 = tmp0 + tmp3;
        z2 = tmp1 + tmp2;
        z3 = tmp0 + tmp2;
        uint32_t z4 = tmp1 + tmp3;
        uint32_t z5 = (z3 + z4) * Fix1_175875602;
        tmp0 *= Fix0_298631336;
        tmp1 *= Fix2_053119869;
        tmp2 *= Fix3_072711026;
        tmp3 *= Fix1_501321110;
        z1 *= uint32_t(-Fix0_899976223);
        z2 *= uint32_t(-Fix2_562915447);
        z3 *= uint32_t(-Fix1_961570560);
        z4 *= uint32_t(-Fix0_390180644);
        z3 += z5;
        z4 += z5;
        tmp0 += z1 + z3;
        tmp1 += z2 + z4;
        tmp2 += z2 + z3;
        tmp3 += z1 + z4;

        out[0] = idctRangeLimit[shiftRight(tmp10 + tmp3 + round, shift) & 1023];
        out[7] = idctRangeLimit[shiftRight(tmp10 - tmp3 + round, shift) & 1023];
        out[1] = idctRangeLimit[shiftRight(tmp11 + tmp2 + round, shift) & 1023];
        out[6] = idctRangeLimit[shiftRight(tmp11 - tmp2 + round, shift) & 1023];
        out[2] = idctRangeLimit[shiftRight(tmp12 + tmp1 + round, shift) & 1023];
        out[5] = idctRangeLimit[shiftRight(tmp12 - tmp1 + round, shift) & 1023];
        out[3] = idctRangeLimit[shiftRight(tmp13 + tmp0 + round, shift) & 1023];
        out[4] = idctRangeLimit[shiftRight(tmp13 - tmp0 + round, shift) & 1023];
    }
}

}

void idctPlain(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    idctRegion<8>(block, quant, out, stride);
}

void idctPlainCorner(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    idctRegion<4>(block, quant, out, stride);
}

void idctDcOnly(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    using namespace IdctConstants;
    uint32_t dc = uint32_t(dcOnlyColumn(uint32_t(int32_t(block[0]) * quant[0])));
    // A row whose only non-zero term is the first gives this for every sample;
    // the bits kept are those the full pass keeps, wrapping included.
    uint8_t value = idctRangeLimit[shiftRight(dc + (1u << (Pass1Bits + 2)), Pass1Bits + 3) & 1023];
    for (int row = 0; row < 8; ++row, out += stride)
        std::memset(out, value, 8);
}
