// Upsampling for processors with AVX2 (compiled with -mavx2; chosen only
// after a run-time check of the processor).

#include "JpegKernelTables.h"

#include "JpegUpsample.h"

#include <immintrin.h>

namespace {

inline __m256i load32(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

// Sixteen bytes from p as 16-bit lanes.
inline __m256i widen16(const uint8_t* p)
{
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Even and odd output samples (16-bit lanes, each below 256) stored
// interleaved: 32 bytes.
inline void storeEvenOdd(uint8_t* out, __m256i even, __m256i odd)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_or_si256(even, _mm256_slli_epi16(odd, 8)));
}

}

// The vector loops cover the inner samples 1..n-2 in steps of 16 without
// reading past sample n-1, with the plain kernel's formulas, which finish the row.
void upsampleH2V1Avx2(const uint8_t* in, int inWidth, uint8_t* out)
{
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i two = _mm256_set1_epi16(2);
    int i = 1;
    for (; i + 16 <= inWidth - 1; i += 16) {
        __m256i here = widen16(in + i);
        __m256i triple = _mm256_add_epi16(_mm256_add_epi16(here, here), here);
        __m256i even = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(triple, widen16(in + i - 1)), one), 2);
        __m256i odd = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(triple, widen16(in + i + 1)), two), 2);
        storeEvenOdd(out + 2 * i, even, odd);
    }
    upsampleH2V1Tail(in, inWidth, out, i);
}

void upsampleH2V2Avx2(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out)
{
    const __m256i seven = _mm256_set1_epi16(7);
    const __m256i eight = _mm256_set1_epi16(8);
    // Vertical 3/4 + 1/4 first: three times the nearer row plus the farther one.
    auto columnSums = [&](int at) {
        __m256i n = widen16(nearRow + at);
        return _mm256_add_epi16(_mm256_add_epi16(_mm256_add_epi16(n, n), n), widen16(farRow + at));
    };
    int i = 1;
    for (; i + 16 <= inWidth - 1; i += 16) {
        __m256i here = columnSums(i);
        __m256i triple = _mm256_add_epi16(_mm256_add_epi16(here, here), here);
        __m256i even = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(triple, columnSums(i - 1)), eight), 4);
        __m256i odd = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(triple, columnSums(i + 1)), seven), 4);
        storeEvenOdd(out + 2 * i, even, odd);
    }
    upsampleH2V2Tail(nearRow, farRow, inWidth, out, i);
}

void upsampleH1V2Avx2(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i rounding = _mm256_set1_epi16(int16_t(bias));
    int i = 0;
    for (; i + 32 <= width; i += 32) {
        __m256i n = load32(nearRow + i), f = load32(farRow + i);
        auto filter = [&](__m256i nearHalf, __m256i farHalf) {
            __m256i sum = _mm256_add_epi16(_mm256_add_epi16(_mm256_add_epi16(nearHalf, nearHalf), nearHalf), farHalf);
            return _mm256_srli_epi16(_mm256_add_epi16(sum, rounding), 2);
        };
        __m256i low = filter(_mm256_unpacklo_epi8(n, zero), _mm256_unpacklo_epi8(f, zero));
        __m256i high = filter(_mm256_unpackhi_epi8(n, zero), _mm256_unpackhi_epi8(f, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_packus_epi16(low, high));
    }
    if (i < width)
        upsampleH1V2Sse2(nearRow + i, farRow + i, width - i, bias, out + i);
}

