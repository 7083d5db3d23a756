// The inverse DCT for processors with AVX2 (compiled with -mavx2; chosen only
// after a run-time check of the processor).

#include "JpegKernelTables.h"

#include "JpegSimdIdct.h"

#include <immintrin.h>

namespace {

struct Lanes {
    __m256i v;
    static Lanes broadcast(uint32_t value) { return {_mm256_set1_epi32(int32_t(value))}; }
};
inline Lanes operator+(Lanes a, Lanes b) { return {_mm256_add_epi32(a.v, b.v)}; }
inline Lanes operator-(Lanes a, Lanes b) { return {_mm256_sub_epi32(a.v, b.v)}; }
inline Lanes mul(Lanes a, uint32_t constant) { return {_mm256_mullo_epi32(a.v, _mm256_set1_epi32(int32_t(constant)))}; }
template <int Bits>
inline Lanes shiftLeft(Lanes a) { return {_mm256_slli_epi32(a.v, Bits)}; }
template <int Bits>
inline Lanes shiftRightArithmetic(Lanes a) { return {_mm256_srai_epi32(a.v, Bits)}; }

inline void transpose(Lanes r[8])
{
    __m256i t0 = _mm256_unpacklo_epi32(r[0].v, r[1].v);
    __m256i t1 = _mm256_unpackhi_epi32(r[0].v, r[1].v);
    __m256i t2 = _mm256_unpacklo_epi32(r[2].v, r[3].v);
    __m256i t3 = _mm256_unpackhi_epi32(r[2].v, r[3].v);
    __m256i t4 = _mm256_unpacklo_epi32(r[4].v, r[5].v);
    __m256i t5 = _mm256_unpackhi_epi32(r[4].v, r[5].v);
    __m256i t6 = _mm256_unpacklo_epi32(r[6].v, r[7].v);
    __m256i t7 = _mm256_unpackhi_epi32(r[6].v, r[7].v);
    __m256i u0 = _mm256_unpacklo_epi64(t0, t2);
    __m256i u1 = _mm256_unpackhi_epi64(t0, t2);
    __m256i u2 = _mm256_unpacklo_epi64(t1, t3);
    __m256i u3 = _mm256_unpackhi_epi64(t1, t3);
    __m256i u4 = _mm256_unpacklo_epi64(t4, t6);
    __m256i u5 = _mm256_unpackhi_epi64(t4, t6);
    __m256i u6 = _mm256_unpacklo_epi64(t5, t7);
    __m256i u7 = _mm256_unpackhi_epi64(t5, t7);
    r[0].v = _mm256_permute2x128_si256(u0, u4, 0x20);
    r[1].v = _mm256_permute2x128_si256(u1, u5, 0x20);
    r[2].v = _mm256_permute2x128_si256(u2, u6, 0x20);
    r[3].v = _mm256_permute2x128_si256(u3, u7, 0x20);
    r[4].v = _mm256_permute2x128_si256(u0, u4, 0x31);
    r[5].v = _mm256_permute2x128_si256(u1, u5, 0x31);
    r[6].v = _mm256_permute2x128_si256(u2, u6, 0x31);
    r[7].v = _mm256_permute2x128_si256(u3, u7, 0x31);
}

// The exact kernel for any coefficients: 32-bit lanes throughout, as the
// plain kernel computes. Used for the rare blocks whose values do not fit the
// 16-bit route below (damaged data, mostly).
void idctAvx2Wide(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    Lanes rows[8];
    for (int r = 0; r < 8; ++r) {
        __m256i c = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * r)));
        __m256i q = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * r)));
        rows[r].v = _mm256_mullo_epi32(c, q);
    }
    // Pass 1 on all eight columns at once (lane = column), then rows.
    Lanes work[8];
    simd_idct::transform(rows, work, simd_idct::FirstPassRound, true);
    transpose(work);
    Lanes samples[8];
    simd_idct::transform(work, samples, simd_idct::SecondPassRound, false);
    transpose(samples);  // back to one vector per output row

    const __m256i offset = _mm256_set1_epi32(128);
    __m256i pairs[4];
    for (int i = 0; i < 4; ++i) {
        __m256i a = _mm256_add_epi32(samples[2 * i].v, offset);
        __m256i b = _mm256_add_epi32(samples[2 * i + 1].v, offset);
        // 16-bit lanes: a0-3 b0-3 | a4-7 b4-7, reordered to a0-7 | b0-7.
        pairs[i] = _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8);
    }
    // Bytes: rows 0 and 2 in the low half, rows 1 and 3 in the high half.
    __m256i bytes01 = _mm256_packus_epi16(pairs[0], pairs[1]);
    __m256i bytes23 = _mm256_packus_epi16(pairs[2], pairs[3]);
    auto storeRows = [&](__m256i bytes, int firstRow) {
        __m128i low = _mm256_castsi256_si128(bytes);
        __m128i high = _mm256_extracti128_si256(bytes, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * firstRow), low);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * (firstRow + 1)), high);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * (firstRow + 2)), _mm_unpackhi_epi64(low, low));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * (firstRow + 3)), _mm_unpackhi_epi64(high, high));
    };
    storeRows(bytes01, 0);
    storeRows(bytes23, 4);
}

inline __m256i constants(int16_t low, int16_t high)
{
    return _mm256_set1_epi32(int32_t(uint32_t(uint16_t(low)) | (uint32_t(uint16_t(high)) << 16)));
}

// One pass of the transform on inputs that fit in 16 bits, given as pairs per
// 32-bit lane: p04 holds (in0, in4), p26 (in2, in6), p15 (in1, in5), p37 (in3,
// in7). Each output is a sum of 16-bit products (one multiply-add instruction
// per pair), with the transform's constants multiplied out: the sums equal
// the plain kernel's, which can't overflow for such inputs.
[[gnu::always_inline]] inline void transformPairs(__m256i p04, __m256i p26, __m256i p15, __m256i p37,
                                                  uint32_t round, __m256i results[8])
{
    __m256i rounding = _mm256_set1_epi32(int32_t(round));
    __m256i tmp0 = _mm256_add_epi32(_mm256_madd_epi16(p04, constants(8192, 8192)), rounding);
    __m256i tmp1 = _mm256_add_epi32(_mm256_madd_epi16(p04, constants(8192, -8192)), rounding);
    __m256i tmp2 = _mm256_madd_epi16(p26, constants(4433, -10704));
    __m256i tmp3 = _mm256_madd_epi16(p26, constants(10703, 4433));
    __m256i tmp10 = _mm256_add_epi32(tmp0, tmp3);
    __m256i tmp13 = _mm256_sub_epi32(tmp0, tmp3);
    __m256i tmp11 = _mm256_add_epi32(tmp1, tmp2);
    __m256i tmp12 = _mm256_sub_epi32(tmp1, tmp2);
    __m256i o0 = _mm256_add_epi32(_mm256_madd_epi16(p15, constants(2260, 9633)),
                                  _mm256_madd_epi16(p37, constants(-6436, -11363)));
    __m256i o1 = _mm256_add_epi32(_mm256_madd_epi16(p15, constants(6437, 2261)),
                                  _mm256_madd_epi16(p37, constants(-11362, 9633)));
    __m256i o2 = _mm256_add_epi32(_mm256_madd_epi16(p15, constants(9633, -11362)),
                                  _mm256_madd_epi16(p37, constants(-2259, -6436)));
    __m256i o3 = _mm256_add_epi32(_mm256_madd_epi16(p15, constants(11363, 6437)),
                                  _mm256_madd_epi16(p37, constants(9633, 2260)));
    results[0] = _mm256_add_epi32(tmp10, o3);
    results[1] = _mm256_add_epi32(tmp11, o2);
    results[2] = _mm256_add_epi32(tmp12, o1);
    results[3] = _mm256_add_epi32(tmp13, o0);
    results[4] = _mm256_sub_epi32(tmp13, o0);
    results[5] = _mm256_sub_epi32(tmp12, o1);
    results[6] = _mm256_sub_epi32(tmp11, o2);
    results[7] = _mm256_sub_epi32(tmp10, o3);
}

// True when a 16-bit lane of the packed vectors may have saturated
// (holds -32768 or 32767).
inline bool maySaturate(const __m256i packed[4])
{
    __m256i any = _mm256_setzero_si256();
    for (int i = 0; i < 4; ++i)
        any = _mm256_or_si256(any, _mm256_add_epi16(_mm256_abs_epi16(packed[i]), _mm256_set1_epi16(1)));
    return !_mm256_testz_si256(any, _mm256_set1_epi16(int16_t(0x8000)));
}

}

// The accurate integer IDCT with 16-bit data between the passes, as long as
// the values fit (photos always do; otherwise the wide kernel takes over).
// Pass 1 works on columns in the lane order 0 4 1 5 2 6 3 7, so that packing
// its results to 16 bits puts each row's columns c and c + 4 side by side:
// the pairs pass 2 multiplies. Pass 2 then has rows in the lane order
// 0 2 4 6 1 3 5 7, which the final byte shuffle undoes.
void idctAvx2(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    // Dequantize two rows per vector; the product must fit in 16 bits.
    __m256i rows[4];
    __m256i overflow = _mm256_setzero_si256();
    const __m256i columnOrder = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15, 0, 1, 8, 9,
                                                 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
    for (int i = 0; i < 4; ++i) {
        __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 16 * i));
        __m256i q = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quant + 16 * i));
        __m256i low = _mm256_mullo_epi16(c, q);
        __m256i high = _mm256_mulhi_epi16(c, q);
        overflow = _mm256_or_si256(overflow, _mm256_xor_si256(high, _mm256_srai_epi16(low, 15)));
        rows[i] = _mm256_shuffle_epi8(low, columnOrder);
    }
    if (!_mm256_testz_si256(overflow, overflow)) {
        idctAvx2Wide(block, quant, out, stride);
        return;
    }

    // Pass 1: rows[0] = rows 0 | 1, rows[2] = rows 4 | 5: interleaving them
    // gives the pairs (0, 4) and (1, 5) for columns 0 4 1 5 | 2 6 3 7.
    __m256i x0415 = _mm256_unpacklo_epi16(rows[0], rows[2]);
    __m256i y0415 = _mm256_unpackhi_epi16(rows[0], rows[2]);
    __m256i x2637 = _mm256_unpacklo_epi16(rows[1], rows[3]);
    __m256i y2637 = _mm256_unpackhi_epi16(rows[1], rows[3]);
    __m256i results[8];
    transformPairs(_mm256_permute2x128_si256(x0415, y0415, 0x20), _mm256_permute2x128_si256(x2637, y2637, 0x20),
                   _mm256_permute2x128_si256(x0415, y0415, 0x31), _mm256_permute2x128_si256(x2637, y2637, 0x31),
                   simd_idct::FirstPassRound, results);
    __m256i packed[4];
    for (int i = 0; i < 4; ++i)
        packed[i] = _mm256_packs_epi32(_mm256_srai_epi32(results[2 * i], 11), _mm256_srai_epi32(results[2 * i + 1], 11));
    if (maySaturate(packed)) {
        idctAvx2Wide(block, quant, out, stride);
        return;
    }

    // packed[i] holds rows 2i and 2i + 1 of pass 1 as 32-bit pairs: (c0, c4)
    // (c1, c5) of each row in the low half, (c2, c6) (c3, c7) in the high half.
    // Gathering each kind of pair over the rows transposes the block.
    __m256i v1 = _mm256_unpacklo_epi32(packed[0], packed[1]);
    __m256i v2 = _mm256_unpackhi_epi32(packed[0], packed[1]);
    __m256i v3 = _mm256_unpacklo_epi32(packed[2], packed[3]);
    __m256i v4 = _mm256_unpackhi_epi32(packed[2], packed[3]);
    __m256i evenRows0426 = _mm256_unpacklo_epi64(v1, v3);
    __m256i evenRows1537 = _mm256_unpackhi_epi64(v1, v3);
    __m256i oddRows0426 = _mm256_unpacklo_epi64(v2, v4);
    __m256i oddRows1537 = _mm256_unpackhi_epi64(v2, v4);
    transformPairs(_mm256_permute2x128_si256(evenRows0426, oddRows0426, 0x20),
                   _mm256_permute2x128_si256(evenRows0426, oddRows0426, 0x31),
                   _mm256_permute2x128_si256(evenRows1537, oddRows1537, 0x20),
                   _mm256_permute2x128_si256(evenRows1537, oddRows1537, 0x31), simd_idct::SecondPassRound, results);

    // results[x] is output column x for rows 0 2 4 6 | 1 3 5 7. Bits 18-27 as a
    // signed 10-bit number, plus 128, saturated to a byte: the range limit.
    __m256i columns[4];
    const __m256i offset = _mm256_set1_epi16(128);
    for (int i = 0; i < 4; ++i) {
        __m256i a = _mm256_srai_epi32(_mm256_slli_epi32(results[2 * i], 4), 22);
        __m256i b = _mm256_srai_epi32(_mm256_slli_epi32(results[2 * i + 1], 4), 22);
        columns[i] = _mm256_add_epi16(_mm256_packs_epi32(a, b), offset);
    }
    // Bytes: columns 0-3 (then 4-7) of rows 0 2 4 6 | 1 3 5 7, column-major;
    // a 4x4 byte transpose makes each row's four bytes one 32-bit element.
    const __m256i transpose4x4 = _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 0, 4, 8, 12,
                                                  1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    __m256i left = _mm256_shuffle_epi8(_mm256_packus_epi16(columns[0], columns[1]), transpose4x4);
    __m256i right = _mm256_shuffle_epi8(_mm256_packus_epi16(columns[2], columns[3]), transpose4x4);
    __m256i rows0213 = _mm256_unpacklo_epi32(left, right);  // rows 0, 2 | 1, 3
    __m256i rows4657 = _mm256_unpackhi_epi32(left, right);  // rows 4, 6 | 5, 7
    auto storeRows = [&](__m256i bytes, int firstRow) {
        __m128i evenRows = _mm256_castsi256_si128(bytes);
        __m128i oddRows = _mm256_extracti128_si256(bytes, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * firstRow), evenRows);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + stride * (firstRow + 1)), oddRows);
        _mm_storeh_pd(reinterpret_cast<double*>(out + stride * (firstRow + 2)), _mm_castsi128_pd(evenRows));
        _mm_storeh_pd(reinterpret_cast<double*>(out + stride * (firstRow + 3)), _mm_castsi128_pd(oddRows));
    };
    storeRows(rows0213, 0);
    storeRows(rows4657, 4);
}

namespace {

// Constants for a multiply-add whose low 128-bit half takes the pair
// (a0, a1) and whose high half takes (b0, b1).
inline __m256i halfConstants(int16_t a0, int16_t a1, int16_t b0, int16_t b1)
{
    int32_t low = int32_t(uint32_t(uint16_t(a0)) | (uint32_t(uint16_t(a1)) << 16));
    int32_t high = int32_t(uint32_t(uint16_t(b0)) | (uint32_t(uint16_t(b1)) << 16));
    return _mm256_setr_epi32(low, low, low, low, high, high, high, high);
}

// One pass of the transform for inputs 4-7 all zero, on four lanes: `pairs`
// holds (in0, in2) in its low half and (in1, in3) in its high half. With the
// other terms gone, each of the eight outputs is one even and one odd
// multiply-add: out03 = outputs 0 | 3, out74 = 7 | 4, out12 = 1 | 2, out65 = 6 | 5.
[[gnu::always_inline]] inline void transformCorner(__m256i pairs, uint32_t round, __m256i& out03, __m256i& out74,
                                                   __m256i& out12, __m256i& out65)
{
    // Even part in the low halves, odd part in the high ones.
    __m256i even0odd3 = _mm256_madd_epi16(pairs, halfConstants(8192, 10703, 11363, 9633));
    __m256i even1odd2 = _mm256_madd_epi16(pairs, halfConstants(8192, 4433, 9633, -2259));
    __m256i even2odd1 = _mm256_madd_epi16(pairs, halfConstants(8192, -4433, 6437, -11362));
    __m256i even3odd0 = _mm256_madd_epi16(pairs, halfConstants(8192, -10703, 2260, -6436));
    __m256i rounding = _mm256_set1_epi32(int32_t(round));
    __m256i even03 = _mm256_add_epi32(_mm256_permute2x128_si256(even0odd3, even3odd0, 0x20), rounding);
    __m256i odd30 = _mm256_permute2x128_si256(even0odd3, even3odd0, 0x31);
    __m256i even12 = _mm256_add_epi32(_mm256_permute2x128_si256(even1odd2, even2odd1, 0x20), rounding);
    __m256i odd21 = _mm256_permute2x128_si256(even1odd2, even2odd1, 0x31);
    out03 = _mm256_add_epi32(even03, odd30);
    out74 = _mm256_sub_epi32(even03, odd30);
    out12 = _mm256_add_epi32(even12, odd21);
    out65 = _mm256_sub_epi32(even12, odd21);
}

// Pass 2's outputs for four rows as bytes in row order, after the range
// limit: two 8-byte rows in each half.
inline __m256i cornerRows(__m256i out03, __m256i out74, __m256i out12, __m256i out65)
{
    auto limit = [](__m256i v) { return _mm256_srai_epi32(_mm256_slli_epi32(v, 4), 22); };
    const __m256i offset = _mm256_set1_epi16(128);
    // Bytes, column-major by four rows: columns 0 1 7 6 in the low half, 3 2 4 5 in the high.
    __m256i bytes = _mm256_packus_epi16(
        _mm256_add_epi16(_mm256_packs_epi32(limit(out03), limit(out12)), offset),
        _mm256_add_epi16(_mm256_packs_epi32(limit(out74), limit(out65)), offset));
    __m256i swapped = _mm256_permute2x128_si256(bytes, bytes, 0x01);
    // Each output row takes four columns from its own half and four from the other.
    const __m256i own = _mm256_setr_epi8(0, 4, -1, -1, -1, -1, 12, 8, 1, 5, -1, -1, -1, -1, 13, 9,  //
                                         -1, -1, 6, 2, 10, 14, -1, -1, -1, -1, 7, 3, 11, 15, -1, -1);
    const __m256i other = _mm256_setr_epi8(-1, -1, 4, 0, 8, 12, -1, -1, -1, -1, 5, 1, 9, 13, -1, -1,  //
                                           2, 6, -1, -1, -1, -1, 14, 10, 3, 7, -1, -1, -1, -1, 15, 11);
    return _mm256_or_si256(_mm256_shuffle_epi8(bytes, own), _mm256_shuffle_epi8(swapped, other));
}

}

// The IDCT of a block whose non-zero coefficients all lie in its top-left
// 4x4 corner, at about two thirds of the full kernel's work: half the inputs
// of each pass are zero, so each 256-bit multiply-add serves an even and an
// odd term of four columns (pass 1) or rows (pass 2). The rows come out in
// the order 0 1 3 2 and 7 6 4 5.
void idctCornerAvx2(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride)
{
    __m256i rows[2];
    __m256i overflow = _mm256_setzero_si256();
    for (int i = 0; i < 2; ++i) {
        __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 16 * i));
        __m256i q = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quant + 16 * i));
        rows[i] = _mm256_mullo_epi16(c, q);
        overflow = _mm256_or_si256(overflow, _mm256_xor_si256(_mm256_mulhi_epi16(c, q), _mm256_srai_epi16(rows[i], 15)));
    }
    if (!_mm256_testz_si256(overflow, overflow)) {
        idctAvx2Wide(block, quant, out, stride);
        return;
    }
    // Pass 1 on columns 0-3: rows 0 | 1 and 2 | 3 interleaved give (in0, in2) and (in1, in3).
    __m256i out03, out74, out12, out65;
    transformCorner(_mm256_unpacklo_epi16(rows[0], rows[1]), simd_idct::FirstPassRound, out03, out74, out12, out65);
    __m256i packed[2] = {_mm256_packs_epi32(_mm256_srai_epi32(out03, 11), _mm256_srai_epi32(out12, 11)),
                         _mm256_packs_epi32(_mm256_srai_epi32(out74, 11), _mm256_srai_epi32(out65, 11))};
    __m256i any = _mm256_or_si256(_mm256_add_epi16(_mm256_abs_epi16(packed[0]), _mm256_set1_epi16(1)),
                                  _mm256_add_epi16(_mm256_abs_epi16(packed[1]), _mm256_set1_epi16(1)));
    if (!_mm256_testz_si256(any, _mm256_set1_epi16(int16_t(0x8000)))) {
        idctAvx2Wide(block, quant, out, stride);
        return;
    }
    // packed[0] holds pass 1's rows 0 1 | 3 2, packed[1] rows 7 6 | 4 5, each
    // as columns 0-3. Reordered to columns 0 2 1 3, each row is the pairs
    // (c0, c2) (c1, c3); gathering the first pairs in the low half and the
    // second in the high one gives pass 2's input for those four rows.
    const __m256i columns0213 = _mm256_setr_epi8(0, 1, 4, 5, 2, 3, 6, 7, 8, 9, 12, 13, 10, 11, 14, 15, 0, 1, 4, 5, 2, 3,
                                                 6, 7, 8, 9, 12, 13, 10, 11, 14, 15);
    const __m256i gather = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    uint8_t* rowsOut[2][4] = {{out, out + stride, out + 3 * stride, out + 2 * stride},
                              {out + 7 * stride, out + 6 * stride, out + 4 * stride, out + 5 * stride}};
    for (int group = 0; group < 2; ++group) {
        __m256i pairs = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(packed[group], columns0213), gather);
        transformCorner(pairs, simd_idct::SecondPassRound, out03, out74, out12, out65);
        __m256i bytes = cornerRows(out03, out74, out12, out65);
        __m128i low = _mm256_castsi256_si128(bytes);
        __m128i high = _mm256_extracti128_si256(bytes, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(rowsOut[group][0]), low);
        _mm_storeh_pd(reinterpret_cast<double*>(rowsOut[group][1]), _mm_castsi128_pd(low));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(rowsOut[group][2]), high);
        _mm_storeh_pd(reinterpret_cast<double*>(rowsOut[group][3]), _mm_castsi128_pd(high));
    }
}

