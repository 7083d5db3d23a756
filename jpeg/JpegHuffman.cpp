#include "JpegHuffman.h"

#include <cstring>

bool buildHuffmanTable(HuffmanTable& table, const uint8_t counts[16], const uint8_t* symbols,
                       int symbolCount, bool isAc)
{
    table.defined = false;
    std::memset(table.lookup, 0, sizeof table.lookup);
    std::memset(table.acLookup, 0, sizeof table.acLookup);
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

    if (isAc) {
        for (uint32_t look = 0; look < (1u << FastBits); ++look) {
            uint16_t entry = table.lookup[look];
            if (entry == 0)
                continue;
            int length = entry >> 8;
            int symbol = entry & 0xFF;
            int run = symbol >> 4;
            int size = symbol & 15;
            if (size == 0 || length + size > FastBits)
                continue;
            uint32_t raw = (look >> (FastBits - length - size)) & ((1u << size) - 1);
            int32_t value = BitReader::extend(raw, size);
            table.acLookup[look] = int32_t(uint32_t(value) << 16) | (run << 8) | (length + size);
        }
    }
    table.defined = true;
    return true;
}

// One more byte for the bit buffer: a stuffed 0xFF, or a zero byte once a
// marker or the end of the data has been met.
void BitReader::fillSlow()
{
    int byte = -1;
    if (marker == 0 && !endOfData) {
        byte = source.readByte();
        if (byte == 0xFF) {
            int next = source.readByte();
            // Fill bytes (a run of 0xFF) may precede a marker.
            while (next == 0xFF)
                next = source.readByte();
            if (next == 0x00) {
                byte = 0xFF;
            } else {
                if (next < 0)
                    endOfData = true;
                else
                    marker = next;
                byte = -1;
            }
        } else if (byte < 0) {
            endOfData = true;
        }
    }
    if (byte < 0) {
        madeUpBits += 8;
        byte = 0;
    }
    bits |= uint64_t(byte) << (56 - count);
    count += 8;
}

int BitReader::decodeSlow(const HuffmanTable& table)
{
    uint32_t look = peek(16);
    for (int length = FastBits + 1; length <= 16; ++length) {
        if (look < table.maxCode[length]) {
            skip(length);
            int index = int32_t(look >> (16 - length)) + table.valueOffset[length];
            if (index < 0 || index > 255)
                return -1;
            return table.values[index];
        }
    }
    // F.2.2.3 ends here with no code word; also the case for codes of up to
    // FastBits bits that the table leaves unassigned.
    return -1;
}

int BitReader::takeMarker()
{
    reset();
    if (marker == 0 && !endOfData) {
        for (;;) {
            int byte = source.readByte();
            if (byte < 0) {
                endOfData = true;
                break;
            }
            if (byte != 0xFF)
                continue;
            int next = source.readByte();
            while (next == 0xFF)
                next = source.readByte();
            if (next < 0) {
                endOfData = true;
                break;
            }
            if (next != 0x00) {
                marker = next;
                break;
            }
        }
    }
    int found = marker;
    marker = 0;
    return found;
}
