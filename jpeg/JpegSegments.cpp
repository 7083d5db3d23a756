#include "JpegSegments.h"

#include "JpegMarkers.h"

const uint8_t naturalOrder[64 + 16] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63,
};

namespace {

int readU16(const uint8_t* p) { return (p[0] << 8) | p[1]; }

int ceilDiv(int a, int b) { return (a + b - 1) / b; }

}

// ISO/IEC 10918-1 B.2.2 Frame header syntax.
JpegResult parseFrameHeader(const uint8_t* data, size_t size, int marker, FrameHeader& frame)
{
    if (frame.defined)
        return JpegMultipleFrames;
    if (size < 6)
        return JpegErrorSof;
    int precision = data[0];
    int height = readU16(data + 1);
    int width = readU16(data + 3);
    int count = data[5];
    if (precision != 8)
        return JpegNotSupported;
    if (count < 1 || count > MaxComponents)
        return JpegErrorComp;
    if (size != size_t(6 + 3 * count))
        return JpegErrorSof;
    // A height of 0 announces a DNL segment after the first scan, which
    // decoders of still photos practically never meet.
    if (height == 0)
        return JpegErrorDnl;
    if (width == 0)
        return JpegErrorSof;

    frame.progressive = marker == JpegMarker::Sof2;
    frame.width = width;
    frame.height = height;
    frame.componentCount = count;
    frame.hMax = 1;
    frame.vMax = 1;
    for (int i = 0; i < count; ++i) {
        FrameComponent& c = frame.components[i];
        const uint8_t* p = data + 6 + 3 * i;
        c.id = p[0];
        c.h = p[1] >> 4;
        c.v = p[1] & 15;
        c.quantTable = p[2];
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4)
            return JpegUnsupportedSubsampling;
        if (c.quantTable > 3)
            return JpegErrorSof;
        for (int j = 0; j < i; ++j)
            if (frame.components[j].id == c.id)
                return JpegErrorComp;
        if (c.h > frame.hMax)
            frame.hMax = c.h;
        if (c.v > frame.vMax)
            frame.vMax = c.v;
    }
    // Upsampling by a whole factor only (what every encoder writes).
    for (int i = 0; i < count; ++i) {
        const FrameComponent& c = frame.components[i];
        if (frame.hMax % c.h != 0 || frame.vMax % c.v != 0)
            return JpegUnsupportedSubsampling;
    }
    frame.mcusWide = ceilDiv(width, 8 * frame.hMax);
    frame.mcusHigh = ceilDiv(height, 8 * frame.vMax);
    for (int i = 0; i < count; ++i) {
        FrameComponent& c = frame.components[i];
        c.sampleWidth = ceilDiv(width * c.h, frame.hMax);
        c.sampleHeight = ceilDiv(height * c.v, frame.vMax);
        c.blocksWide = ceilDiv(c.sampleWidth, 8);
        c.blocksHigh = ceilDiv(c.sampleHeight, 8);
        c.gridBlocksWide = frame.mcusWide * c.h;
        c.gridBlocksHigh = frame.mcusHigh * c.v;
    }
    frame.defined = true;
    return JpegSuccess;
}

// ISO/IEC 10918-1 B.2.4.1 Define quantization tables (DQT) syntax.
JpegResult parseQuantTables(const uint8_t* data, size_t size, DecoderTables& tables)
{
    size_t pos = 0;
    if (size == 0)
        return JpegBadQuantizationTable;
    while (pos < size) {
        int precision = data[pos] >> 4;
        int id = data[pos] & 15;
        ++pos;
        if (precision > 1 || id > 3)
            return JpegBadQuantizationTable;
        size_t need = precision ? 128 : 64;
        if (size - pos < need)
            return JpegBadQuantizationTable;
        QuantTable& table = tables.quant[id];
        for (int k = 0; k < 64; ++k) {
            int value = precision ? readU16(data + pos + 2 * k) : data[pos + k];
            // Kept at the 16-bit width the inverse DCT multiplies with; values
            // above 32767 wrap as they do in the reference decoder.
            table.values[k] = int16_t(uint16_t(value));
        }
        table.defined = true;
        pos += need;
    }
    return JpegSuccess;
}

// ISO/IEC 10918-1 B.2.4.2 Define Huffman tables (DHT) syntax.
JpegResult parseHuffmanTables(const uint8_t* data, size_t size, DecoderTables& tables)
{
    size_t pos = 0;
    if (size == 0)
        return JpegBadHuffmanTable;
    while (pos < size) {
        if (size - pos < 17)
            return JpegBadHuffmanTable;
        int tableClass = data[pos] >> 4;
        int id = data[pos] & 15;
        if (tableClass > 1 || id > 3)
            return JpegBadHuffmanTable;
        const uint8_t* counts = data + pos + 1;
        int total = 0;
        for (int i = 0; i < 16; ++i)
            total += counts[i];
        pos += 17;
        if (total > 256 || size - pos < size_t(total))
            return JpegBadHuffmanTable;
        const uint8_t* symbols = data + pos;
        bool isAc = tableClass == 1;
        if (!isAc) {
            // DC differences of 8-bit samples need at most 11 bits; more than 15
            // could not be received at all.
            for (int i = 0; i < total; ++i)
                if (symbols[i] > 15)
                    return JpegBadHuffmanTable;
        }
        HuffmanTable& table = isAc ? tables.ac[id] : tables.dc[id];
        if (!buildHuffmanTable(table, counts, symbols, total, isAc))
            return JpegBadHuffmanTable;
        pos += size_t(total);
    }
    return JpegSuccess;
}

// ISO/IEC 10918-1 B.2.4.4 Restart interval definition syntax.
JpegResult parseRestartInterval(const uint8_t* data, size_t size, DecoderTables& tables)
{
    if (size != 2)
        return JpegDataError;
    tables.restartInterval = readU16(data);
    return JpegSuccess;
}

// ISO/IEC 10918-1 B.2.3 Scan header syntax, with the limits of G.1.1.1.1 for
// progressive scans.
JpegResult parseScanHeader(const uint8_t* data, size_t size, const FrameHeader& frame,
                           ScanHeader& scan)
{
    if (!frame.defined)
        return JpegNoFrame;
    if (size < 1)
        return JpegDataError;
    int count = data[0];
    if (count < 1 || count > MaxComponents || size != size_t(4 + 2 * count))
        return JpegDataError;
    scan.componentCount = count;
    int blocksPerMcu = 0;
    for (int i = 0; i < count; ++i) {
        int id = data[1 + 2 * i];
        int tables = data[2 + 2 * i];
        int index = -1;
        for (int j = 0; j < frame.componentCount; ++j)
            if (frame.components[j].id == id)
                index = j;
        if (index < 0)
            return JpegErrorComp;
        for (int j = 0; j < i; ++j)
            if (scan.componentIndex[j] == index)
                return JpegErrorComp;
        scan.componentIndex[i] = index;
        scan.dcTable[i] = tables >> 4;
        scan.acTable[i] = tables & 15;
        if (scan.dcTable[i] > 3 || scan.acTable[i] > 3)
            return JpegNoHuffmanTable;
        blocksPerMcu += frame.components[index].h * frame.components[index].v;
    }
    // B.2.3: an interleaved MCU holds at most ten blocks.
    if (count > 1 && blocksPerMcu > 10)
        return JpegDataError;
    const uint8_t* p = data + 1 + 2 * count;
    scan.spectralStart = p[0];
    scan.spectralEnd = p[1];
    scan.approxHigh = p[2] >> 4;
    scan.approxLow = p[2] & 15;
    if (frame.progressive) {
        bool dcScan = scan.spectralStart == 0;
        if (dcScan && scan.spectralEnd != 0)
            return JpegDataError;
        if (!dcScan && (scan.spectralEnd < scan.spectralStart || scan.spectralEnd > 63 || count != 1))
            return JpegDataError;
        if (scan.approxHigh > 13 || scan.approxLow > 13)
            return JpegDataError;
        if (scan.approxHigh != 0 && scan.approxHigh != scan.approxLow + 1)
            return JpegDataError;
    } else {
        // Sequential scans carry the whole spectrum; encoders write 0, 63, 0.
        if (scan.spectralStart != 0 || scan.spectralEnd != 63 || scan.approxHigh != 0 ||
            scan.approxLow != 0)
            return JpegDataError;
    }
    return JpegSuccess;
}
