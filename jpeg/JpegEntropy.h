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
    reader.fill();
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

// Progressive scans (G.1.2.1 DC, G.1.2.2 AC first, G.1.2.3 AC refinement).
// Each returns false for a code word that no table has.
bool decodeDcFirst(BitReader& reader, const HuffmanTable& dcTable, int32_t& dcPredictor,
                   int16_t* block, int approxLow);
void decodeDcRefine(BitReader& reader, int16_t* block, int approxLow);
bool decodeAcFirst(BitReader& reader, const HuffmanTable& acTable, int16_t* block, int start,
                   int end, int approxLow, uint32_t& endOfBandRun);
bool decodeAcRefine(BitReader& reader, const HuffmanTable& acTable, int16_t* block, int start,
                    int end, int approxLow, uint32_t& endOfBandRun);
