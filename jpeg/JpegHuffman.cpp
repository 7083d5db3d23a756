#include "JpegHuffman.h"

#include <cstring>

bool buildHuffmanTable(HuffmanTable& table, const uint8_t counts[16], const uint8_t* symbols,
                       int symbolCount, bool isAc)
{
    table.defined = false;
    std::memset(table.lookup, 0, sizeof table.lookup);
    std::memset(table.coefficientLookup, 0, sizeof table.coefficientLookup);
    std::memcpy(table.values, symbols, size_t(symbolCount));

    // C.2: code sizes and codes in order of increasing length (Figures C.1 to C.3).
    uint32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        int n = counts[length - 1];
        table.valueOffset[length] = index - int32_t(code);
        for (int i = 0; i < n; ++i, ++index, ++code) {
            if (code >= (1u << length))
                return false;
            if (length <= FastBits) {
                int shift = FastBits - length;
                for (uint32_t fill = 0; fill < (1u << shift); ++fill)
                    table.lookup[(code << shift) | fill] = uint16_t((length << 8) | symbols[index]);
            }
        }
        // The codes of each length must fit in that many bits, and the all-ones
        // code stays unused.
        if (code >= (1u << length))
            return false;
        table.maxCode[length] = code << (16 - length);
        code <<= 1;
    }
    table.maxCode[17] = 0xFFFFFFFFu;

    for (uint32_t look = 0; look < (1u << FastBits); ++look) {
        uint16_t entry = table.lookup[look];
        if (entry == 0)
            continue;
        int length = entry >> 8;
        int symbol = entry & 0xFF;
        // DC symbols are sizes; AC symbols a run of zeros and a size.
        int run = isAc ? symbol >> 4 : 0;
        int size = isAc ? symbol & 15 : symbol;
        if (isAc && symbol == 0) {
            table.coefficientLookup[look] = EndOfBlockEntry | length;
            continue;
        }
        if ((isAc && size == 0) || length + size > FastBits)
            continue;  // a run of 16 zeros or of end-of-band blocks, or too long for one look-up
        int32_t value = 0;
        if (size != 0) {
            uint32_t raw = (look >> (FastBits - length - size)) & ((1u << size) - 1);
            value = BitReader::extend(raw, size);
        }
        table.coefficientLookup[look] = int32_t(uint32_t(value) << 16) | (run << 8) | (length + size);
    }
    table.defined = true;
    return true;
}
