// Damaged input: every truncation of a few files and thousands of random
// byte changes end with a result code, never a crash; a success always
// comes with the complete image. Every kernel table gives the plain one's
// result and bytes, damaged data included.

#include "JpegTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Decodes with the plain kernels and, when asked, with every other table
// too, which must give the same result and bytes.
DecodedImage decodeAndCompareTables(const std::vector<uint8_t>& bytes, bool compareTables)
{
    DecodedImage plain = decodeMemory(bytes, plainKernels());
    if (!compareTables)
        return plain;
    std::vector<const JpegKernels*> tables = availableKernels();
    for (size_t i = 1; i < tables.size(); ++i) {
        DecodedImage image = decodeMemory(bytes, *tables[i]);
        EXPECT_EQ(image.result, plain.result) << tables[i]->name;
        EXPECT_TRUE(image.pixels == plain.pixels) << tables[i]->name << " writes other bytes";
    }
    return plain;
}

// Decodes prefixes of the file (every `step`-th length): each must end with a
// result, and one that succeeds must give the complete image (only the end
// marker may be missing from it). Every `tableStep`-th prefix is also decoded
// with every other kernel table.
void expectPrefixesEndWithAResult(const std::vector<uint8_t>& whole, size_t step, size_t tableStep)
{
    DecodedImage complete = decodeMemory(whole, plainKernels());
    ASSERT_EQ(complete.result, JpegSuccess);
    for (size_t length = 0, count = 0; length < whole.size(); length += step, ++count) {
        SCOPED_TRACE("length " + std::to_string(length));
        std::vector<uint8_t> prefix(whole.begin(), whole.begin() + ptrdiff_t(length));
        DecodedImage image = decodeAndCompareTables(prefix, count % tableStep == 0);
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
    // The vector tables on every prefix of the small files, every fifth of the larger one's.
    const std::pair<const char*, size_t> files[] = {
        {"o33x17_420_q75.jpg", 1}, {"o33x17_420_q75_rst1b.jpg", 1}, {"p256_420_q75.jpg", 5}, {"o5x3_444_q75.jpg", 1}};
    for (const auto& [name, tableStep] : files) {
        SCOPED_TRACE(name);
        expectPrefixesEndWithAResult(readBytes(corpusFolder() + "/" + name), 1, tableStep);
    }
}

TEST(JpegRobustness, TruncatedProgressiveAndMultiScanFilesEndWithAResult)
{
    // Every prefix of the small files, a sample of those of the larger one
    // (and a third of that sample on the vector tables).
    struct Truncations {
        const char* name;
        size_t step;
        size_t tableStep;
    };
    const Truncations files[] = {
        {"extra_prog_422.jpg", 1, 1}, {"extra_multiscan_444.jpg", 1, 1}, {"extra_prog_420_rst2.jpg", 101, 3}};
    for (const Truncations& file : files) {
        SCOPED_TRACE(file.name);
        expectPrefixesEndWithAResult(readBytes(referenceFolder() + "/" + file.name), file.step, file.tableStep);
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
        DecodedImage image = decodeAndCompareTables(bytes, true);
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
