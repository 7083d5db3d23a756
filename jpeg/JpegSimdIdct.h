#pragma once

// The accurate integer IDCT written once over a vector of eight 32-bit lanes,
// for the processor-specific kernel files to instantiate with their own
// vector type. Each lane computes exactly what the plain kernel computes for
// one row or column (wrapping arithmetic included), so the bytes are the same.
//
// Included only by kernel files compiled with their own instruction-set
// flags; everything here has internal linkage so no copy built for one
// processor is ever linked into another's code.

#include "JpegIdctConstants.h"

#include <cstdint>

namespace {
namespace simd_idct {

// V: eight 32-bit lanes with +, -, mul(V, uint32 constant), shiftLeft<n>,
// shiftRightArithmetic<n> and V::broadcast(uint32).
template <typename V>
[[gnu::always_inline]] inline void transform(const V in[8], V out[8], uint32_t round, bool firstPass)
{
    using namespace IdctConstants;
    // Even part.
    V z2 = in[2];
    V z3 = in[6];
    V z1 = mul(z2 + z3, Fix0_541196100);
    V tmp2 = z1 + mul(z3, uint32_t(-Fix1_847759065));
    V tmp3 = z1 + mul(z2, Fix0_765366865);
    V tmp0 = shiftLeft<ConstBits>(in[0] + in[4]);
    V tmp1 = shiftLeft<ConstBits>(in[0] - in[4]);
    // The rounding term is added once here instead of to every output.
    V rounding = V::broadcast(round);
    tmp0 = tmp0 + rounding;
    tmp1 = tmp1 + rounding;
    V tmp10 = tmp0 + tmp3;
    V tmp13 = tmp0 - tmp3;
    V tmp11 = tmp1 + tmp2;
    V tmp12 = tmp1 - tmp2;

    // Odd part.
    V o0 = in[7];
    V o1 = in[5];
    V o2 = in[3];
    V o3 = in[1];
    z1 = o0 + o3;
    z2 = o1 + o2;
    z3 = o0 + o2;
    V z4 = o1 + o3;
    V z5 = mul(z3 + z4, Fix1_175875602);
    o0 = mul(o0, Fix0_298631336);
    o1 = mul(o1, Fix2_053119869);
    o2 = mul(o2, Fix3_072711026);
    o3 = mul(o3, Fix1_501321110);
    z1 = mul(z1, uint32_t(-Fix0_899976223));
    z2 = mul(z2, uint32_t(-Fix2_562915447));
    z3 = mul(z3, uint32_t(-Fix1_961570560)) + z5;
    z4 = mul(z4, uint32_t(-Fix0_390180644)) + z5;
    o0 = o0 + z1 + z3;
    o1 = o1 + z2 + z4;
    o2 = o2 + z2 + z3;
    o3 = o3 + z1 + z4;

    V results[8] = {tmp10 + o3, tmp11 + o2, tmp12 + o1, tmp13 + o0,
                    tmp13 - o0, tmp12 - o1, tmp11 - o2, tmp10 - o3};
    for (int i = 0; i < 8; ++i) {
        if (firstPass)
            out[i] = shiftRightArithmetic<ConstBits - Pass1Bits>(results[i]);
        else
            // Bits 18-27 as a signed 10-bit number, which the range limit
            // maps to a sample (plus 128, saturated, when packed to bytes).
            out[i] = shiftRightArithmetic<32 - 10>(shiftLeft<32 - 10 - (ConstBits + Pass1Bits + 3)>(results[i]));
    }
}

// Rounding terms of the two passes.
constexpr uint32_t FirstPassRound = 1u << (IdctConstants::ConstBits - IdctConstants::Pass1Bits - 1);
constexpr uint32_t SecondPassRound = 1u << (IdctConstants::ConstBits + IdctConstants::Pass1Bits + 2);

}
}
