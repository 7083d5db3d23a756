#include "JpegKernels.h"

// Builds for processors without the x86 vector kernels.
const JpegKernels* sse2Kernels() { return nullptr; }
const JpegKernels* avx2Kernels() { return nullptr; }
