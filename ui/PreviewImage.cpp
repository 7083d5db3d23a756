#include "ui/PreviewImage.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace {

// The bitmap's colour layout for the JPEG's component count: grey and YCbCr
// become 3-byte BGR, four components 4-byte RGBA, anything else is passed through.
void applyColourRule(JpegCodecProperties& p)
{
    switch (p.jpegChannels) {
    case 1:
        p.jpegColor = JpegColorGrey;
        p.bitmapChannels = 3;
        p.bitmapColor = JpegColorBgr;
        break;
    case 3:
        p.jpegColor = JpegColorYcbcr;
        p.bitmapChannels = 3;
        p.bitmapColor = JpegColorBgr;
        break;
    case 4:
        p.jpegColor = JpegColorYcbcrAlpha;
        p.bitmapChannels = 4;
        p.bitmapColor = JpegColorRgba;
        break;
    default:
        p.jpegColor = JpegColorOther;
        p.bitmapChannels = p.jpegChannels;
        p.bitmapColor = JpegColorOther;
        break;
    }
}

// RGBA to blue-green-red-alpha with the colour premultiplied by alpha, the
// layout the graphics system blends.
void premultiplyRgba(uint8_t* pixels, uint32_t width, uint32_t height, size_t rowBytes)
{
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* p = pixels + y * rowBytes;
        for (uint32_t x = 0; x < width; ++x, p += 4) {
            unsigned alpha = p[3];
            uint8_t red = p[0];
            p[0] = uint8_t((p[2] * alpha + 1) >> 8);
            p[1] = uint8_t((p[1] * alpha + 1) >> 8);
            p[2] = uint8_t((red * alpha + 1) >> 8);
        }
    }
}

}

PreviewImage::PreviewImage() { std::memset(&properties, 0, sizeof properties); }

PreviewImage::~PreviewImage()
{
    releaseProperties(&properties);
}

void PreviewImage::clear()
{
    releaseProperties(&properties);
    pixels.reset();
    std::memset(&properties, 0, sizeof properties);
}

bool PreviewImage::fail()
{
    clear();
    return false;
}

bool PreviewImage::load(const std::string& path)
{
    // A holder that is being reloaded still owns its codec state only if a
    // previous load was cut short; release it before starting over.
    releaseProperties(&properties);
    std::memset(&properties, 0, sizeof properties);
    if (initProperties(&properties) != 0)
        return fail();
    properties.jpegFileName = path.c_str();
    if (readJpeg(&properties, ReadParameters) != 0)
        return fail();

    applyColourRule(properties);
    properties.bitmapWidth = properties.jpegWidth;
    properties.bitmapHeight = int32_t(properties.jpegHeight);
    size_t rowBytes = size_t(properties.bitmapWidth) * properties.bitmapChannels;
    size_t paddedRowBytes = (rowBytes + 3) & ~size_t(3);
    properties.bitmapRowPadding = uint32_t(paddedRowBytes - rowBytes);

    pixels.reset();
    if (properties.jpegHeight != 0 && paddedRowBytes > SIZE_MAX / properties.jpegHeight)
        return fail();
    pixels.reset(new (std::nothrow) uint8_t[paddedRowBytes * properties.jpegHeight]());
    if (!pixels)
        return fail();
    properties.bitmapPixels = pixels.get();
    if (readJpeg(&properties, ReadWholeImage) != 0)
        return fail();
    releaseProperties(&properties);
    properties.jpegFileName = nullptr;  // the caller's string need not outlive the load

    if (properties.bitmapColor == JpegColorRgba)
        premultiplyRgba(pixels.get(), properties.bitmapWidth, properties.jpegHeight, paddedRowBytes);
    return true;
}
