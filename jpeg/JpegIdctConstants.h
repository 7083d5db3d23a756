#pragma once

#include <cstdint>

// The accurate integer IDCT's constants: cosines scaled by 2^ConstBits and
// rounded, as the reference decoder has them.
namespace IdctConstants {
constexpr int ConstBits = 13;
constexpr int Pass1Bits = 2;
constexpr uint32_t Fix0_298631336 = 2446;
constexpr uint32_t Fix0_390180644 = 3196;
constexpr uint32_t Fix0_541196100 = 4433;
constexpr uint32_t Fix0_765366865 = 6270;
constexpr uint32_t Fix0_899976223 = 7373;
constexpr uint32_t Fix1_175875602 = 9633;
constexpr uint32_t Fix1_501321110 = 12299;
constexpr uint32_t Fix1_847759065 = 15137;
constexpr uint32_t Fix1_961570560 = 16069;
constexpr uint32_t Fix2_053119869 = 16819;
constexpr uint32_t Fix2_562915447 = 20995;
constexpr uint32_t Fix3_072711026 = 25172;
}
