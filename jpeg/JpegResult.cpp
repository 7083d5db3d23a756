#include "JpegResult.h"

const char* jpegResultText(int32_t code)
{
    switch (code) {
    case JpegRoiSuccess: return "ROI Success";
    case JpegInterruptSuccess: return "Interrupt Success";
    case JpegSuccess: return "Success";
    case JpegExceptionDetected: return "Exception detected";
    case JpegInvalidEncoder: return "Invalid Encoder";
    case JpegUnsupportedSubsampling: return "Unsupported subsampling";
    case JpegUnsupportedBytesPerPixel: return "Unsupported bytes per pixel";
    case JpegMemoryError: return "Memory error";
    case JpegBadHuffmanTable: return "Bad Huffman table";
    case JpegBadQuantizationTable: return "Bad Quantization table";
    case JpegInvalidProperties: return "Invalid JPEG_PROPERTIES";
    case JpegErrorCloseFile: return "Error close file";
    case JpegInvalidFileName: return "Invalid file name";
    case JpegErrorEof: return "Error EOF";
    case JpegNotSupported: return "Not supported";
    case JpegNotJpeg: return "Not JPEG";
    case JpegErrorComp: return "Error COMP";
    case JpegErrorSof: return "Error SOF";
    case JpegErrorDnl: return "Error DNL";
    case JpegNoHuffmanTable: return "No Huffman table";
    case JpegNoQuantizationTable: return "No Quantization table";
    case JpegNoFrame: return "No frame";
    case JpegMultipleFrames: return "Multiply frame";
    case JpegDataError: return "Data error";
    case JpegNoImage: return "No image";
    case JpegFileError: return "File error";
    case JpegInternalError: return "Internal error";
    case JpegBadRstMarker: return "Bad RST marker";
    case JpegThumbnailTooSmall: return "Thumbnail too small";
    case JpegThumbnailWrongColor: return "Thumbnail has wrong color";
    case JpegOutputBufferTooSmall: return "Output buffer too small";
    case JpegUnsupportedFrame: return "Unsupported frame was found";
    case JpegCommentBufferError: return "Error access to jpeg_comment buffer";
    case JpegReserved: return "Reserved";
    default: return "Unknown error code";
    }
}
