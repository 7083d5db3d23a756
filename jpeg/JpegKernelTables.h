#pragma once

// The x86 kernel tables and the vector kernels they share, each defined in
// the file compiled for its instruction set. Only JpegKernels_x86.cpp hands
// the tables out, after checking the processor.

#include "JpegKernels.h"

extern const JpegKernels sse2KernelTable;
extern const JpegKernels avx2KernelTable;

void upsampleH2V1Sse2(const uint8_t* in, int inWidth, uint8_t* out);
void upsampleH2V2Sse2(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out);
void upsampleH1V2Sse2(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out);
