#include "JpegDecoder.h"

#include "JpegEntropy.h"
#include "JpegIdct.h"
#include "JpegMarkers.h"
#include "JpegSegments.h"

#include <cstring>
#include <new>

namespace {

// Coefficient storage beyond this is refused rather than attempted: no photo
// comes near it, and a damaged header must not exhaust memory.
constexpr size_t MaxCoefficientBytes = size_t(1) << 30;
// A progressive photo has about ten scans; thousands mean a damaged or
// hostile file that would otherwise make every scan walk the whole image.
constexpr int MaxScans = 1000;

enum class BlockRegion { DcOnly, Corner, Whole };

// Where a block's non-zero coefficients lie, so the cheapest exact inverse
// DCT can be used for it.
BlockRegion nonZeroRegion(const int16_t* block)
{
    uint64_t words[16];
    std::memcpy(words, block, sizeof words);
    // Word 2r holds columns 0-3 of row r, word 2r+1 columns 4-7.
    uint64_t outsideCorner = 0;
    for (int row = 0; row < 4; ++row)
        outsideCorner |= words[2 * row + 1];
    for (int i = 8; i < 16; ++i)
        outsideCorner |= words[i];
    if (outsideCorner != 0)
        return BlockRegion::Whole;
    uint64_t ac = words[2] | words[4] | words[6];
    int16_t firstRow[4];
    std::memcpy(firstRow, &words[0], sizeof firstRow);
    ac |= uint64_t(uint16_t(firstRow[1]) | uint16_t(firstRow[2]) | uint16_t(firstRow[3]));
    return ac == 0 ? BlockRegion::DcOnly : BlockRegion::Corner;
}

// Copying a zero block compiles to a few vector stores; a memset of this size
// becomes a slow string instruction.
void clearBlock(int16_t* block)
{
    alignas(32) static const int16_t zero[64] = {};
    std::memcpy(block, zero, sizeof zero);
}

// The result for a scan that has used bits the data did not hold, or success.
JpegResult scanEndResult(const BitReader& bits)
{
    if (bits.overran())
        return bits.endOfData ? JpegErrorEof : JpegDataError;
    return JpegSuccess;
}

// Where one block of an interleaved MCU comes from and where its samples go.
struct McuBlock {
    int component = 0;
    int blockRow = 0;     // within the MCU
    int blockColumn = 0;  // within the MCU
    const HuffmanTable* dcTable = nullptr;
    const HuffmanTable* acTable = nullptr;
    uint8_t* firstOut = nullptr;  // samples of the block in the MCU row's first MCU
    int mcuStep = 8;              // bytes from one MCU's block to the next one's
    ptrdiff_t stride = 0;
};

bool isUnsupportedFrame(int marker)
{
    return (marker >= JpegMarker::Sof3 && marker <= JpegMarker::Sof15 && marker != JpegMarker::Dht) ||
           marker == JpegMarker::Dhp || marker == JpegMarker::Exp;
}

}

JpegDecoder::JpegDecoder(JpegSource& source) : source(source), reader(source) {}

JpegResult JpegDecoder::nextMarker(int& marker)
{
    // B.1.1.2: markers may be preceded by any number of 0xFF fill bytes.
    // Bytes other than 0xFF between segments are skipped, as damaged files
    // often have a few.
    int byte = source.readByte();
    while (byte >= 0 && byte != 0xFF)
        byte = source.readByte();
    while (byte == 0xFF)
        byte = source.readByte();
    if (byte < 0)
        return JpegErrorEof;
    marker = byte;
    return JpegSuccess;
}

JpegResult JpegDecoder::readSegmentBody(std::unique_ptr<uint8_t[]>& body, size_t& size)
{
    int high = source.readByte();
    int low = source.readByte();
    if (low < 0)
        return JpegErrorEof;
    int length = (high << 8) | low;
    if (length < 2)
        return JpegDataError;
    size = size_t(length - 2);
    body.reset(new (std::nothrow) uint8_t[size + 1]);
    if (!body)
        return JpegMemoryError;
    if (!source.readBytes(body.get(), size))
        return JpegErrorEof;
    return JpegSuccess;
}

// B.2.1 and B.2.4: table and miscellaneous segments up to the next scan
// header, starting with the segment of `marker`. Returns at a scan header
// (after parsing it) or with an error; EOI gives JpegNoImage.
JpegResult JpegDecoder::readSegments(int marker)
{
    for (;;) {
        if (marker == 0) {
            JpegResult result = nextMarker(marker);
            if (result != JpegSuccess)
                return result;
        }
        int current = marker;
        marker = 0;
        if (current == JpegMarker::Eoi)
            return frameHeader.defined ? JpegNoImage : JpegNoFrame;
        if (current == JpegMarker::Soi)
            return JpegDataError;
        if (current >= JpegMarker::Rst0 && current <= JpegMarker::Rst7)
            continue;  // a stray restart marker carries no data
        if (current == JpegMarker::Tem || current < JpegMarker::Sof0)
            return JpegDataError;
        if (isUnsupportedFrame(current) || current == JpegMarker::Dac)
            return JpegNotSupported;

        std::unique_ptr<uint8_t[]> body;
        size_t size = 0;
        JpegResult result = readSegmentBody(body, size);
        if (result != JpegSuccess)
            return result;
        const uint8_t* data = body.get();
        switch (current) {
        case JpegMarker::Sof0:
        case JpegMarker::Sof1:
        case JpegMarker::Sof2:
            result = parseFrameHeader(data, size, current, frameHeader);
            break;
        case JpegMarker::Dht:
            result = parseHuffmanTables(data, size, tables);
            break;
        case JpegMarker::Dqt:
            result = parseQuantTables(data, size, tables);
            break;
        case JpegMarker::Dri:
            result = parseRestartInterval(data, size, tables);
            break;
        case JpegMarker::Dnl:
            result = JpegErrorDnl;
            break;
        case JpegMarker::Sos:
            result = parseScanHeader(data, size, frameHeader, scan);
            if (result == JpegSuccess)
                result = checkScanTables();
            if (result == JpegSuccess)
                return JpegSuccess;
            break;
        default:
            // APPn, COM and the other segments carry nothing the decoder needs.
            break;
        }
        if (result != JpegSuccess)
            return result;
    }
}

JpegResult JpegDecoder::checkScanTables()
{
    bool progressive = frameHeader.progressive;
    bool needsDc = !progressive || (scan.spectralStart == 0 && scan.approxHigh == 0);
    bool needsAc = !progressive || scan.spectralStart > 0;
    for (int i = 0; i < scan.componentCount; ++i) {
        if (needsDc && !tables.dc[scan.dcTable[i]].defined)
            return JpegNoHuffmanTable;
        if (needsAc && !tables.ac[scan.acTable[i]].defined)
            return JpegNoHuffmanTable;
        const FrameComponent& component = frameHeader.components[scan.componentIndex[i]];
        if (!quantLatched[scan.componentIndex[i]] && !tables.quant[component.quantTable].defined)
            return JpegNoQuantizationTable;
    }
    return JpegSuccess;
}

void JpegDecoder::latchQuantTables()
{
    // The table in force at a component's first scan is the one its
    // coefficients were quantized with, even if a later DQT replaces it.
    for (int i = 0; i < scan.componentCount; ++i) {
        int index = scan.componentIndex[i];
        if (quantLatched[index])
            continue;
        const QuantTable& table = tables.quant[frameHeader.components[index].quantTable];
        for (int k = 0; k < 64; ++k)
            quantNatural[index][naturalOrder[k]] = table.values[k];
        quantLatched[index] = true;
    }
}

JpegResult JpegDecoder::readHeader()
{
    if (headerRead)
        return headerResult;
    headerRead = true;
    int first = source.readByte();
    int second = source.readByte();
    if (first != 0xFF || second != JpegMarker::Soi) {
        headerResult = JpegNotJpeg;
        return headerResult;
    }
    headerResult = readSegments(0);
    if (headerResult == JpegErrorEof && !frameHeader.defined)
        headerResult = JpegNoFrame;
    return headerResult;
}

// Before each MCU: take the restart marker that is due, and stop at once when the data has run
// out (missing data yields zero bits, which often still decode, to the end of a long row). Works
// on the scan loop's own copy of the bit reader, which the member stands in for meanwhile; always
// inlined, so that the copy never has its address taken and stays in registers.
[[gnu::always_inline]] inline JpegResult JpegDecoder::beginMcu(BitReader& bits, int& restartsLeft, int& expectedRestart)
{
    if (tables.restartInterval != 0) {
        if (restartsLeft == 0) {
            reader = bits;
            JpegResult result = restart(expectedRestart);
            bits = reader;
            if (result != JpegSuccess)
                return result;
            restartsLeft = tables.restartInterval;
        }
        --restartsLeft;
    }
    return scanEndResult(bits);
}

JpegResult JpegDecoder::restart(int& expectedRestart)
{
    // F.2.1.3.1 / E.1.4: at a restart the coder's bit buffer is discarded, the
    // marker RSTm (m counting 0..7) must follow, and the predictions start over.
    JpegResult result = scanEndResult(reader);
    if (result != JpegSuccess)
        return result;
    int marker = reader.takeMarker();
    if (marker != JpegMarker::Rst0 + expectedRestart)
        return reader.endOfData ? JpegErrorEof : JpegBadRstMarker;
    expectedRestart = (expectedRestart + 1) & 7;
    for (int32_t& prediction : dcPredictor)
        prediction = 0;
    endOfBandRun = 0;
    reader.endOfData = false;
    return JpegSuccess;
}

JpegResult JpegDecoder::decode(const JpegOutputTarget& target, const JpegKernels& kernels)
{
    JpegResult result = readHeader();
    if (result != JpegSuccess)
        return result;
    if (decoded)
        return JpegNotSupported;  // the stream has been consumed
    decoded = true;
    if (!target.pixels)
        return JpegInvalidProperties;

    JpegRowOutput output;
    bool streaming = !frameHeader.progressive && scan.componentCount == frameHeader.componentCount;
    int rowsPerBand[MaxComponents] = {};
    for (int c = 0; c < frameHeader.componentCount; ++c)
        rowsPerBand[c] = (streaming && frameHeader.componentCount == 1) ? 8 : frameHeader.components[c].v * 8;
    result = output.start(frameHeader, target, kernels, rowsPerBand);
    if (result != JpegSuccess)
        return result;
    if (streaming)
        return decodeStreaming(output, kernels);

    result = allocateCoefficients();
    for (;;) {
        if (result != JpegSuccess)
            return result;
        if (++scanCount > MaxScans)
            return JpegDataError;
        result = decodeBufferedScan();
        if (result != JpegSuccess)
            return result;
        int marker = reader.takeMarker();
        if (marker == 0)
            return JpegErrorEof;
        if (marker == JpegMarker::Eoi)
            break;
        result = readSegments(marker);
        if (result == JpegNoImage)
            break;  // EOI after further tables
    }
    return outputBuffered(output, kernels);
}

JpegResult JpegDecoder::decodeStreaming(JpegRowOutput& output, const JpegKernels& kernels)
{
    latchQuantTables();
    reader.begin();
    const bool single = scan.componentCount == 1;
    const FrameComponent& first = frameHeader.components[scan.componentIndex[0]];
    const int mcusWide = single ? first.blocksWide : frameHeader.mcusWide;
    const int mcusHigh = single ? first.blocksHigh : frameHeader.mcusHigh;
    int restartsLeft = tables.restartInterval;
    int expectedRestart = 0;

    // The blocks of one MCU in coding order (B.2.3: at most ten).
    McuBlock blocks[10];
    int blockCount = 0;
    for (int i = 0; i < scan.componentCount; ++i) {
        int c = scan.componentIndex[i];
        const FrameComponent& component = frameHeader.components[c];
        int h = single ? 1 : component.h;
        int v = single ? 1 : component.v;
        for (int by = 0; by < v; ++by) {
            for (int bx = 0; bx < h; ++bx) {
                McuBlock& block = blocks[blockCount++];
                block.component = c;
                block.blockRow = by;
                block.blockColumn = bx;
                block.dcTable = &tables.dc[scan.dcTable[i]];
                block.acTable = &tables.ac[scan.acTable[i]];
                block.mcuStep = h * 8;
                block.stride = output.rowStride(c);
            }
        }
    }

    alignas(32) int16_t coefficients[64];
    clearBlock(coefficients);
    BitReader bits = reader;
    for (int mcuRow = 0; mcuRow < mcusHigh; ++mcuRow) {
        for (int b = 0; b < blockCount; ++b) {
            McuBlock& block = blocks[b];
            int v = single ? 1 : frameHeader.components[block.component].v;
            block.firstOut = output.sampleRow(block.component, (mcuRow * v + block.blockRow) * 8) + block.blockColumn * 8;
        }
        for (int mcuX = 0; mcuX < mcusWide; ++mcuX) {
            JpegResult ready = beginMcu(bits, restartsLeft, expectedRestart);
            if (ready != JpegSuccess)
                return ready;
            for (int b = 0; b < blockCount; ++b) {
                const McuBlock& block = blocks[b];
                int c = block.component;
                int positions =
                    decodeSequentialBlock(bits, *block.dcTable, *block.acTable, dcPredictor[c], coefficients);
                if (positions < 0)
                    return JpegDataError;
                uint8_t* out = block.firstOut + mcuX * block.mcuStep;
                if (positions == 0)
                    idctDcOnly(coefficients, quantNatural[c], out, block.stride);
                else if ((positions & OutsideCornerPositionBits) == 0)
                    kernels.idctCorner(coefficients, quantNatural[c], out, block.stride);
                else
                    kernels.idct(coefficients, quantNatural[c], out, block.stride);
                clearBlock(coefficients);
            }
        }
        JpegResult result = scanEndResult(bits);
        if (result != JpegSuccess)
            return result;
        output.bandDone(mcuRow);
    }
    reader = bits;
    output.finish();
    return JpegSuccess;
}

JpegResult JpegDecoder::allocateCoefficients()
{
    const bool progressive = frameHeader.progressive;
    size_t total = 0;
    for (int c = 0; c < frameHeader.componentCount; ++c) {
        const FrameComponent& component = frameHeader.components[c];
        size_t blocks = size_t(component.gridBlocksWide) * size_t(component.gridBlocksHigh);
        total += blocks * (64 * sizeof(int16_t) + (progressive ? sizeof(uint64_t) : 0));
    }
    if (total > MaxCoefficientBytes)
        return JpegMemoryError;
    for (int c = 0; c < frameHeader.componentCount; ++c) {
        const FrameComponent& component = frameHeader.components[c];
        size_t blocks = size_t(component.gridBlocksWide) * size_t(component.gridBlocksHigh);
        coefficients[c].reset(new (std::nothrow) int16_t[blocks * 64]());
        if (!coefficients[c])
            return JpegMemoryError;
        if (progressive) {
            nonZeroAc[c].reset(new (std::nothrow) uint64_t[blocks]());
            if (!nonZeroAc[c])
                return JpegMemoryError;
        }
    }
    return JpegSuccess;
}

// One scan of a progressive (G.1.2) or multi-scan sequential (F.2.2) image
// into the coefficient store. Each kind of scan gets its own copy of the
// walk over the blocks, with the block decoder inlined into it.
JpegResult JpegDecoder::decodeBufferedScan()
{
    latchQuantTables();
    reader.begin();
    for (int32_t& prediction : dcPredictor)
        prediction = 0;
    endOfBandRun = 0;
    const int start = scan.spectralStart;
    const int end = scan.spectralEnd;
    const int low = scan.approxLow;
    if (!frameHeader.progressive) {
        return walkScanBlocks([&](BitReader& bits, int i, int c, size_t index) {
            return decodeSequentialBlock(bits, tables.dc[scan.dcTable[i]], tables.ac[scan.acTable[i]],
                                         dcPredictor[c], coefficients[c].get() + 64 * index) >= 0;
        });
    }
    if (start == 0 && scan.approxHigh == 0) {
        return walkScanBlocks([&](BitReader& bits, int i, int c, size_t index) {
            return decodeDcFirst(bits, tables.dc[scan.dcTable[i]], dcPredictor[c], coefficients[c].get() + 64 * index,
                                 low);
        });
    }
    if (start == 0) {
        return walkScanBlocks([&](BitReader& bits, int, int c, size_t index) {
            decodeDcRefine(bits, coefficients[c].get() + 64 * index, low);
            return true;
        });
    }
    const HuffmanTable& acTable = tables.ac[scan.acTable[0]];
    if (scan.approxHigh == 0) {
        return walkScanBlocks([&](BitReader& bits, int, int c, size_t index) {
            return decodeAcFirst(bits, acTable, coefficients[c].get() + 64 * index, nonZeroAc[c][index], start, end,
                                 low, endOfBandRun);
        });
    }
    return walkScanBlocks([&](BitReader& bits, int, int c, size_t index) {
        return decodeAcRefine(bits, acTable, coefficients[c].get() + 64 * index, nonZeroAc[c][index], start, end, low,
                              endOfBandRun);
    });
}

// The blocks of the scan in coding order, each handed with the scan's working
// copy of the bit reader to decodeBlock(bits, scan component, frame component, block index).
template <typename DecodeBlock>
JpegResult JpegDecoder::walkScanBlocks(DecodeBlock decodeBlock)
{
    const bool single = scan.componentCount == 1;
    const FrameComponent& first = frameHeader.components[scan.componentIndex[0]];
    const int mcusWide = single ? first.blocksWide : frameHeader.mcusWide;
    const int mcusHigh = single ? first.blocksHigh : frameHeader.mcusHigh;
    int restartsLeft = tables.restartInterval;
    int expectedRestart = 0;

    // The blocks of one MCU in coding order (B.2.3: at most ten), each as its
    // index in the first MCU and its steps from one MCU to the next.
    struct Slot {
        int scanComponent;
        int component;
        size_t firstIndex;
        size_t columnStep;
        size_t rowStep;
    } slots[10];
    int slotCount = 0;
    for (int i = 0; i < scan.componentCount; ++i) {
        int c = scan.componentIndex[i];
        const FrameComponent& component = frameHeader.components[c];
        int h = single ? 1 : component.h;
        int v = single ? 1 : component.v;
        size_t rowBlocks = size_t(component.gridBlocksWide);
        for (int by = 0; by < v; ++by)
            for (int bx = 0; bx < h; ++bx)
                slots[slotCount++] = {i, c, size_t(by) * rowBlocks + size_t(bx), size_t(h), size_t(v) * rowBlocks};
    }

    BitReader bits = reader;
    JpegResult result = JpegSuccess;
    for (int mcuY = 0; mcuY < mcusHigh && result == JpegSuccess; ++mcuY) {
        for (int mcuX = 0; mcuX < mcusWide && result == JpegSuccess; ++mcuX) {
            result = beginMcu(bits, restartsLeft, expectedRestart);
            for (int s = 0; s < slotCount && result == JpegSuccess; ++s) {
                const Slot& slot = slots[s];
                size_t index = slot.firstIndex + size_t(mcuY) * slot.rowStep + size_t(mcuX) * slot.columnStep;
                if (!decodeBlock(bits, slot.scanComponent, slot.component, index))
                    result = JpegDataError;
            }
        }
        if (result == JpegSuccess)
            result = scanEndResult(bits);
    }
    reader = bits;
    return result;
}

JpegResult JpegDecoder::outputBuffered(JpegRowOutput& output, const JpegKernels& kernels)
{
    for (int c = 0; c < frameHeader.componentCount; ++c)
        if (!quantLatched[c])
            return JpegDataError;  // a component no scan has delivered
    for (int band = 0; band < frameHeader.mcusHigh; ++band) {
        for (int c = 0; c < frameHeader.componentCount; ++c) {
            const FrameComponent& component = frameHeader.components[c];
            ptrdiff_t stride = output.rowStride(c);
            for (int by = 0; by < component.v; ++by) {
                int blockRow = band * component.v + by;
                uint8_t* rowStart = output.sampleRow(c, blockRow * 8);
                const int16_t* block =
                    coefficients[c].get() + size_t(blockRow) * size_t(component.gridBlocksWide) * 64;
                for (int bx = 0; bx < component.gridBlocksWide; ++bx, block += 64) {
                    uint8_t* out = rowStart + bx * 8;
                    switch (nonZeroRegion(block)) {
                    case BlockRegion::DcOnly:
                        idctDcOnly(block, quantNatural[c], out, stride);
                        break;
                    case BlockRegion::Corner:
                        kernels.idctCorner(block, quantNatural[c], out, stride);
                        break;
                    case BlockRegion::Whole:
                        kernels.idct(block, quantNatural[c], out, stride);
                        break;
                    }
                }
            }
        }
        output.bandDone(band);
    }
    output.finish();
    return JpegSuccess;
}
