#include "JpegUpsample.h"

#include <cstring>

// The inner samples are computed each from its neighbours alone, with no
// value carried from one to the next: loops compilers turn into vector code.

void upsampleH2V1Tail(const uint8_t* in, int inWidth, uint8_t* out, int from)
{
    out[0] = in[0];
    out[1] = uint8_t((in[0] * 3 + in[1] + 2) >> 2);
    for (int i = from; i < inWidth - 1; ++i) {
        int triple = in[i] * 3;
        out[2 * i] = uint8_t((triple + in[i - 1] + 1) >> 2);
        out[2 * i + 1] = uint8_t((triple + in[i + 1] + 2) >> 2);
    }
    int last = inWidth - 1;
    out[2 * last] = uint8_t((in[last] * 3 + in[last - 1] + 1) >> 2);
    out[2 * last + 1] = in[last];
}

void upsampleH2V1Plain(const uint8_t* in, int inWidth, uint8_t* out) { upsampleH2V1Tail(in, inWidth, out, 1); }

void upsampleH2V2Tail(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out, int from)
{
    // Column sums first (vertical 3/4 + 1/4), then the horizontal filter on them;
    // the rounding terms 8 and 7 alternate so the errors do not all lean one way.
    auto columnSum = [&](int at) { return nearRow[at] * 3 + farRow[at]; };
    out[0] = uint8_t((columnSum(0) * 4 + 8) >> 4);
    out[1] = uint8_t((columnSum(0) * 3 + columnSum(1) + 7) >> 4);
    for (int i = from; i < inWidth - 1; ++i) {
        int triple = columnSum(i) * 3;
        out[2 * i] = uint8_t((triple + columnSum(i - 1) + 8) >> 4);
        out[2 * i + 1] = uint8_t((triple + columnSum(i + 1) + 7) >> 4);
    }
    int last = inWidth - 1;
    out[2 * last] = uint8_t((columnSum(last) * 3 + columnSum(last - 1) + 8) >> 4);
    out[2 * last + 1] = uint8_t((columnSum(last) * 4 + 7) >> 4);
}

void upsampleH2V2Plain(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out)
{
    upsampleH2V2Tail(nearRow, farRow, inWidth, out, 1);
}

void upsampleH1V2Plain(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out)
{
    for (int i = 0; i < width; ++i)
        out[i] = uint8_t((nearRow[i] * 3 + farRow[i] + bias) >> 2);
}

void upsampleReplicate(const uint8_t* in, int inWidth, int factor, uint8_t* out)
{
    if (factor == 1) {
        std::memcpy(out, in, size_t(inWidth));
        return;
    }
    for (int i = 0; i < inWidth; ++i)
        for (int j = 0; j < factor; ++j)
            *out++ = in[i];
}
