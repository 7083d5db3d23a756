#pragma once

// ISO/IEC 10918-1 Annex C (the Huffman tables) and F.2.2.3-F.2.2.5
// (decoding procedure for code words, receiving and extending the bits).

#include "JpegSource.h"

#include <cstdint>

// Speed-up beyond the standard: code words of up to FastBits bits are decoded
// with one table look-up (AC coefficients with their extra bits, too).
// FastBits 10: larger handles more codes per look-up, smaller stomps less of
// the L1 cache (the tables of one AC table take 6 KB).
constexpr int FastBits = 10;

struct HuffmanTable {
    bool defined = false;
    // (length << 8) | symbol for codes of up to FastBits bits; 0 for longer ones.
    uint16_t lookup[1 << FastBits];
    // For AC tables: (value << 16) | (run << 8) | (code length + extra bits)
    // when a whole coefficient fits in FastBits bits; 0 otherwise.
    int32_t acLookup[1 << FastBits];
    // Largest code of each length, left-aligned to 16 bits plus one (so a
    // plain "<" test finds the length); index 17 is a sentinel.
    uint32_t maxCode[18];
    int32_t valueOffset[17];
    uint8_t values[256];
};

// Builds the decoding tables from the BITS counts and HUFFVAL symbols of a DHT
// segment. False when the counts describe no valid prefix code.
bool buildHuffmanTable(HuffmanTable& table, const uint8_t counts[16], const uint8_t* symbols,
                       int symbolCount, bool isAc);

// Bits of the entropy-coded data, most significant first, with the 0xFF 0x00
// byte stuffing removed. At a marker (or at the end of the data) the reader
// supplies zero bits and remembers the marker; consuming any of those
// made-up bits means the data was damaged or cut short.
class BitReader {
public:
    explicit BitReader(JpegSource& source) : source(source) {}

    void reset()
    {
        bits = 0;
        count = 0;
        madeUpBits = 0;
    }

    void fill()
    {
        // Speed-up beyond the standard: up to 8 bytes at once when none of
        // them is 0xFF (no stuffing and no marker to handle).
        if (count <= 56 && source.end - source.cur >= 8 && marker == 0) {
            uint64_t word = 0;
            for (int i = 0; i < 8; ++i)
                word = (word << 8) | source.cur[i];
            uint64_t inverted = ~word;
            bool hasFF = ((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0;
            if (!hasFF) {
                int taken = (64 - count) >> 3;
                uint64_t top = taken == 8 ? word : word >> (64 - 8 * taken);
                bits |= top << (64 - count - 8 * taken);
                count += 8 * taken;
                source.cur += taken;
                return;
            }
        }
        while (count <= 56) {
            if (source.cur != source.end && marker == 0) {
                uint8_t byte = *source.cur;
                if (byte != 0xFF) {
                    ++source.cur;
                    bits |= uint64_t(byte) << (56 - count);
                    count += 8;
                    continue;
                }
            }
            fillSlow();
        }
    }

    uint32_t peek(int n) const { return uint32_t(bits >> (64 - n)); }
    void skip(int n)
    {
        bits <<= n;
        count -= n;
    }

    // F.2.2.3 DECODE. Returns the symbol, or -1 for a code word no table entry has.
    int decode(const HuffmanTable& table)
    {
        if (count < 16)
            fill();
        uint16_t entry = table.lookup[peek(FastBits)];
        if (entry != 0) {
            skip(entry >> 8);
            return entry & 0xFF;
        }
        return decodeSlow(table);
    }

    // F.2.2.1 RECEIVE and EXTEND for 1 <= length <= 16 bits.
    int32_t receiveExtend(int length)
    {
        if (count < length)
            fill();
        uint32_t value = peek(length);
        skip(length);
        return extend(value, length);
    }

    uint32_t receive(int length)
    {
        if (count < length)
            fill();
        uint32_t value = peek(length);
        skip(length);
        return value;
    }

    static int32_t extend(uint32_t value, int length)
    {
        if (value < (1u << (length - 1)))
            return int32_t(value) - int32_t((1u << length) - 1);
        return int32_t(value);
    }

    // True when decoding has used bits that were not in the data.
    bool overran() const { return count < madeUpBits; }

    // Drops the buffered bits (at a restart marker or the end of a scan) and
    // returns the marker the reader stopped at, reading on to the next marker
    // when it has not met one yet; 0 at the end of the data.
    int takeMarker();

    uint64_t bits = 0;
    int count = 0;
    int madeUpBits = 0;
    int marker = 0;
    bool endOfData = false;

private:
    void fillSlow();
    int decodeSlow(const HuffmanTable& table);

    JpegSource& source;
};
