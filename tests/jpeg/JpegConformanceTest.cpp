// Every corpus file decodes to the same bytes as the reference decoder
// (accurate integer IDCT, fancy upsampling), on every kernel table.

#include "JpegTestSupport.h"

#include <gtest/gtest.h>

namespace {

bool isArithmeticCoded(const CorpusEntry& entry) { return entry.process.find("arith") != std::string::npos; }

// Position of the first differing byte as "row r, byte b", for the failure message.
std::string firstDifference(const DecodedImage& ours, const DecodedImage& reference)
{
    for (size_t i = 0; i < ours.pixels.size() && i < reference.pixels.size(); ++i)
        if (ours.pixels[i] != reference.pixels[i])
            return "row " + std::to_string(i / ours.rowBytes) + ", byte " + std::to_string(i % ours.rowBytes) +
                   ": " + std::to_string(ours.pixels[i]) + " instead of " + std::to_string(reference.pixels[i]);
    return "sizes differ";
}

TEST(JpegConformance, CorpusHoldsTheFilesItsManifestDescribes)
{
    std::vector<CorpusEntry> entries = corpusEntries();
    ASSERT_GE(entries.size(), 20u) << "corpus not found at " << corpusFolder();
    size_t described = 0;
    for (const CorpusEntry& entry : entries)
        described += entry.process.empty() ? 0 : 1;
    EXPECT_EQ(described, entries.size()) << "corpus files missing from MANIFEST.txt";
    // The manifest also lists a few files the corpus does not ship; those
    // processes are covered by the extra files made at build time.
    EXPECT_GE(manifestNames().size(), entries.size());
}

TEST(JpegConformance, EveryCorpusFileMatchesTheReferenceOnEveryKernelTable)
{
    for (const JpegKernels* kernels : availableKernels()) {
        for (const CorpusEntry& entry : corpusEntries()) {
            SCOPED_TRACE(entry.name + " with the " + kernels->name + " kernels");
            DecodedImage ours = decodeFile(corpusFolder() + "/" + entry.name, *kernels);
            if (isArithmeticCoded(entry)) {
                // Arithmetic coding is refused, not decoded.
                EXPECT_EQ(ours.result, JpegNotSupported);
                continue;
            }
            ASSERT_EQ(ours.result, JpegSuccess);
            DecodedImage reference;
            ASSERT_TRUE(readBmpAsBgr(referenceFolder() + "/" + entry.name + ".bmp", reference));
            ASSERT_EQ(ours.width, reference.width);
            ASSERT_EQ(ours.height, reference.height);
            ASSERT_EQ(ours.rowBytes, reference.rowBytes);
            EXPECT_TRUE(ours.pixels == reference.pixels) << firstDifference(ours, reference);
        }
    }
}

TEST(JpegConformance, ExtraSamplingLayoutsMatchTheReference)
{
    // Made at build time from corpus photos with the reference encoder:
    // 4:1:1, 2x2 luma with 1x2 chroma, 4x4 luma, narrow widths around the
    // limit of the horizontal filter, and a progressive 4:2:2.
    std::vector<std::string> names = {
        "extra_411.jpg", "extra_h2v2_c1v2.jpg", "extra_h4v2.jpg", "extra_w2_420.jpg", "extra_w3_420.jpg",
        "extra_w4_422.jpg", "extra_h1v2_c1v1_gray.jpg", "extra_prog_422.jpg", "extra_h3v1.jpg",
        "extra_prog_420_rst2.jpg", "extra_multiscan_444.jpg",
    };
    for (const JpegKernels* kernels : availableKernels()) {
        for (const std::string& name : names) {
            SCOPED_TRACE(name + " with the " + kernels->name + " kernels");
            DecodedImage ours = decodeFile(referenceFolder() + "/" + name, *kernels);
            ASSERT_EQ(ours.result, JpegSuccess);
            DecodedImage reference;
            ASSERT_TRUE(readBmpAsBgr(referenceFolder() + "/" + name + ".bmp", reference));
            ASSERT_EQ(ours.width, reference.width);
            ASSERT_EQ(ours.height, reference.height);
            EXPECT_TRUE(ours.pixels == reference.pixels) << firstDifference(ours, reference);
        }
    }
}

}
