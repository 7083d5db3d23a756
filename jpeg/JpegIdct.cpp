#include "JpegIdct.h"

#include "JpegIdctConstants.h"

#include <cstring>

namespace {

inline int32_t shiftRight(uint32_t value, int bits) { return int32_t(value) >> bits; }

}

void idctPlain(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    using namespace IdctConstants;
    int32_t workspace[64];

    // Pass 1: columns, results scaled up by 2^Pass1Bits.
    for (int col = 0; col < 8; ++col) {
        const int16_t* in = block + col;
        const int16_t* q = quant + col;
        int32_t* ws = workspace + col;
        if ((in[8] | in[16] | in[24] | in[32] | in[40] | in[48] | in[56]) == 0) {
            int32_t dc = int32_t(uint32_t(int32_t(in[0]) * q[0]) << Pass1Bits);
            for (int row = 0; row < 8; ++row)
                ws[row * 8] = dc;
            continue;
        }
        // Even part.
        uint32_t z2 = uint32_t(int32_t(in[16]) * q[16]);
        uint32_t z3 = uint32_t(int32_t(in[48]) * q[48]);
        uint32_t z1 = (z2 + z3) * Fix0_541196100;
        uint32_t tmp2 = z1 + z3 * uint32_t(-Fix1_847759065);
        uint32_t tmp3 = z1 + z2 * Fix0_765366865;
        z2 = uint32_t(int32_t(in[0]) * q[0]);
        z3 = uint32_t(int32_t(in[32]) * q[32]);
        uint32_t tmp0 = (z2 + z3) << ConstBits;
        uint32_t tmp1 = (z2 - z3) << ConstBits;
        uint32_t tmp10 = tmp0 + tmp3;
        uint32_t tmp13 = tmp0 - tmp3;
        uint32_t tmp11 = tmp1 + tmp2;
        uint32_t tmp12 = tmp1 - tmp2;

        // Odd part.
        tmp0 = uint32_t(int32_t(in[56]) * q[56]);
        tmp1 = uint32_t(int32_t(in[40]) * q[40]);
        tmp2 = uint32_t(int32_t(in[24]) * q[24]);
        tmp3 = uint32_t(int32_t(in[8]) * q[8]);
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
        if ((ws[1] | ws[2] | ws[3] | ws[4] | ws[5] | ws[6] | ws[7]) == 0) {
            uint8_t value = idctRangeLimit[shiftRight(uint32_t(ws[0]) + (1u << (Pass1Bits + 2)), Pass1Bits + 3) & 1023];
            std::memset(out, value, 8);
            continue;
        }
        uint32_t z2 = uint32_t(ws[2]);
        uint32_t z3 = uint32_t(ws[6]);
        uint32_t z1 = (z2 + z3) * Fix0_541196100;
        uint32_t tmp2 = z1 + z3 * uint32_t(-Fix1_847759065);
        uint32_t tmp3 = z1 + z2 * Fix0_765366865;
        uint32_t tmp0 = (uint32_t(ws[0]) + uint32_t(ws[4])) << ConstBits;
        uint32_t tmp1 = (uint32_t(ws[0]) - uint32_t(ws[4])) << ConstBits;
        uint32_t tmp10 = tmp0 + tmp3;
        uint32_t tmp13 = tmp0 - tmp3;
        uint32_t tmp11 = tmp1 + tmp2;
        uint32_t tmp12 = tmp1 - tmp2;

        tmp0 = uint32_t(ws[7]);
        tmp1 = uint32_t(ws[5]);
        tmp2 = uint32_t(ws[3]);
        tmp3 = uint32_t(ws[1]);
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

void idctDcOnly(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    using namespace IdctConstants;
    uint32_t dc = uint32_t(int32_t(block[0]) * quant[0]) << Pass1Bits;
    uint8_t value = idctRangeLimit[shiftRight(dc + (1u << (Pass1Bits + 2)), Pass1Bits + 3) & 1023];
    for (int row = 0; row < 8; ++row, out += stride)
        std::memset(out, value, 8);
}
