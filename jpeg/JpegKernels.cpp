#include "JpegKernels.h"

#include "JpegColor.h"
#include "JpegIdct.h"
#include "JpegUpsample.h"

const JpegKernels& plainKernels()
{
    static const JpegKernels kernels = {
        "plain", idctPlain, idctPlainCorner, upsampleH2V1Plain, upsampleH2V2Plain, upsampleH1V2Plain, yccToBgrPlain,
        greyToBgrPlain,
    };
    return kernels;
}

const JpegKernels& selectedKernels()
{
    static const JpegKernels* chosen = [] {
        if (const JpegKernels* k = avx2Kernels())
            return k;
        if (const JpegKernels* k = sse2Kernels())
            return k;
        return &plainKernels();
    }();
    return *chosen;
}
