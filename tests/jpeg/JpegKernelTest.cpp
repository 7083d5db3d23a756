// Every processor-specific kernel writes exactly the plain kernel's bytes, and
// nothing outside its output: on the blocks and rows photos give, on the
// values that push the vector kernels off their fast 16-bit route, and on
// row widths around each kernel's vector width.

#include "JpegTestSupport.h"

#include "jpeg/JpegKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Guard = 16;  // bytes checked on each side of an output
constexpr uint8_t GuardByte = 0xA5;

struct BlockCase {
    const char* name;
    int coefficientLimit;  // coefficients drawn from -limit..limit
    int quantLimit;        // quantizers drawn from 1..limit (or any 16-bit value when 0)
    bool cornerOnly;       // non-zero coefficients only in the top-left 4x4 corner
};

// Typical photo blocks; dequantized values beyond 16 bits (the vector kernels'
// fallback); first-pass results beyond 16 bits; and any 16-bit values at all,
// where the arithmetic wraps.
const BlockCase BlockCases[] = {
    {"photo-like", 60, 40, false},
    {"photo-like corner", 60, 40, true},
    {"dequantized beyond 16 bits", 2047, 255, false},
    {"first pass beyond 16 bits", 1023, 32, false},
    {"corner dequantized beyond 16 bits", 2047, 255, true},
    {"corner first pass beyond 16 bits", 1023, 32, true},
    {"any 16-bit values", 32767, 0, false},
};

// "" when equal, otherwise where the first byte differs.
std::string difference(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected)
{
    for (size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        if (actual[i] != expected[i])
            return "byte " + std::to_string(i) + " is " + std::to_string(actual[i]) + " instead of " +
                   std::to_string(expected[i]);
    return actual.size() == expected.size() ? "" : "sizes differ";
}

std::vector<const JpegKernels*> vectorKernels()
{
    std::vector<const JpegKernels*> kernels = availableKernels();
    kernels.erase(kernels.begin());  // the plain table is the reference
    return kernels;
}

void randomBlock(std::mt19937& random, const BlockCase& c, int16_t block[64], int16_t quant[64])
{
    // Sparse like real blocks half of the time, dense otherwise.
    bool sparse = random() % 2 == 0;
    for (int i = 0; i < 64; ++i) {
        bool inCorner = i / 8 < 4 && i % 8 < 4;
        bool used = (!c.cornerOnly || inCorner) && (!sparse || random() % 4 == 0 || i == 0);
        block[i] = used ? int16_t(int(random() % uint32_t(2 * c.coefficientLimit + 1)) - c.coefficientLimit) : 0;
        quant[i] = c.quantLimit ? int16_t(1 + random() % uint32_t(c.quantLimit)) : int16_t(random());
    }
}

// An 8x8 output in a larger buffer, with guard bytes all around.
struct BlockOutput {
    static constexpr ptrdiff_t Stride = 8 + 2 * Guard;
    std::vector<uint8_t> bytes = std::vector<uint8_t>(Stride * (8 + 2 * Guard), GuardByte);
    uint8_t* origin() { return bytes.data() + Stride * Guard + Guard; }
};

TEST(JpegKernels, InverseDctMatchesThePlainKernelOnEveryKindOfBlock)
{
    std::mt19937 random(15);
    for (const JpegKernels* kernels : vectorKernels()) {
        for (const BlockCase& c : BlockCases) {
            SCOPED_TRACE(std::string(kernels->name) + ", " + c.name);
            for (int round = 0; round < 2000; ++round) {
                alignas(32) int16_t block[64];
                alignas(32) int16_t quant[64];
                randomBlock(random, c, block, quant);
                BlockOutput expected, actual, corner;
                plainKernels().idct(block, quant, expected.origin(), BlockOutput::Stride);
                kernels->idct(block, quant, actual.origin(), BlockOutput::Stride);
                ASSERT_EQ(difference(actual.bytes, expected.bytes), "") << "round " << round;
                if (c.cornerOnly) {
                    kernels->idctCorner(block, quant, corner.origin(), BlockOutput::Stride);
                    ASSERT_EQ(difference(corner.bytes, expected.bytes), "") << "corner kernel, round " << round;
                }
            }
        }
    }
}

TEST(JpegKernels, PlainCornerKernelMatchesTheFullOneOnCornerBlocks)
{
    std::mt19937 random(16);
    for (const BlockCase& c : BlockCases) {
        if (!c.cornerOnly)
            continue;
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 2000; ++round) {
            alignas(32) int16_t block[64];
            alignas(32) int16_t quant[64];
            randomBlock(random, c, block, quant);
            BlockOutput full, corner;
            plainKernels().idct(block, quant, full.origin(), BlockOutput::Stride);
            plainKernels().idctCorner(block, quant, corner.origin(), BlockOutput::Stride);
            ASSERT_EQ(difference(corner.bytes, full.bytes), "") << "round " << round;
        }
    }
}

// Row widths around the vector widths (16 and 32) and the smallest the filters take.
const int RowWidths[] = {1, 2, 3, 4, 15, 16, 17, 18, 31, 32, 33, 34, 47, 48, 63, 64, 65, 97, 200, 801};

std::vector<uint8_t> randomRow(std::mt19937& random, int width)
{
    // Extremes are common, so that clamping is exercised; the kernels may read
    // KernelRowSlack bytes past the row.
    std::vector<uint8_t> row(size_t(width) + KernelRowSlack);
    for (uint8_t& byte : row) {
        uint32_t pick = random() % 8;
        byte = pick == 0 ? 0 : pick == 1 ? 255 : uint8_t(random());
    }
    return row;
}

// Output bytes with guards before and after.
struct RowOutput {
    explicit RowOutput(size_t size) : bytes(size + 2 * Guard, GuardByte) {}
    uint8_t* origin() { return bytes.data() + Guard; }
    std::vector<uint8_t> bytes;
};

TEST(JpegKernels, ColourConversionMatchesThePlainKernelAtEveryWidth)
{
    std::mt19937 random(17);
    for (const JpegKernels* kernels : vectorKernels()) {
        for (int width : RowWidths) {
            SCOPED_TRACE(std::string(kernels->name) + ", width " + std::to_string(width));
            for (int round = 0; round < 20; ++round) {
                std::vector<uint8_t> y = randomRow(random, width), cb = randomRow(random, width),
                                     cr = randomRow(random, width);
                RowOutput expected(size_t(width) * 3), actual(size_t(width) * 3);
                plainKernels().yccToBgr(y.data(), cb.data(), cr.data(), expected.origin(), width);
                kernels->yccToBgr(y.data(), cb.data(), cr.data(), actual.origin(), width);
                ASSERT_EQ(difference(actual.bytes, expected.bytes), "");

                RowOutput expectedGrey(size_t(width) * 3), actualGrey(size_t(width) * 3);
                plainKernels().greyToBgr(y.data(), expectedGrey.origin(), width);
                kernels->greyToBgr(y.data(), actualGrey.origin(), width);
                ASSERT_EQ(difference(actualGrey.bytes, expectedGrey.bytes), "");
            }
        }
    }
}

TEST(JpegKernels, UpsamplingMatchesThePlainKernelAtEveryWidth)
{
    std::mt19937 random(18);
    for (const JpegKernels* kernels : vectorKernels()) {
        for (int width : RowWidths) {
            SCOPED_TRACE(std::string(kernels->name) + ", width " + std::to_string(width));
            for (int round = 0; round < 20; ++round) {
                std::vector<uint8_t> nearRow = randomRow(random, width), farRow = randomRow(random, width);
                if (width > 2) {  // the horizontal filters' smallest width
                    RowOutput expected(size_t(width) * 2), actual(size_t(width) * 2);
                    plainKernels().upsampleH2V1(nearRow.data(), width, expected.origin());
                    kernels->upsampleH2V1(nearRow.data(), width, actual.origin());
                    ASSERT_EQ(difference(actual.bytes, expected.bytes), "") << "h2v1";
                    RowOutput expected2(size_t(width) * 2), actual2(size_t(width) * 2);
                    plainKernels().upsampleH2V2(nearRow.data(), farRow.data(), width, expected2.origin());
                    kernels->upsampleH2V2(nearRow.data(), farRow.data(), width, actual2.origin());
                    ASSERT_EQ(difference(actual2.bytes, expected2.bytes), "") << "h2v2";
                }
                for (int bias : {1, 2}) {
                    RowOutput expected{size_t(width)}, actual{size_t(width)};
                    plainKernels().upsampleH1V2(nearRow.data(), farRow.data(), width, bias, expected.origin());
                    kernels->upsampleH1V2(nearRow.data(), farRow.data(), width, bias, actual.origin());
                    ASSERT_EQ(difference(actual.bytes, expected.bytes), "") << "h1v2, bias " << bias;
                }
            }
        }
    }
}

}
