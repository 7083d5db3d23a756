// Damaged input: every truncation of a few files and thousands of random
// byte changes end with a result code, never a crash; a success always
// comes with the complete image. Every kernel table gives the plain one's
// result and bytes, damaged data included.

#include "JpegTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Decodes prefixes of the file (every `step`-th length): each must end with a
// result, and one that succeeds must give the complete image (only the end
// marker may be missing from it).
// Decodes with the plain kernels and checks that every other table agrees.
DecodedImage decodeOnEveryTable(const std::vector<uint8_t>& bytes)
{
    DecodedImage plain = decodeMemory(bytes, plainKernels());
    for (const JpegKernels* kernels : availableKernels()) {
        DecodedImage image = decodeMemory(bytes, *kernels);
        EXPECT_EQ(image.result, plain.result) << kernels->name;
        EXPECT_TRUE(image.pixels == plain.pixels) << kernels->name << " writes other bytes";
    }
    return plain;
}

void expectPrefixesEndWithAResult(const std::vector<uint8_t>& whole, size_t step)
{
    DecodedImage complete = decodeMemory(whole, plainKernels());
    ASSERT_EQ(complete.result, JpegSuccess);
    for (size_t length = 0; length < whole.size(); length += step) {
        SCOPED_TRACE("length " + std::to_string(length));
        std::vector<uint8_t> prefix(whole.begin(), whole.begin() + ptrdiff_t(length));
        DecodedImage image = decodeOnEveryTable(prefix);
        ASSERT_LE(image.result, 0);
        if (image.result == JpegSuccess) {
            ASSERT_EQ(image.pixels, complete.pixels);
        }
        if (testing::Test::HasFailure())
            return;
    }
}

TEST(JpegRobustness, EveryTruncationEndsWithAResult)
{
    const char* names[] = {"o33x17_420_q75.jpg", "o33x17_420_q75_rst1b.jpg", "p256_420_q75.jpg",
                           "o5x3_444_q75.jpg"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        expectPrefixesEndWithAResult(readBytes(corpusFolder() + "/" + name), 1);
    }
}

TEST(JpegRobustness, TruncatedProgressiveAndMultiScanFilesEndWithAResult)
{
    // Every prefix of the small files, a sample of those of the larger one.
    const std::pair<const char*, size_t> files[] = {
        {"extra_prog_422.jpg", 1}, {"extra_multiscan_444.jpg", 1}, {"extra_prog_420_rst2.jpg", 101}};
    for (const auto& [name, step] : files) {
        SCOPED_TRACE(name);
        expectPrefixesEndWithAResult(readBytes(referenceFolder() + "/" + name), step);
    }
}

TEST(JpegRobustness, RandomByteChangesEndWithAResult)
{
    const char* names[] = {"o33x17_420_q75.jpg", "o33x17_440_q75.jpg", "o33x17_gray_q75.jpg",
                           "o33x17_420_q75_rst1b.jpg"};
    std::vector<std::vector<uint8_t>> files;
    for (const char* name : names)
        files.push_back(readBytes(corpusFolder() + "/" + name));
    files.push_back(readBytes(referenceFolder() + "/extra_prog_422.jpg"));
    files.push_back(readBytes(referenceFolder() + "/extra_multiscan_444.jpg"));

    std::mt19937 random(20261209);
    int successes = 0;
    for (int round = 0; round < 6000; ++round) {
        std::vector<uint8_t> bytes = files[size_t(round) % files.size()];
        int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i)
            bytes[random() % bytes.size()] = uint8_t(random());
        SCOPED_TRACE("round " + std::to_string(round));
        DecodedImage image = decodeOnEveryTable(bytes);
        ASSERT_LE(image.result, 0);
        if (testing::Test::HasFailure())
            return;
        if (image.result == JpegSuccess) {
            ++successes;
            ASSERT_EQ(image.pixels.size(), image.rowBytes * size_t(image.height));
        }
    }
    // Most changes land in the entropy-coded data and still decode.
    EXPECT_GT(successes, 0);
}

}
