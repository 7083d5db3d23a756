#include "JpegKernelTables.h"

// Compiled without vector flags: the processor check must run on any x86.

const JpegKernels* sse2Kernels()
{
    return __builtin_cpu_supports("sse2") ? &sse2KernelTable : nullptr;
}

const JpegKernels* avx2Kernels()
{
    return __builtin_cpu_supports("avx2") ? &avx2KernelTable : nullptr;
}
