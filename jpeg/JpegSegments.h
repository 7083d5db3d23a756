#pragma once

// Parsers of the marker segments that precede and accompany the scans. Each
// takes the segment's bytes after its length field.

#include "JpegFrame.h"
#include "JpegResult.h"

#include <cstddef>
#include <cstdint>

// Natural (row-major) position of each zig-zag index (ISO/IEC 10918-1 Figure A.6).
// Sixteen extra entries repeat the last position, so a damaged run that steps
// past index 63 stays inside the block.
extern const uint8_t naturalOrder[64 + 16];

JpegResult parseFrameHeader(const uint8_t* data, size_t size, int marker, FrameHeader& frame);
JpegResult parseQuantTables(const uint8_t* data, size_t size, DecoderTables& tables);
JpegResult parseHuffmanTables(const uint8_t* data, size_t size, DecoderTables& tables);
JpegResult parseRestartInterval(const uint8_t* data, size_t size, DecoderTables& tables);
JpegResult parseScanHeader(const uint8_t* data, size_t size, const FrameHeader& frame,
                           ScanHeader& scan);
