// The inverse DCT for processors with SSE2 (every x86-64; compiled with -msse2).

#include "JpegKernelTables.h"

#include "JpegSimdIdct.h"

#include <emmintrin.h>

namespace {

// Eight 32-bit lanes as two SSE2 registers.
struct Lanes {
    __m128i low;
    __m128i high;
    static Lanes broadcast(uint32_t value)
    {
        __m128i v = _mm_set1_epi32(int32_t(value));
        return {v, v};
    }
};
inline Lanes operator+(Lanes a, Lanes b) { return {_mm_add_epi32(a.low, b.low), _mm_add_epi32(a.high, b.high)}; }
inline Lanes operator-(Lanes a, Lanes b) { return {_mm_sub_epi32(a.low, b.low), _mm_sub_epi32(a.high, b.high)}; }

// SSE2 has no 32-bit low multiply: two 32x32->64 multiplies of the even and
// odd lanes, keeping the low halves (the same bits modulo 2^32).
inline __m128i multiplyLow(__m128i a, __m128i b)
{
    __m128i even = _mm_mul_epu32(a, b);
    __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}
inline Lanes mul(Lanes a, uint32_t constant)
{
    __m128i c = _mm_set1_epi32(int32_t(constant));
    return {multiplyLow(a.low, c), multiplyLow(a.high, c)};
}
template <int Bits>
inline Lanes shiftLeft(Lanes a) { return {_mm_slli_epi32(a.low, Bits), _mm_slli_epi32(a.high, Bits)}; }
template <int Bits>
inline Lanes shiftRightArithmetic(Lanes a) { return {_mm_srai_epi32(a.low, Bits), _mm_srai_epi32(a.high, Bits)}; }

inline void transpose4(__m128i& a, __m128i& b, __m128i& c, __m128i& d)
{
    __m128i t0 = _mm_unpacklo_epi32(a, b);
    __m128i t1 = _mm_unpackhi_epi32(a, b);
    __m128i t2 = _mm_unpacklo_epi32(c, d);
    __m128i t3 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(t0, t2);
    b = _mm_unpackhi_epi64(t0, t2);
    c = _mm_unpacklo_epi64(t1, t3);
    d = _mm_unpackhi_epi64(t1, t3);
}

inline void transpose(Lanes r[8])
{
    transpose4(r[0].low, r[1].low, r[2].low, r[3].low);
    transpose4(r[4].high, r[5].high, r[6].high, r[7].high);
    transpose4(r[0].high, r[1].high, r[2].high, r[3].high);
    transpose4(r[4].low, r[5].low, r[6].low, r[7].low);
    // The off-diagonal 4x4 quarters trade places.
    for (int i = 0; i < 4; ++i) {
        __m128i upperRight = r[i].high;
        r[i].high = r[i + 4].low;
        r[i + 4].low = upperRight;
    }
}

}

void idctSse2(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    Lanes rows[8];
    for (int r = 0; r < 8; ++r) {
        __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * r));
        __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * r));
        // 16 x 16 -> 32-bit products from the low and high halves of the 16-bit multiply.
        __m128i productLow = _mm_mullo_epi16(c, q);
        __m128i productHigh = _mm_mulhi_epi16(c, q);
        rows[r].low = _mm_unpacklo_epi16(productLow, productHigh);
        rows[r].high = _mm_unpackhi_epi16(productLow, productHigh);
    }
    Lanes work[8];
    simd_idct::transform(rows, work, simd_idct::FirstPassRound, true);
    transpose(work);
    Lanes samples[8];
    simd_idct::transform(work, samples, simd_idct::SecondPassRound, false);
    transpose(samples);
    const __m128i offset = _mm_set1_epi32(128);
    for (int r = 0; r < 8; r += 2) {
        __m128i a = _mm_packs_epi32(_mm_add_epi32(samples[r].low, offset), _mm_add_epi32(samples[r].high, offset));
        __m128i b =
            _mm_packs_epi32(_mm_add_epi32(samples[r + 1].low, offset), _mm_add_epi32(samples[r + 1].high, offset));
        __m128i bytes = _mm_packus_epi16(a, b);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * r), bytes);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * (r + 1)), _mm_unpackhi_epi64(bytes, bytes));
    }
}

