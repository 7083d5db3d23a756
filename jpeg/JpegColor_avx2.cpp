// Colour conversion for processors with AVX2 (compiled with -mavx2; chosen
// only after a run-time check of the processor).

#include "JpegKernelTables.h"

#include "JpegColor.h"

#include <immintrin.h>

namespace {

// Sixteen pixels' colours in 16-bit lanes, exactly as the plain kernel's
// tables give them: the factors are split so that every product fits 16 bits.
//   red:   Cr * 1.402 = Cr + Cr * 0.402 (26345 / 2^16)
//   blue:  Cb * 1.772 = 2 Cb - Cb * 0.228 (14942 / 2^16)
//   green: -Cb * 0.344 - Cr * 0.714 = -Cb * 0.344 + Cr * 0.286 - Cr
// (x * f + 2^15) >> 16 is ((2x * f) >> 16) + 1) >> 1 for the high half of the
// 16-bit product of 2x and f; green's two products are summed in 32 bits.
struct Colours16 {
    __m256i blue, green, red;
};

[[gnu::always_inline]] inline Colours16 yccToColours(__m256i luma, __m256i cb, __m256i cr)
{
    const __m256i centre = _mm256_set1_epi16(128);
    const __m256i one = _mm256_set1_epi16(1);
    __m256i cbc = _mm256_sub_epi16(cb, centre);
    __m256i crc = _mm256_sub_epi16(cr, centre);
    __m256i cb2 = _mm256_add_epi16(cbc, cbc);
    __m256i cr2 = _mm256_add_epi16(crc, crc);
    __m256i redPart = _mm256_srai_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(cr2, _mm256_set1_epi16(26345)), one), 1);
    __m256i bluePart = _mm256_srai_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(cb2, _mm256_set1_epi16(-14942)), one), 1);
    const __m256i greenFactors = _mm256_set1_epi32(int32_t(uint32_t(uint16_t(-22554)) | (uint32_t(18734) << 16)));
    const __m256i half = _mm256_set1_epi32(1 << 15);
    __m256i greenLow = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(cbc, crc), greenFactors), half), 16);
    __m256i greenHigh = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(cbc, crc), greenFactors), half), 16);
    __m256i greenPart = _mm256_sub_epi16(_mm256_packs_epi32(greenLow, greenHigh), crc);
    return {_mm256_add_epi16(luma, _mm256_add_epi16(cb2, bluePart)), _mm256_add_epi16(luma, greenPart),
            _mm256_add_epi16(luma, _mm256_add_epi16(crc, redPart))};
}

// Interleaves 32 pixels' blue, green and red bytes (pixels 0-15 in the low
// halves, 16-31 in the high ones) into 96 bytes of B G R order.
inline void storeBgr32(uint8_t* out, __m256i b, __m256i g, __m256i r)
{
    const __m256i toBlue0 = _mm256_setr_epi8(0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, 5, 0, -1, -1, 1,
                                             -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, 5);
    const __m256i toGreen0 = _mm256_setr_epi8(-1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, -1, 0, -1,
                                              -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1);
    const __m256i toRed0 = _mm256_setr_epi8(-1, -1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, -1, 0, -1,
                                            -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1);
    const __m256i toBlue1 = _mm256_setr_epi8(-1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10, -1, -1, -1, 6,
                                             -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10, -1);
    const __m256i toGreen1 = _mm256_setr_epi8(5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10, 5, -1, -1, 6,
                                              -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10);
    const __m256i toRed1 = _mm256_setr_epi8(-1, 5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, -1, 5, -1, -1,
                                            6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1);
    const __m256i toBlue2 = _mm256_setr_epi8(-1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1, -1, -1, 11,
                                             -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1, -1);
    const __m256i toGreen2 = _mm256_setr_epi8(-1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1, -1, -1,
                                              11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1);
    const __m256i toRed2 = _mm256_setr_epi8(10, -1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, 10, -1,
                                            -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15);
    // Bytes 0-47 of each half's 48: pixels 0-15 in the low halves, 16-31 in the high.
    __m256i part0 = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(b, toBlue0), _mm256_shuffle_epi8(g, toGreen0)),
                                    _mm256_shuffle_epi8(r, toRed0));
    __m256i part1 = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(b, toBlue1), _mm256_shuffle_epi8(g, toGreen1)),
                                    _mm256_shuffle_epi8(r, toRed1));
    __m256i part2 = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(b, toBlue2), _mm256_shuffle_epi8(g, toGreen2)),
                                    _mm256_shuffle_epi8(r, toRed2));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute2x128_si256(part0, part1, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32), _mm256_permute2x128_si256(part2, part0, 0x30));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 64), _mm256_permute2x128_si256(part1, part2, 0x31));
}

inline __m256i load32(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

}

void yccToBgrAvx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width)
{
    // 32 pixels at a time: bytes widened to 16 bits as pixels 0-7 16-23 and
    // 8-15 24-31, which packing back to bytes puts in order again.
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 32 <= width; i += 32) {
        __m256i luma = load32(y + i), blue = load32(cb + i), red = load32(cr + i);
        Colours16 first = yccToColours(_mm256_unpacklo_epi8(luma, zero), _mm256_unpacklo_epi8(blue, zero),
                                       _mm256_unpacklo_epi8(red, zero));
        Colours16 second = yccToColours(_mm256_unpackhi_epi8(luma, zero), _mm256_unpackhi_epi8(blue, zero),
                                        _mm256_unpackhi_epi8(red, zero));
        storeBgr32(out + 3 * i, _mm256_packus_epi16(first.blue, second.blue),
                   _mm256_packus_epi16(first.green, second.green), _mm256_packus_epi16(first.red, second.red));
    }
    // The last few pixels: never a byte past the bitmap row.
    if (i < width)
        yccToBgrPlain(y + i, cb + i, cr + i, out + 3 * i, width - i);
}

void greyToBgrAvx2(const uint8_t* y, uint8_t* out, int width)
{
    // Each grey byte three times: 16 pixels into 48 bytes with three byte shuffles.
    const __m128i first = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
    const __m128i second = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
    const __m128i third = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
    int i = 0;
    for (; i + 16 <= width; i += 16) {
        __m128i grey = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i), _mm_shuffle_epi8(grey, first));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i + 16), _mm_shuffle_epi8(grey, second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i + 32), _mm_shuffle_epi8(grey, third));
    }
    if (i < width)
        greyToBgrPlain(y + i, out + 3 * i, width - i);
}

