#pragma once

#include "jpeg/JpegCodec.h"

#include <cstdint>
#include <memory>
#include <string>

// The image shown in a photo preview: one JPEG file decoded into a bitmap
// that stays in memory and is repainted from there. After a failed load the
// holder is empty (no pixels, width and height 0).
class PreviewImage {
public:
    PreviewImage();
    PreviewImage(const PreviewImage&) = delete;
    PreviewImage& operator=(const PreviewImage&) = delete;
    virtual ~PreviewImage();

    bool load(const std::string& path);
    // Empties the holder, as a failed load does.
    void clear();

    bool isEmpty() const { return !pixels; }
    int width() const { return int(properties.bitmapWidth); }
    int height() const { return properties.bitmapHeight; }
    int channels() const { return isEmpty() ? 0 : int(properties.bitmapChannels); }
    // Bytes from one row to the next: width x channels, padded to a multiple of 4.
    size_t rowBytes() const
    {
        return size_t(properties.bitmapWidth) * properties.bitmapChannels + properties.bitmapRowPadding;
    }
    const uint8_t* pixelData() const { return pixels.get(); }

    // The owned pixel buffer, top row first.
    std::unique_ptr<uint8_t[]> pixels;
    // After a successful load its bitmap fields describe the current image.
    JpegCodecProperties properties;

private:
    bool fail();
};
