#pragma once

// The decode driver: walks the marker segments (ISO/IEC 10918-1 B.2, B.3),
// decodes the scans and hands the samples to the row output. A sequential
// image whose first scan holds every component is decoded one MCU row at a
// time straight into the bitmap; progressive images and sequential images
// split into several scans keep all coefficients until the last scan.

#include "JpegFrame.h"
#include "JpegKernels.h"
#include "JpegResult.h"
#include "JpegRowOutput.h"
#include "JpegSource.h"

#include <cstdint>
#include <memory>

class JpegDecoder {
public:
    explicit JpegDecoder(JpegSource& source);

    // Reads from the start of the stream up to the header of the first scan.
    // Returns the previous result when called again.
    JpegResult readHeader();
    const FrameHeader& frame() const { return frameHeader; }

    // Decodes the whole image into the target, whose size is the frame's.
    JpegResult decode(const JpegOutputTarget& target, const JpegKernels& kernels);

private:
    JpegResult readSegments(int marker);
    JpegResult nextMarker(int& marker);
    JpegResult readSegmentBody(std::unique_ptr<uint8_t[]>& body, size_t& size);
    JpegResult checkScanTables();
    JpegResult decodeStreaming(JpegRowOutput& output, const JpegKernels& kernels);
    JpegResult decodeBufferedScan();
    template <typename DecodeBlock>
    JpegResult walkScanBlocks(DecodeBlock decodeBlock);
    JpegResult outputBuffered(JpegRowOutput& output, const JpegKernels& kernels);
    JpegResult allocateCoefficients();
    JpegResult restart(int& expectedRestart);
    JpegResult beginMcu(BitReader& bits, int& restartsLeft, int& expectedRestart);
    void latchQuantTables();

    JpegSource& source;
    BitReader reader;
    DecoderTables tables;
    FrameHeader frameHeader;
    ScanHeader scan;
    JpegResult headerResult = JpegInternalError;
    bool headerRead = false;
    bool decoded = false;
    int scanCount = 0;

    bool quantLatched[MaxComponents] = {};
    alignas(32) int16_t quantNatural[MaxComponents][64];
    int32_t dcPredictor[MaxComponents] = {};
    uint32_t endOfBandRun = 0;
    // Coefficients of every block, for progressive and multi-scan images.
    std::unique_ptr<int16_t[]> coefficients[MaxComponents];
    // For progressive images: which AC coefficients of each block are non-zero (see storeCoefficient).
    std::unique_ptr<uint64_t[]> nonZeroAc[MaxComponents];
};
