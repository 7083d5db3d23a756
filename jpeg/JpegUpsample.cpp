#include "JpegUpsample.h"

#include <cstring>

void upsampleH2V1Tail(const uint8_t* in, int inWidth, uint8_t* out, int from)
{
    int value = in[0];
    out[0] = uint8_t(value);
    out[1] = uint8_t((value * 3 + in[1] + 2) >> 2);
    for (int i = from; i < inWidth - 1; ++i) {
        value = in[i] * 3;
        out[2 * i] = uint8_t((value + in[i - 1] + 1) >> 2);
        out[2 * i + 1] = uint8_t((value + in[i + 1] + 2) >> 2);
    }
    int last = inWidth - 1;
    value = in[last];
    out[2 * last] = uint8_t((value * 3 + in[last - 1] + 1) >> 2);
    out[2 * last + 1] = uint8_t(value);
}

void upsampleH2V1Plain(const uint8_t* in, int inWidth, uint8_t* out) { upsampleH2V1Tail(in, inWidth, out, 1); }

void upsampleH2V2Tail(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out, int from)
{
    // Column sums first (vertical 3/4 + 1/4), then the horizontal filter on them;
    // the rounding terms 8 and 7 alternate so the errors do not all lean one way.
    auto columnSum = [&](int at) { return nearRow[at] * 3 + farRow[at]; };
    int firstSum = columnSum(0);
    out[0] = uint8_t((firstSum * 4 + 8) >> 4);
    out[1] = uint8_t((firstSum * 3 + columnSum(1) + 7) >> 4);
    int lastSum = columnSum(from - 1);
    int thisSum = columnSum(from);
    for (int i = from; i < inWidth - 1; ++i) {
        int nextSum = columnSum(i + 1);
        out[2 * i] = uint8_t((thisSum * 3 + lastSum + 8) >> 4);
        out[2 * i + 1] = uint8_t((thisSum * 3 + nextSum + 7) >> 4);
        lastSum = thisSum;
        thisSum = nextSum;
    }
    int last = inWidth - 1;
    out[2 * last] = uint8_t((thisSum * 3 + lastSum + 8) >> 4);
    out[2 * last + 1] = uint8_t((thisSum * 4 + 7) >> 4);
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
