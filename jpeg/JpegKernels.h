#pragma once

// The processor-specific stages, as a table of functions chosen once when the
// codec is initialised. The plain C++ table is the reference; every other
// table gives the same bytes.

#include <cstddef>
#include <cstdint>

struct JpegKernels {
    const char* name;
    void (*idct)(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
    // The same for a block with non-zero coefficients only in its top-left 4x4 corner.
    void (*idctCorner)(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
    void (*upsampleH2V1)(const uint8_t* in, int inWidth, uint8_t* out);
    void (*upsampleH2V2)(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out);
    void (*upsampleH1V2)(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out);
    void (*yccToBgr)(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width);
    void (*greyToBgr)(const uint8_t* y, uint8_t* out, int width);
};

// Kernels may read up to this many bytes past the end of a component row
// (never of the bitmap), so the decoder's row buffers carry that much slack.
constexpr int KernelRowSlack = 64;

const JpegKernels& plainKernels();
// Null when the processor (or the build) lacks the instructions.
const JpegKernels* sse2Kernels();
const JpegKernels* avx2Kernels();

// The fastest table the processor runs; chosen once, on first use.
const JpegKernels& selectedKernels();
