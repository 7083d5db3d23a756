// The kernel table for processors with AVX2; JpegKernels_x86.cpp hands it
// out after checking the processor.

#include "JpegKernelTables.h"

const JpegKernels avx2KernelTable = {
    "avx2", idctAvx2, idctCornerAvx2, upsampleH2V1Avx2, upsampleH2V2Avx2, upsampleH1V2Avx2, yccToBgrAvx2, greyToBgrAvx2,
};
