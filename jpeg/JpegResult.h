#pragma once

#include <cstdint>

// Result codes of the codec's operations: 0 success, negative failure.
// "Format" errors (a damaged stream) are kept apart from "unsupported" ones
// (a valid stream using a process this decoder does not implement).
enum JpegResult : int32_t {
    JpegRoiSuccess = 2,
    JpegInterruptSuccess = 1,
    JpegSuccess = 0,
    JpegExceptionDetected = -1,
    JpegInvalidEncoder = -2,
    JpegUnsupportedSubsampling = -3,
    JpegUnsupportedBytesPerPixel = -4,
    JpegMemoryError = -5,
    JpegBadHuffmanTable = -6,
    JpegBadQuantizationTable = -7,
    JpegInvalidProperties = -8,
    JpegErrorCloseFile = -9,
    JpegInvalidFileName = -10,
    JpegErrorEof = -11,
    JpegNotSupported = -12,
    JpegNotJpeg = -13,
    JpegErrorComp = -14,
    JpegErrorSof = -15,
    JpegErrorDnl = -16,
    JpegNoHuffmanTable = -17,
    JpegNoQuantizationTable = -18,
    JpegNoFrame = -19,
    JpegMultipleFrames = -20,
    JpegDataError = -21,
    JpegNoImage = -22,
    JpegFileError = -23,
    JpegInternalError = -24,
    JpegBadRstMarker = -25,
    JpegThumbnailTooSmall = -26,
    JpegThumbnailWrongColor = -27,
    JpegOutputBufferTooSmall = -28,
    JpegUnsupportedFrame = -29,
    JpegCommentBufferError = -30,
    JpegReserved = -99,
};

// The codec's message for a result code; "Unknown error code" for any other value.
const char* jpegResultText(int32_t code);
