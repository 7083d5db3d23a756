#pragma once

// Entropy decoding of one block: ISO/IEC 10918-1 F.2.2 (sequential, Huffman)
// and G.1.2 (progressive, Huffman). Coefficients are stored in natural order
// as 16-bit numbers; out-of-range values from damaged data wrap.

#include "JpegHuffman.h"
#include "JpegSegments.h"

#include <cstdint>

// F.2.2.1 and F.2.2.2: one block of a sequential scan into a zeroed block.
// Returns the zig-zag index after the last coded coefficient (1 when the
// block holds only its DC term), or -1 for a code word that no table has.
inline int decodeSequentialBlock(BitReader& reader, const HuffmanTable& dcTable,
                                 const HuffmanTable& acTable, int32_t& dcPredictor, int16_t* block)
{
    int size = reader.decode(dcTable);
    if (size < 0)
        return -1;
    int32_t diff = size ? reader.receiveExtend(size) : 0;
    dcPredictor = int32_t(uint32_t(dcPredictor) + uint32_t(diff));
    block[0] = int16_t(dcPredictor);

    int k = 1;
    while (k < 64) {
        if (reader.count < 32)
            reader.fill();
        int32_t fast = acTable.acLookup[reader.peek(FastBits)];
        if (fast != 0) {
            reader.skip(fast & 0xFF);
            k += (fast >> 8) & 15;
            block[naturalOrder[k]] = int16_t(fast >> 16);
            ++k;
            continue;
        }
        int symbol = reader.decode(acTable);
        if (symbol < 0)
            return -1;
        int run = symbol >> 4;
        size = symbol & 15;
        if (size != 0) {
            k += run;
            block[naturalOrder[k]] = int16_t(reader.receiveExtend(size));
            ++k;
        } else {
            if (run != 15)
                break;
            k += 16;
        }
    }
    return k;
}

// Progressive scans (G.1.2.1 DC, G.1.2.2 AC first, G.1.2.3 AC refinement),
// inline like the sequential decoder since they run once per block. Each
// returns false for a code word that no table has.
inline bool decodeDcFirst(BitReader& reader, const HuffmanTable& dcTable, int32_t& dcPredictor,
                          int16_t* block, int approxLow)
{
    int size = reader.decode(dcTable);
    if (size < 0)
        return false;
    int32_t diff = size ? reader.receiveExtend(size) : 0;
    dcPredictor = int32_t(uint32_t(dcPredictor) + uint32_t(diff));
    block[0] = int16_t(uint32_t(dcPredictor) << approxLow);
    return true;
}

inline void decodeDcRefine(BitReader& reader, int16_t* block, int approxLow)
{
    if (reader.receive(1))
        block[0] = int16_t(block[0] | (1 << approxLow));
}

inline bool decodeAcFirst(BitReader& reader, const HuffmanTable& acTable, int16_t* block, int start,
                          int end, int approxLow, uint32_t& endOfBandRun)
{
    if (endOfBandRun > 0) {
        --endOfBandRun;
        return true;
    }
    for (int k = start; k <= end; ++k) {
        if (reader.count < 32)
            reader.fill();
        int32_t fast = acTable.acLookup[reader.peek(FastBits)];
        if (fast != 0) {
            reader.skip(fast & 0xFF);
            k += (fast >> 8) & 15;
            block[naturalOrder[k]] = int16_t(uint32_t(fast >> 16) << approxLow);
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
            block[naturalOrder[k]] = int16_t(uint32_t(value) << approxLow);
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

// G.1.2.3: a correction bit for a coefficient that is already non-zero moves
// it one step of 2^Al further from zero.
inline void refineNonZero(BitReader& reader, int16_t& coefficient, int bit)
{
    if (reader.receive(1) && (coefficient & bit) == 0)
        coefficient = int16_t(coefficient >= 0 ? coefficient + bit : coefficient - bit);
}

inline bool decodeAcRefine(BitReader& reader, const HuffmanTable& acTable, int16_t* block, int start,
                           int end, int approxLow, uint32_t& endOfBandRun)
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
            // Skip `run` zero coefficients, refining the non-zero ones passed on the way.
            while (k <= end) {
                int16_t& coefficient = block[naturalOrder[k]];
                if (coefficient != 0) {
                    refineNonZero(reader, coefficient, bit);
                } else {
                    if (run == 0)
                        break;
                    --run;
                }
                ++k;
            }
            if (newValue != 0)
                block[naturalOrder[k]] = int16_t(newValue);
        }
    }
    if (endOfBandRun > 0) {
        for (; k <= end; ++k) {
            int16_t& coefficient = block[naturalOrder[k]];
            if (coefficient != 0)
                refineNonZero(reader, coefficient, bit);
        }
        --endOfBandRun;
    }
    return true;
}
