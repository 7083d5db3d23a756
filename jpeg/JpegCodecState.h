#pragma once

#include "JpegDecoder.h"
#include "JpegKernels.h"
#include "JpegSource.h"

#include <cstdio>

// What initProperties allocates behind a properties record.
struct JpegCodecState {
    const JpegKernels* kernels = nullptr;
    std::FILE* file = nullptr;
    JpegSource source;
    JpegDecoder decoder{source};
};
