#include "JpegBenchDecoders.h"

#include "jpeg/JpegDecoder.h"
#include "jpeg/JpegKernels.h"
#include "jpeg/JpegSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <jpeglib.h>
#include <stb_image.h>

namespace {

size_t bgrRowBytes(int width) { return (size_t(width) * 3 + 3) & ~size_t(3); }

bool decodeOurs(const BenchPhoto& photo, const JpegKernels& kernels, std::vector<uint8_t>& bitmap)
{
    JpegSource source;
    source.attachMemory(photo.bytes.data(), photo.bytes.size());
    JpegDecoder decoder(source);
    if (decoder.readHeader() != JpegSuccess)
        return false;
    JpegOutputTarget target;
    target.layout = decoder.frame().componentCount == 1 ? JpegOutputLayout::GreyToBgr : JpegOutputLayout::YccToBgr;
    target.rowStride = bgrRowBytes(photo.width);
    bitmap.resize(target.rowStride * size_t(photo.height));
    target.pixels = bitmap.data();
    return decoder.decode(target, kernels) == JpegSuccess;
}

// libjpeg-turbo set up as `djpeg -dct int` decodes (accurate integer IDCT,
// fancy upsampling), writing BGR rows straight into the bitmap.
bool decodeLibjpeg(const BenchPhoto& photo, std::vector<uint8_t>& bitmap)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, photo.bytes.data(), static_cast<unsigned long>(photo.bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    size_t stride = bgrRowBytes(int(info.output_width));
    bitmap.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[4];
        for (int i = 0; i < 4; ++i)
            rows[i] = bitmap.data() + stride * std::min<size_t>(info.output_scanline + i, info.output_height - 1);
        jpeg_read_scanlines(&info, rows, 4);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool decodeStb(const BenchPhoto& photo, std::vector<uint8_t>& bitmap)
{
    int width = 0, height = 0, components = 0;
    unsigned char* pixels =
        stbi_load_from_memory(photo.bytes.data(), int(photo.bytes.size()), &width, &height, &components, 3);
    if (!pixels)
        return false;
    // Its pixels are RGB and unpadded; only the first row is copied, to show the work is used.
    bitmap.assign(pixels, pixels + 3 * size_t(width));
    stbi_image_free(pixels);
    return true;
}

}

bool loadBenchPhoto(const std::string& folder, const std::string& name, BenchPhoto& photo)
{
    std::ifstream file(folder + "/" + name, std::ios::binary);
    photo.name = name;
    photo.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    JpegSource source;
    source.attachMemory(photo.bytes.data(), photo.bytes.size());
    JpegDecoder decoder(source);
    if (decoder.readHeader() != JpegSuccess)
        return false;
    photo.width = decoder.frame().width;
    photo.height = decoder.frame().height;
    return true;
}

bool referenceSimdSwitchedOff()
{
    // libjpeg-turbo reads this once, on its first use in the process.
    const char* value = std::getenv("JSIMD_FORCENONE");
    return value && std::strcmp(value, "1") == 0;
}

std::string chosenPathName() { return std::string("velmora ") + selectedKernels().name; }

std::vector<BenchDecoder> benchDecoders()
{
    std::vector<BenchDecoder> decoders;
    std::vector<const JpegKernels*> paths{&plainKernels()};
    for (const JpegKernels* kernels : {sse2Kernels(), avx2Kernels()})
        if (kernels)
            paths.push_back(kernels);
    for (const JpegKernels* kernels : paths)
        decoders.push_back({std::string("velmora ") + kernels->name, true,
                            [kernels](const BenchPhoto& photo, std::vector<uint8_t>& bitmap) {
                                return decodeOurs(photo, *kernels, bitmap);
                            }});
    decoders.push_back(
        {referenceSimdSwitchedOff() ? "libjpeg-turbo no SIMD" : "libjpeg-turbo", true, decodeLibjpeg});
    decoders.push_back({"stb_image", false, decodeStb});
    return decoders;
}
