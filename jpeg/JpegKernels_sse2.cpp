// The kernel table for processors with SSE2 (every x86-64); JpegKernels_x86.cpp
// hands it out after checking the processor.

#include "JpegKernelTables.h"

#include "JpegColor.h"

const JpegKernels sse2KernelTable = {
    "sse2", idctSse2, idctSse2, upsampleH2V1Sse2, upsampleH2V2Sse2, upsampleH1V2Sse2, yccToBgrPlain, greyToBgrPlain,
};
