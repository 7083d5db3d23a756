#include "JpegCodec.h"

#include "JpegCodecState.h"
#include "platform/NativePath.h"

#include <cstdlib>
#include <new>
#include <string>

namespace {

JpegResult openFile(JpegCodecProperties& properties, JpegCodecState& state)
{
    if (state.file)
        return JpegSuccess;
    if (!properties.jpegFileName || properties.jpegFileName[0] == '\0')
        return JpegInvalidFileName;
    // Read access; other readers may have the file open too.
    state.file = std::fopen(nativePath(properties.jpegFileName).c_str(), "rb");
    if (!state.file)
        return JpegInvalidFileName;
    state.source.attachFile(state.file);
    return JpegSuccess;
}

bool isSubsampled(const FrameHeader& frame)
{
    for (int c = 0; c < frame.componentCount; ++c)
        if (frame.components[c].h != frame.hMax || frame.components[c].v != frame.vMax)
            return true;
    return false;
}

// The bitmap layout the record asks for, from the colour codes and channel counts.
JpegResult chooseLayout(const JpegCodecProperties& p, const FrameHeader& frame, JpegOutputLayout& layout)
{
    uint32_t components = uint32_t(frame.componentCount);
    if (!p.colorConversionRequired || (p.jpegColor == JpegColorOther && p.bitmapColor == JpegColorOther)) {
        if (p.bitmapChannels != components)
            return JpegUnsupportedBytesPerPixel;
        layout = JpegOutputLayout::PassThrough;
        return JpegSuccess;
    }
    if (components == 1 && p.jpegColor == JpegColorGrey && p.bitmapColor == JpegColorBgr && p.bitmapChannels == 3) {
        layout = JpegOutputLayout::GreyToBgr;
        return JpegSuccess;
    }
    if (components == 3 && p.jpegColor == JpegColorYcbcr && p.bitmapColor == JpegColorBgr && p.bitmapChannels == 3) {
        layout = JpegOutputLayout::YccToBgr;
        return JpegSuccess;
    }
    if (components == 4 && p.jpegColor == JpegColorYcbcrAlpha && p.bitmapColor == JpegColorRgba &&
        p.bitmapChannels == 4) {
        layout = JpegOutputLayout::YccAlphaToRgba;
        return JpegSuccess;
    }
    return JpegUnsupportedBytesPerPixel;
}

JpegResult readParameters(JpegCodecProperties& properties, JpegCodecState& state)
{
    JpegResult result = state.decoder.readHeader();
    if (result != JpegSuccess)
        return result;
    const FrameHeader& frame = state.decoder.frame();
    properties.jpegWidth = uint32_t(frame.width);
    properties.jpegHeight = uint32_t(frame.height);
    properties.jpegChannels = uint32_t(frame.componentCount);
    return JpegSuccess;
}

JpegResult readWholeImage(JpegCodecProperties& properties, JpegCodecState& state)
{
    JpegResult result = state.decoder.readHeader();
    if (result != JpegSuccess)
        return result;
    const FrameHeader& frame = state.decoder.frame();
    if (!properties.bitmapPixels)
        return JpegOutputBufferTooSmall;
    int64_t height = properties.bitmapHeight;
    if (properties.bitmapWidth != uint32_t(frame.width) || (height < 0 ? -height : height) != frame.height)
        return JpegInvalidProperties;
    if (!properties.upsamplingRequired && isSubsampled(frame))
        return JpegUnsupportedSubsampling;
    JpegOutputTarget target;
    result = chooseLayout(properties, frame, target.layout);
    if (result != JpegSuccess)
        return result;
    target.pixels = properties.bitmapPixels;
    target.bottomUp = properties.bitmapHeight < 0;
    target.rowStride = size_t(properties.bitmapWidth) * properties.bitmapChannels + properties.bitmapRowPadding;
    return state.decoder.decode(target, *state.kernels);
}

}

int32_t initProperties(JpegCodecProperties* properties)
{
    if (!properties)
        return JpegInvalidProperties;
    JpegCodecProperties& p = *properties;
    p = JpegCodecProperties{};
    p.bitmapChannels = 3;
    p.bitmapColor = JpegColorBgr;
    p.jpegChannels = 3;
    p.jpegColor = JpegColorYcbcr;
    p.jpegSubsampling = 1;
    p.colorConversionRequired = 1;
    p.upsamplingRequired = 1;
    p.quality = 75;
    p.lowLevel = new (std::nothrow) JpegCodecState;
    if (!p.lowLevel)
        return JpegMemoryError;
    p.lowLevel->kernels = &selectedKernels();
    return JpegSuccess;
}

int32_t readJpeg(JpegCodecProperties* properties, int32_t mode)
{
    if (!properties || !properties->lowLevel)
        return JpegInvalidProperties;
    if (properties->useLowLevelProperties)
        return JpegNotSupported;
    if (mode != ReadParameters && mode != ReadWholeImage)
        return JpegNotSupported;
    JpegCodecState& state = *properties->lowLevel;
    JpegResult result = openFile(*properties, state);
    if (result != JpegSuccess)
        return result;
    if (mode == ReadParameters)
        return readParameters(*properties, state);
    return readWholeImage(*properties, state);
}

int32_t releaseProperties(JpegCodecProperties* properties)
{
    if (!properties)
        return JpegInvalidProperties;
    JpegCodecState* state = properties->lowLevel;
    if (!state)
        return JpegSuccess;
    int32_t result = JpegSuccess;
    if (state->file && std::fclose(state->file) != 0)
        result = JpegErrorCloseFile;
    state->file = nullptr;
    delete state;
    properties->lowLevel = nullptr;
    return result;
}
