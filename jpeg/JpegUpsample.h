#pragma once

// Upsampling of subsampled components to the full image size with the
// reference decoder's "fancy" triangle filters: each output sample weighs
// the nearer input sample 3/4 and the next nearer 1/4, in each direction
// upsampled by two. Factors other than two replicate samples.

#include <cstdint>

// Doubles a row horizontally: in has inWidth (> 2) samples, out gets 2 * inWidth.
void upsampleH2V1Plain(const uint8_t* in, int inWidth, uint8_t* out);

// Doubles in both directions: one output row from the nearer input row and
// the next nearer one (above for the upper output row, below for the lower).
void upsampleH2V2Plain(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out);

// The same from inner sample `from` (1..inWidth-1) on, with the row's first
// and last output pairs: vector kernels do the samples before `from`.
void upsampleH2V1Tail(const uint8_t* in, int inWidth, uint8_t* out, int from);
void upsampleH2V2Tail(const uint8_t* nearRow, const uint8_t* farRow, int inWidth, uint8_t* out, int from);

// Doubles vertically: bias is 1 for the upper output row of a pair, 2 for the lower.
void upsampleH1V2Plain(const uint8_t* nearRow, const uint8_t* farRow, int width, int bias, uint8_t* out);

// Repeats each sample `factor` times.
void upsampleReplicate(const uint8_t* in, int inWidth, int factor, uint8_t* out);
