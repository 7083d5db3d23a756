#pragma once

// Entropy decoding of one block: ISO/IEC 10918-1 F.2.2 (sequential, Huffman)
// and G.1.2 (progressive, Huffman). Coefficients are stored in natural order
// as 16-bit numbers; out-of-range values from damaged data wrap.

#include "JpegHuffman.h"
#include "JpegSegments.h"

#include <bit>
#include <cstdint>

// F.2.2.1: the difference of a block's DC coefficient from the prediction.
// False for a code word that no table has.
inline bool decodeDcDifference(BitReader& reader, const HuffmanTable& dcTable, int32_t& diff)
{
    // Every coefficient, code word and extra bits, takes at most 31 bits.
    if (reader.count < 32)
        reader.fill();
    int32_t fast = dcTable.coefficientLookup[reader.peek(FastBits)];
    if (fast != 0) {
        reader.skip(fast & 0xFF);
        diff = fast >> 16;
        return true;
    }
    int size = reader.decode(dcTable);
    if (size < 0)
        return false;
    diff = size ? reader.receiveExtend(size) : 0;
    return true;
}

// F.2.2.1 and F.2.2.2: one block of a sequential scan into a zeroed block.
// Returns the bitwise OR of the natural positions (row * 8 + column) of the AC
// coefficients it stored, all non-zero: 0 when the block holds only its DC
// term, bit 5 set when one lies in rows 4-7, bit 2 when one lies in columns
// 4-7. -1 for a code word that no table has.
inline int decodeSequentialBlock(BitReader& reader, const HuffmanTable& dcTable,
                                 const HuffmanTable& acTable, int32_t& dcPredictor, int16_t* block)
{
    int32_t diff = 0;
    if (!decodeDcDifference(reader, dcTable, diff))
        return -1;
    dcPredictor = int32_t(uint32_t(dcPredictor) + uint32_t(diff));
    block[0] = int16_t(dcPredictor);

    int positions = 0;
    int k = 1;
    while (k < 64) {
        if (reader.count < 32)
            reader.fill();
        int32_t fast = acTable.coefficientLookup[reader.peek(FastBits)];
        if (fast != 0) {
            reader.skip(fast & 0xFF);
            if (fast & EndOfBlockEntry)
                break;
            k += (fast >> 8) & 15;
            int position = naturalOrder[k];
            block[position] = int16_t(fast >> 16);
            positions |= position;
            ++k;
            continue;
        }
        int symbol = reader.decode(acTable);
        if (symbol < 0)
            return -1;
        int run = symbol >> 4;
        int size = symbol & 15;
        if (size != 0) {
            k += run;
            int position = naturalOrder[k];
            block[position] = int16_t(reader.receiveExtend(size));
            positions |= position;
            ++k;
        } else {
            if (run != 15)
                break;
            k += 16;
        }
    }
    return positions;
}

// Progressive scans (G.1.2.1 DC, G.1.2.2 AC first, G.1.2.3 AC refinement),
// inline like the sequential decoder since they run once per block. Each
// returns false for a code word that no table has.
inline bool decodeDcFirst(BitReader& reader, const HuffmanTable& dcTable, int32_t& dcPredictor,
                          int16_t* block, int approxLow)
{
    int32_t diff = 0;
    if (!decodeDcDifference(reader, dcTable, diff))
        return false;
    dcPredictor = int32_t(uint32_t(dcPredictor) + uint32_t(diff));
    block[0] = int16_t(uint32_t(dcPredictor) << approxLow);
    return true;
}

inline void decodeDcRefine(BitReader& reader, int16_t* block, int approxLow)
{
    if (reader.receive(1))
        block[0] = int16_t(block[0] | (1 << approxLow));
}

// Which AC coefficients of a progressive block are non-zero: bit k for zig-zag
// index k. Speed-up beyond the standard: the refinement scans find the
// coefficients they correct in it instead of testing every position (costs 8
// bytes per block).
inline void storeCoefficient(int16_t* block, uint64_t& nonZero, int k, int16_t value)
{
    // A damaged run may step past index 63; naturalOrder takes all such steps to 63's place.
    int index = k < 63 ? k : 63;
    block[naturalOrder[index]] = value;
    uint64_t bit = uint64_t(1) << index;
    nonZero = value != 0 ? nonZero | bit : nonZero & ~bit;
}

inline bool decodeAcFirst(BitReader& reader, const HuffmanTable& acTable, int16_t* block, uint64_t& nonZero,
                          int start, int end, int approxLow, uint32_t& endOfBandRun)
{
    if (endOfBandRun > 0) {
        --endOfBandRun;
        return true;
    }
    for (int k = start; k <= end; ++k) {
        if (reader.count < 32)
            reader.fill();
        int32_t fast = acTable.coefficientLookup[reader.peek(FastBits)];
        if (fast != 0) {
            reader.skip(fast & 0xFF);
            if (fast & EndOfBlockEntry)
                break;  // an end-of-band run of this block alone
            k += (fast >> 8) & 15;
            storeCoefficient(block, nonZero, k, int16_t(uint32_t(fast >> 16) << approxLow));
            continue;
        }
        int symbol = reader.decode(acTable);
        if (symbol < 0)
            return false;
        int run = symbol >> 4;
        int size = symbol & 15;
        if (size != 0) {
            k += run;
            int32_t value = reader.receiveExtend(size);
            storeCoefficient(block, nonZero, k, int16_t(uint32_t(value) << approxLow));
        } else if (run == 15) {
            k += 15;
        } else {
            // G.1.2.2: a run of 2^r + r extra bits blocks ends here.
            endOfBandRun = 1u << run;
            if (run != 0)
                endOfBandRun += reader.receive(run);
            --endOfBandRun;
            break;
        }
    }
    return true;
}

// Bits first..last of a mask (none when first > last); last <= 63.
inline uint64_t bandMask(int first, int last)
{
    if (first > last)
        return 0;
    return (~uint64_t(0) >> (63 - last)) & (~uint64_t(0) << first);
}

// G.1.2.3: one correction bit for each coefficient of `which` (all already
// non-zero), in zig-zag order. A set bit moves the coefficient one step of
// 2^Al further from zero, unless it has that bit already. The bits are taken
// up to sixteen at a time.
inline void refineNonZero(BitReader& reader, int16_t* block, uint64_t which, int bit)
{
    while (which != 0) {
        if (reader.count < 16)
            reader.fill();
        uint32_t corrections = reader.peek(16);
        int used = 0;
        for (; used < 16 && which != 0; ++used) {
            int16_t& coefficient = block[naturalOrder[std::countr_zero(which)]];
            which &= which - 1;
            if ((corrections >> (15 - used)) & 1 && (coefficient & bit) == 0)
                coefficient = int16_t(coefficient >= 0 ? coefficient + bit : coefficient - bit);
        }
        reader.skip(used);
    }
}

inline bool decodeAcRefine(BitReader& reader, const HuffmanTable& acTable, int16_t* block, uint64_t& nonZero,
                           int start, int end, int approxLow, uint32_t& endOfBandRun)
{
    const int bit = 1 << approxLow;
    int k = start;
    if (endOfBandRun == 0) {
        for (; k <= end; ++k) {
            int symbol = reader.decode(acTable);
            if (symbol < 0)
                return false;
            int run = symbol >> 4;
            int size = symbol & 15;
            int newValue = 0;
            if (size != 0) {
                // A newly non-zero coefficient is always +-1 at this bit position.
                newValue = reader.receive(1) ? bit : -bit;
            } else if (run != 15) {
                endOfBandRun = 1u << run;
                if (run != 0)
                    endOfBandRun += reader.receive(run);
                break;
            }
            // Skip `run` zero coefficients, refining the non-zero ones passed on
            // the way; the new coefficient takes the zero after them, or the
            // place after the band when the band ends first.
            uint64_t zeros = ~nonZero & bandMask(k, end);
            for (; run > 0 && zeros != 0; --run)
                zeros &= zeros - 1;
            int target = zeros != 0 ? std::countr_zero(zeros) : end + 1;
            refineNonZero(reader, block, nonZero & bandMask(k, target - 1), bit);
            k = target;
            if (newValue != 0)
                storeCoefficient(block, nonZero, k, int16_t(newValue));
        }
    }
    if (endOfBandRun > 0) {
        refineNonZero(reader, block, nonZero & bandMask(k, end), bit);
        --endOfBandRun;
    }
    return true;
}
