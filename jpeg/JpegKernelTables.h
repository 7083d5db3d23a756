#pragma once

// The x86 kernel tables and the vector kernels they are made of, each
// defined in a file of its stage compiled for its instruction set
// (JpegIdct_avx2.cpp, JpegUpsample_sse2.cpp, ...). Only JpegKernels_x86.cpp
// hands the tables out, after checking the processor.

#include "JpegKernels.h"

extern const JpegKernels sse2KernelTable;
extern const JpegKernels avx2KernelTable;

void idctSse2(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
void upsampleH2V1Sse2(const uint8_t* in, int inWidth, uint8_t* out);
void upsampleH2V2Sse2(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out);
void upsampleH1V2Sse2(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out);

void idctAvx2(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
void idctCornerAvx2(const int16_t* block, const int16_t* quant, uint8_t* out, ptrdiff_t stride);
void upsampleH2V1Avx2(const uint8_t* in, int inWidth, uint8_t* out);
void upsampleH2V2Avx2(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out);
void upsampleH1V2Avx2(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out);
void yccToBgrAvx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width);
void greyToBgrAvx2(const uint8_t* y, uint8_t* out, int width);
