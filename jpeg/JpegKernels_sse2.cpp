// Kernels for processors with SSE2 (every x86-64; compiled with -msse2).

#include "JpegKernelTables.h"

#include "JpegColor.h"
#include "JpegSimdIdct.h"
#include "JpegUpsample.h"

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

inline __m128i load16(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Even and odd output bytes of 16 samples, interleaved and stored as 32 bytes.
inline void storeInterleaved(uint8_t* out, __m128i evenLow, __m128i evenHigh, __m128i oddLow, __m128i oddHigh)
{
    __m128i even = _mm_packus_epi16(evenLow, evenHigh);
    __m128i odd = _mm_packus_epi16(oddLow, oddHigh);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(even, odd));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi8(even, odd));
}

}

// Vector loops cover the inner samples 1..n-2 in steps of 16 without reading
// past sample n-1; the plain kernel's formulas finish the row.
void upsampleH2V1Sse2(const uint8_t* in, int inWidth, uint8_t* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i two = _mm_set1_epi16(2);
    int i = 1;
    for (; i + 16 <= inWidth - 1; i += 16) {
        __m128i here = load16(in + i);
        __m128i before = load16(in + i - 1);
        __m128i after = load16(in + i + 1);
        __m128i hereLow = _mm_unpacklo_epi8(here, zero), hereHigh = _mm_unpackhi_epi8(here, zero);
        __m128i tripleLow = _mm_add_epi16(_mm_add_epi16(hereLow, hereLow), hereLow);
        __m128i tripleHigh = _mm_add_epi16(_mm_add_epi16(hereHigh, hereHigh), hereHigh);
        __m128i evenLow = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleLow, _mm_unpacklo_epi8(before, zero)), one), 2);
        __m128i evenHigh = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleHigh, _mm_unpackhi_epi8(before, zero)), one), 2);
        __m128i oddLow = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleLow, _mm_unpacklo_epi8(after, zero)), two), 2);
        __m128i oddHigh = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleHigh, _mm_unpackhi_epi8(after, zero)), two), 2);
        storeInterleaved(out + 2 * i, evenLow, evenHigh, oddLow, oddHigh);
    }
    upsampleH2V1Tail(in, inWidth, out, i);
}

void upsampleH2V2Sse2(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i seven = _mm_set1_epi16(7);
    const __m128i eight = _mm_set1_epi16(8);
    auto columnSums = [&](int at, __m128i& low, __m128i& high) {
        __m128i n = load16(nearRow + at), f = load16(farRow + at);
        __m128i nLow = _mm_unpacklo_epi8(n, zero), nHigh = _mm_unpackhi_epi8(n, zero);
        low = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(nLow, nLow), nLow), _mm_unpacklo_epi8(f, zero));
        high = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(nHigh, nHigh), nHigh), _mm_unpackhi_epi8(f, zero));
    };
    int i = 1;
    for (; i + 16 <= inWidth - 1; i += 16) {
        __m128i hereLow, hereHigh, beforeLow, beforeHigh, afterLow, afterHigh;
        columnSums(i, hereLow, hereHigh);
        columnSums(i - 1, beforeLow, beforeHigh);
        columnSums(i + 1, afterLow, afterHigh);
        __m128i tripleLow = _mm_add_epi16(_mm_add_epi16(hereLow, hereLow), hereLow);
        __m128i tripleHigh = _mm_add_epi16(_mm_add_epi16(hereHigh, hereHigh), hereHigh);
        __m128i evenLow = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleLow, beforeLow), eight), 4);
        __m128i evenHigh = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleHigh, beforeHigh), eight), 4);
        __m128i oddLow = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleLow, afterLow), seven), 4);
        __m128i oddHigh = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(tripleHigh, afterHigh), seven), 4);
        storeInterleaved(out + 2 * i, evenLow, evenHigh, oddLow, oddHigh);
    }
    upsampleH2V2Tail(nearRow, farRow, inWidth, out, i);
}

void upsampleH1V2Sse2(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i rounding = _mm_set1_epi16(int16_t(bias));
    int i = 0;
    for (; i + 16 <= width; i += 16) {
        __m128i n = load16(nearRow + i), f = load16(farRow + i);
        __m128i nLow = _mm_unpacklo_epi8(n, zero), nHigh = _mm_unpackhi_epi8(n, zero);
        __m128i low = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(nLow, nLow), nLow), _mm_unpacklo_epi8(f, zero));
        __m128i high = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(nHigh, nHigh), nHigh), _mm_unpackhi_epi8(f, zero));
        low = _mm_srli_epi16(_mm_add_epi16(low, rounding), 2);
        high = _mm_srli_epi16(_mm_add_epi16(high, rounding), 2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
    if (i < width)
        upsampleH1V2Plain(nearRow + i, farRow + i, width - i, bias, out + i);
}

const JpegKernels sse2KernelTable = {
    "sse2", idctSse2, idctSse2, upsampleH2V1Sse2, upsampleH2V2Sse2, upsampleH1V2Sse2, yccToBgrPlain, greyToBgrPlain,
};
