// Damaged input: every truncation of a few files and thousands of random
// byte changes end with a result code, never a crash; a success always
// comes with the complete image.

#include "JpegTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Decodes prefixes of the file (every `step`-th length): each must end with a
// result, and one that succeeds must give the complete image (only the end
// marker may be missing from it).
void expectPrefixesEndWithAResult(const std::vector<uint8_t>& whole, size_t step)
{
    DecodedImage complete = decodeMemory(whole, plainKernels());
    ASSERT_EQ(complete.result, JpegSuccess);
    for (size_t length = 0; length < whole.size(); length += step) {
        std::vector<uint8_t> prefix(whole.begin(), whole.begin() + ptrdiff_t(length));
        DecodedImage image = decodeMemory(prefix, plainKernels());
        ASSERT_LE(image.result, 0) << "length " << length;
        if (image.result == JpegSuccess) {
            ASSERT_EQ(image.pixels, complete.pixels) << "length " << length;
        }
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
        DecodedImage image = decodeMemory(bytes, plainKernels());
        ASSERT_LE(image.result, 0) << "round " << round;
        if (image.result == JpegSuccess) {
            ++successes;
            ASSERT_EQ(image.pixels.size(), image.rowBytes * size_t(image.height));
        }
    }
    // Most changes land in the entropy-coded data and still decode.
    EXPECT_GT(successes, 0);
}

}
