// The properties-record interface: defaults, the colour rule's layouts, row
// padding and order, result codes for refused and damaged files, and the
// file's lifetime.

#include "JpegTestSupport.h"

#include "jpeg/JpegCodec.h"
#include "platform/NativePath.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

// A zero-filled, initialised record, released when the test is done with it.
class CodecRecord {
public:
    CodecRecord()
    {
        std::memset(&p, 0, sizeof p);
        initResult = initProperties(&p);
    }
    ~CodecRecord() { releaseProperties(&p); }

    // Reads the parameters and applies the preview loader's colour rule.
    int32_t readAndPrepare(const std::string& path)
    {
        fileName = path;
        p.jpegFileName = fileName.c_str();
        int32_t result = readJpeg(&p, ReadParameters);
        if (result != 0)
            return result;
        if (p.jpegChannels == 1) {
            p.jpegColor = JpegColorGrey;
            p.bitmapColor = JpegColorBgr;
            p.bitmapChannels = 3;
        } else if (p.jpegChannels == 4) {
            p.jpegColor = JpegColorYcbcrAlpha;
            p.bitmapColor = JpegColorRgba;
            p.bitmapChannels = 4;
        }
        p.bitmapWidth = p.jpegWidth;
        p.bitmapHeight = int32_t(p.jpegHeight);
        size_t rowBytes = size_t(p.bitmapWidth) * p.bitmapChannels;
        p.bitmapRowPadding = uint32_t(((rowBytes + 3) & ~size_t(3)) - rowBytes);
        pixels.assign((rowBytes + p.bitmapRowPadding) * p.jpegHeight, Sentinel);
        p.bitmapPixels = pixels.data();
        return 0;
    }

    static constexpr uint8_t Sentinel = 0xA5;
    JpegCodecProperties p;
    int32_t initResult = 0;
    std::string fileName;
    std::vector<uint8_t> pixels;
};

std::string corpusFile(const std::string& name) { return corpusFolder() + "/" + name; }
std::string extraFile(const std::string& name) { return referenceFolder() + "/" + name; }

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(JpegCodecInterface, InitialisationSetsTheDefaults)
{
    CodecRecord record;
    ASSERT_EQ(record.initResult, 0);
    const JpegCodecProperties& p = record.p;
    EXPECT_EQ(p.useLowLevelProperties, 0u);
    EXPECT_EQ(p.bitmapPixels, nullptr);
    EXPECT_EQ(p.bitmapChannels, 3u);
    EXPECT_EQ(p.bitmapColor, 2u);
    EXPECT_EQ(p.bitmapSubsampling, 0u);
    EXPECT_EQ(p.jpegFileName, nullptr);
    EXPECT_EQ(p.jpegChannels, 3u);
    EXPECT_EQ(p.jpegColor, 3u);
    EXPECT_EQ(p.jpegSubsampling, 1u);
    EXPECT_EQ(p.colorConversionRequired, 1u);
    EXPECT_EQ(p.upsamplingRequired, 1u);
    EXPECT_EQ(p.quality, 75u);
    EXPECT_NE(p.lowLevel, nullptr);
    EXPECT_EQ(releaseProperties(&record.p), 0);
    EXPECT_EQ(record.p.lowLevel, nullptr);
}

TEST(JpegCodecInterface, ResultCodesHaveTheCodecsTexts)
{
    const std::pair<int32_t, const char*> cases[] = {
        {2, "ROI Success"}, {0, "Success"}, {-5, "Memory error"}, {-8, "Invalid JPEG_PROPERTIES"},
        {-10, "Invalid file name"}, {-12, "Not supported"}, {-13, "Not JPEG"}, {-20, "Multiply frame"},
        {-30, "Error access to jpeg_comment buffer"}, {-99, "Reserved"}, {-31, "Unknown error code"},
        {3, "Unknown error code"}, {-98, "Unknown error code"},
    };
    for (const auto& [code, text] : cases) {
        SCOPED_TRACE(code);
        EXPECT_STREQ(jpegResultText(code), text);
    }
}

TEST(JpegCodecInterface, ParameterReadFillsTheSizeAndComponentCount)
{
    CodecRecord record;
    record.fileName = corpusFile("o33x17_422_q75.jpg");
    record.p.jpegFileName = record.fileName.c_str();
    ASSERT_EQ(readJpeg(&record.p, ReadParameters), 0);
    EXPECT_EQ(record.p.jpegWidth, 33u);
    EXPECT_EQ(record.p.jpegHeight, 17u);
    EXPECT_EQ(record.p.jpegChannels, 3u);
}

TEST(JpegCodecInterface, GreyImageGivesEqualBlueGreenAndRed)
{
    CodecRecord record;
    ASSERT_EQ(record.readAndPrepare(corpusFile("o33x17_gray_q75.jpg")), 0);
    ASSERT_EQ(readJpeg(&record.p, ReadWholeImage), 0);
    DecodedImage reference;
    ASSERT_TRUE(readBmpAsBgr(referenceFolder() + "/o33x17_gray_q75.jpg.bmp", reference));
    size_t rowBytes = 33 * 3 + record.p.bitmapRowPadding;
    bool anyNonGrey = false;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 33; ++x) {
            const uint8_t* px = record.pixels.data() + size_t(y) * rowBytes + size_t(x) * 3;
            anyNonGrey |= px[0] != px[1] || px[1] != px[2];
            EXPECT_EQ(px[0], reference.pixels[size_t(y) * reference.rowBytes + size_t(x) * 3]);
        }
    EXPECT_FALSE(anyNonGrey);
}

TEST(JpegCodecInterface, RowsArePaddedToFourBytesAndThePaddingIsLeftAlone)
{
    CodecRecord record;
    ASSERT_EQ(record.readAndPrepare(corpusFile("o5x3_444_q75.jpg")), 0);
    EXPECT_EQ(record.p.bitmapRowPadding, 1u);
    ASSERT_EQ(readJpeg(&record.p, ReadWholeImage), 0);
    DecodedImage reference;
    ASSERT_TRUE(readBmpAsBgr(referenceFolder() + "/o5x3_444_q75.jpg.bmp", reference));
    ASSERT_EQ(record.pixels.size(), 3u * 16u);
    for (int y = 0; y < 3; ++y) {
        SCOPED_TRACE(y);
        const uint8_t* row = record.pixels.data() + y * 16;
        EXPECT_EQ(std::memcmp(row, reference.pixels.data() + y * 16, 15), 0);
        EXPECT_EQ(row[15], CodecRecord::Sentinel);
    }
}

TEST(JpegCodecInterface, NegativeHeightWritesTheBottomRowFirst)
{
    CodecRecord record;
    ASSERT_EQ(record.readAndPrepare(corpusFile("o33x17_420_q75.jpg")), 0);
    record.p.bitmapHeight = -record.p.bitmapHeight;
    ASSERT_EQ(readJpeg(&record.p, ReadWholeImage), 0);
    DecodedImage reference;
    ASSERT_TRUE(readBmpAsBgr(referenceFolder() + "/o33x17_420_q75.jpg.bmp", reference));
    for (int y = 0; y < 17; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(std::memcmp(record.pixels.data() + size_t(16 - y) * 100,
                              reference.pixels.data() + size_t(y) * 100, 99), 0);
    }
}

TEST(JpegCodecInterface, FourComponentsGiveFourBytePixelsWithTheFourthAsAlpha)
{
    TempFolder folder;
    std::string path = folder.file("four.jpg");
    // Y 100, Cb 128, Cr 178: red = 100 + 70, green = 100 - 36, blue = 100.
    writeFile(path, asText(syntheticJpeg(10, 3, {{1, 1, 100}, {1, 1, 128}, {1, 1, 178}, {1, 1, 128}})));
    CodecRecord record;
    ASSERT_EQ(record.readAndPrepare(path), 0);
    EXPECT_EQ(record.p.jpegChannels, 4u);
    EXPECT_EQ(record.p.bitmapChannels, 4u);
    ASSERT_EQ(readJpeg(&record.p, ReadWholeImage), 0);
    ASSERT_EQ(record.pixels.size(), 40u * 3u);
    for (size_t i = 0; i < record.pixels.size(); i += 4) {
        SCOPED_TRACE(i);
        EXPECT_EQ(record.pixels[i], 170);
        EXPECT_EQ(record.pixels[i + 1], 64);
        EXPECT_EQ(record.pixels[i + 2], 100);
        EXPECT_EQ(record.pixels[i + 3], 128);
    }
}

TEST(JpegCodecInterface, WholeImageReadWorksWithoutAParameterReadFirst)
{
    CodecRecord record;
    ASSERT_EQ(record.readAndPrepare(corpusFile("o33x17_444_q75.jpg")), 0);
    std::vector<uint8_t> expected;
    ASSERT_EQ(readJpeg(&record.p, ReadWholeImage), 0);
    expected = record.pixels;

    CodecRecord fresh;
    fresh.fileName = record.fileName;
    fresh.p.jpegFileName = fresh.fileName.c_str();
    fresh.p.bitmapWidth = 33;
    fresh.p.bitmapHeight = 17;
    fresh.p.bitmapRowPadding = 1;
    fresh.pixels.assign(expected.size(), CodecRecord::Sentinel);
    fresh.p.bitmapPixels = fresh.pixels.data();
    ASSERT_EQ(readJpeg(&fresh.p, ReadWholeImage), 0);
    EXPECT_EQ(fresh.pixels, expected);
}

TEST(JpegCodecInterface, RefusedAndDamagedFilesGiveTheirCodes)
{
    TempFolder folder;
    std::vector<uint8_t> twelveBit = syntheticJpeg(8, 8, {{1, 1, 128}}, 0xC1, 12);
    std::vector<uint8_t> lossless = syntheticJpeg(8, 8, {{1, 1, 128}}, 0xC3);
    std::vector<uint8_t> hierarchicalFrame = syntheticJpeg(8, 8, {{1, 1, 128}}, 0xC5);
    std::vector<uint8_t> noScan = {0xFF, 0xD8, 0xFF, 0xD9};
    std::vector<uint8_t> headerOnly = syntheticJpeg(8, 8, {{1, 1, 128}});
    headerOnly.resize(30);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        int32_t expected;
    } cases[] = {
        {"text.jpg", {'h', 'e', 'l', 'l', 'o', '\n'}, JpegNotJpeg},
        {"png.jpg", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}, JpegNotJpeg},
        {"empty.jpg", {}, JpegNotJpeg},
        {"twelve-bit.jpg", twelveBit, JpegNotSupported},
        {"lossless.jpg", lossless, JpegNotSupported},
        {"hierarchical.jpg", hierarchicalFrame, JpegNotSupported},
        {"arithmetic.jpg", readBytes(extraFile("extra_arith_420.jpg")), JpegNotSupported},
        {"no-frame.jpg", noScan, JpegNoFrame},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = folder.file(c.name);
        writeFile(path, asText(c.bytes));
        CodecRecord record;
        EXPECT_EQ(record.readAndPrepare(path), c.expected);
    }
    // Cut short inside the header.
    std::string path = folder.file("header-only.jpg");
    writeFile(path, asText(headerOnly));
    CodecRecord record;
    EXPECT_LT(record.readAndPrepare(path), 0);
}

TEST(JpegCodecInterface, MissingOrUnnamedFileGivesInvalidFileName)
{
    TempFolder folder;
    CodecRecord missing;
    EXPECT_EQ(missing.readAndPrepare(folder.file("absent.jpg")), JpegInvalidFileName);
    CodecRecord unnamed;
    EXPECT_EQ(readJpeg(&unnamed.p, ReadParameters), JpegInvalidFileName);
}

TEST(JpegCodecInterface, BitmapThatDoesNotFitTheImageIsRefused)
{
    CodecRecord record;
    ASSERT_EQ(record.readAndPrepare(corpusFile("o33x17_444_q75.jpg")), 0);
    record.p.bitmapWidth = 32;
    EXPECT_EQ(readJpeg(&record.p, ReadWholeImage), JpegInvalidProperties);
}

#ifdef __linux__
size_t openDescriptorCount()
{
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}
#endif

TEST(JpegCodecInterface, ReleaseAfterAFailedParameterReadClosesTheFile)
{
    TempFolder folder;
    std::string path = folder.file("not-a-photo.jpg");
    writeFile(path, "plain text, not a JPEG stream");
#ifdef __linux__
    size_t before = openDescriptorCount();
#endif
    JpegCodecProperties p;
    std::memset(&p, 0, sizeof p);
    ASSERT_EQ(initProperties(&p), 0);
    p.jpegFileName = path.c_str();
    EXPECT_EQ(readJpeg(&p, ReadParameters), JpegNotJpeg);
    EXPECT_EQ(releaseProperties(&p), 0);
#ifdef __linux__
    EXPECT_EQ(openDescriptorCount(), before);
#endif
    // Windows refuses to delete a file that is still open.
    EXPECT_TRUE(std::filesystem::remove(nativePath(path)));
}

}
