#pragma once

// The codec's properties-record interface. One record describes both sides
// of a conversion, the JPEG source and the bitmap it is decoded into. The user
// zero-fills the record, calls initProperties, reads with readJpeg and calls
// releaseProperties exactly once after every initialisation, also after a
// failed read. Every operation returns 0 for success and a negative
// JpegResult code for failure; after a failure the record stays releasable.

#include "JpegResult.h"

#include <cstdint>

// Colour codes of jpegColor and bitmapColor.
enum JpegColorCode : uint32_t {
    JpegColorBgr = 2,          // 3 bytes per pixel: blue, green, red
    JpegColorYcbcr = 3,        // JFIF YCbCr
    JpegColorGrey = 4,         // one component
    JpegColorRgba = 5,         // 4 bytes per pixel: red, green, blue, alpha
    JpegColorYcbcrAlpha = 6,   // YCbCr and a fourth component as alpha
    JpegColorOther = 255,      // components passed through unconverted
};

// Modes of readJpeg.
enum JpegReadMode : int32_t {
    ReadParameters = 0,  // open the file, read its header, fill jpegWidth/Height/Channels
    ReadWholeImage = 2,  // decode the whole image into bitmapPixels
};

struct JpegCodecState;

struct JpegCodecProperties {
    uint32_t useLowLevelProperties;
    uint8_t* bitmapPixels;          // owned by the user
    uint32_t bitmapWidth;
    int32_t bitmapHeight;           // positive: top row first; negative: bottom row first
    uint32_t bitmapRowPadding;      // bytes after width x channels bytes of each row
    uint32_t bitmapChannels;
    uint32_t bitmapColor;
    uint32_t bitmapSubsampling;
    const char* jpegFileName;       // Windows-style path
    uint8_t* jpegBuffer;
    uint32_t jpegBufferSize;
    uint32_t jpegWidth;
    uint32_t jpegHeight;
    uint32_t jpegChannels;
    uint32_t jpegColor;
    uint32_t jpegSubsampling;
    uint32_t thumbnailWidth;
    uint32_t thumbnailHeight;
    uint32_t colorConversionRequired;
    uint32_t upsamplingRequired;
    uint32_t quality;
    // The codec's private working state (its JPEG_PROPERTIES); never touched by the user.
    JpegCodecState* lowLevel;
};

// Sets the defaults, allocates the working storage and selects the kernels
// for this processor. -5 when storage can't be allocated.
int32_t initProperties(JpegCodecProperties* properties);
// One read in the given mode. The file named by jpegFileName is opened by the
// first read (-10 when it can't be) and stays open until release.
int32_t readJpeg(JpegCodecProperties* properties, int32_t mode);
// Closes the file (-9 when that fails) and frees the working storage.
int32_t releaseProperties(JpegCodecProperties* properties);
