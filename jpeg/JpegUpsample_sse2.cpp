// Upsampling for processors with SSE2 (every x86-64; compiled with -msse2).

#include "JpegKernelTables.h"

#include "JpegUpsample.h"

#include <emmintrin.h>

namespace {

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

