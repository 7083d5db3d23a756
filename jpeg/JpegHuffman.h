#pragma once

// ISO/IEC 10918-1 Annex C (the Huffman tables) and F.2.2.3-F.2.2.5
// (decoding procedure for code words, receiving and extending the bits).

#include "JpegSource.h"

#include <cstdint>
#include <cstring>

// Speed-up beyond the standard: code words of up to FastBits bits are decoded
// with one table look-up, and so are whole coefficients (code word and extra
// bits) of up to FastBits bits. FastBits 10: larger handles more codes per
// look-up, smaller stomps less of the L1 cache (the tables of one table take 6 KB).
constexpr int FastBits = 10;

// Marks the end-of-block code (EOB, or an end-of-band run of one block) in coefficientLookup.
constexpr int32_t EndOfBlockEntry = 0x8000;

struct HuffmanTable {
    bool defined = false;
    // (length << 8) | symbol for codes of up to FastBits bits; 0 for longer ones.
    uint16_t lookup[1 << FastBits];
    // (value << 16) | (run << 8) | (code length + extra bits) when a whole
    // coefficient fits in FastBits bits, with its value extended (F.2.2.1);
    // EndOfBlockEntry | code length for an AC table's end-of-block code; 0
    // otherwise (longer codes, and the AC table's run of 16 zeros). A DC
    // table's entries have run 0.
    int32_t coefficientLookup[1 << FastBits];
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
//
// From begin() to takeMarker() the reader holds the reading position. Every
// member is inline and the reader is a small value: the block loops decode
// with a copy in a local variable, whose fields then stay in registers, and
// store it back when they stop.
class BitReader {
public:
    explicit BitReader(JpegSource& source) : source(&source) {}

    // Starts on the entropy-coded data at the source's position.
    void begin()
    {
        bits = 0;
        count = 0;
        madeUpBits = 0;
        endOfData = false;
        cur = source->cur;
        end = source->end;
        findStop();
    }

    // Makes at least 56 bits available.
    void fill()
    {
        // Speed-up beyond the standard: while none of the next eight bytes is
        // 0xFF (no stuffing, no marker), they are loaded at once; the cost is a
        // search for the next 0xFF byte (`stop`) each time one is passed. The
        // bytes that do not fit whole are loaded again next time, to the same place.
        if (stop - cur >= 8) {
            uint64_t word;
            std::memcpy(&word, cur, sizeof word);
            bits |= __builtin_bswap64(word) >> count;
            cur += (63 - count) >> 3;
            count |= 56;
            return;
        }
        fillSlow();
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
        return decodeLong(table);
    }

    // F.2.2.1 RECEIVE and EXTEND for 1 <= length <= 16 bits.
    int32_t receiveExtend(int length) { return extend(receive(length), length); }

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
    // when it has not met one yet; 0 at the end of the data. The source reads
    // on after the marker.
    int takeMarker()
    {
        bits = 0;
        count = 0;
        madeUpBits = 0;
        while (marker == 0 && !endOfData) {
            int byte = nextByte();
            if (byte < 0)
                endOfData = true;
            else if (byte == 0xFF)
                takeMarkerOrStuffedByte();
        }
        source->cur = cur;
        int found = marker;
        marker = 0;
        findStop();
        return found;
    }

    uint64_t bits = 0;  // left-aligned; below the `count` valid bits may lie the next byte's first bits
    int count = 0;
    int madeUpBits = 0;
    int marker = 0;
    bool endOfData = false;

private:
    // The next byte of the data, or -1 at its end.
    int nextByte()
    {
        if (cur == end) {
            source->cur = cur;
            if (!source->refill())
                return -1;
            cur = source->cur;
            end = source->end;
        }
        return *cur++;
    }

    // After a 0xFF byte: true for a stuffed 0xFF (0xFF 0x00), otherwise the
    // marker or the end of the data has been met. Fill bytes (a run of 0xFF)
    // may precede a marker.
    bool takeMarkerOrStuffedByte()
    {
        int next = nextByte();
        while (next == 0xFF)
            next = nextByte();
        if (next == 0x00)
            return true;
        if (next < 0)
            endOfData = true;
        else
            marker = next;
        return false;
    }

    // The fast fill may run up to the next 0xFF byte.
    void findStop()
    {
        stop = cur;
        if (marker == 0 && !endOfData) {
            const void* found = cur == end ? nullptr : std::memchr(cur, 0xFF, size_t(end - cur));
            stop = found ? static_cast<const uint8_t*>(found) : end;
        }
    }

    // Byte by byte: stuffed 0xFF bytes, and zero bytes once a marker or the
    // end of the data has been met.
    void fillSlow()
    {
        while (count <= 56) {
            int byte = -1;
            if (marker == 0 && !endOfData) {
                byte = nextByte();
                if (byte < 0)
                    endOfData = true;
                else if (byte == 0xFF && !takeMarkerOrStuffedByte())
                    byte = -1;
            }
            if (byte < 0) {
                madeUpBits += 8;
                byte = 0;
            }
            bits |= uint64_t(byte) << (56 - count);
            count += 8;
        }
        findStop();
    }

    // Code words longer than FastBits bits (F.2.2.3, Figure F.16).
    int decodeLong(const HuffmanTable& table)
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

    JpegSource* source;
    const uint8_t* cur = nullptr;
    const uint8_t* end = nullptr;
    const uint8_t* stop = nullptr;  // the next 0xFF byte, or the end of the buffered data
};
