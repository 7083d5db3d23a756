// Fuzz target for the JPEG decoder: any input must end with a result code,
// without a fault the sanitizers see, and every kernel table must write the
// same bytes as the plain one.

#include "jpeg/JpegDecoder.h"
#include "jpeg/JpegKernels.h"
#include "jpeg/JpegSource.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Larger images only make each run slower without reaching new code.
constexpr size_t MaxPixels = size_t(1) << 22;

struct Decoded {
    JpegResult result = JpegInternalError;
    std::vector<uint8_t> pixels;
};

Decoded decode(const uint8_t* data, size_t size, const JpegKernels& kernels)
{
    Decoded decoded;
    JpegSource source;
    source.attachMemory(data, size);
    JpegDecoder decoder(source);
    decoded.result = decoder.readHeader();
    if (decoded.result != JpegSuccess)
        return decoded;
    const FrameHeader& frame = decoder.frame();
    if (size_t(frame.width) * size_t(frame.height) > MaxPixels) {
        decoded.result = JpegMemoryError;
        return decoded;
    }
    JpegOutputTarget target;
    int channels = frame.componentCount;
    switch (frame.componentCount) {
    case 1:
        target.layout = JpegOutputLayout::GreyToBgr;
        channels = 3;
        break;
    case 3:
        target.layout = JpegOutputLayout::YccToBgr;
        break;
    case 4:
        target.layout = JpegOutputLayout::YccAlphaToRgba;
        break;
    default:
        target.layout = JpegOutputLayout::PassThrough;
        break;
    }
    // Every other input is decoded bottom-up, so both row orders are exercised.
    target.bottomUp = size % 2 == 1;
    target.rowStride = (size_t(frame.width) * size_t(channels) + 3) & ~size_t(3);
    decoded.pixels.assign(target.rowStride * size_t(frame.height), 0);
    target.pixels = decoded.pixels.data();
    decoded.result = decoder.decode(target, kernels);
    if (decoded.result > 0)
        std::abort();  // results are 0 or negative
    return decoded;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Decoded plain = decode(data, size, plainKernels());
    for (const JpegKernels* kernels : {sse2Kernels(), avx2Kernels()}) {
        if (!kernels)
            continue;
        Decoded fast = decode(data, size, *kernels);
        if (fast.result != plain.result || fast.pixels != plain.pixels)
            std::abort();
    }
    return 0;
}
