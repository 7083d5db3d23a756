// The preview's image holder: a decoded bitmap after a successful load, an
// empty holder after a failed one, premultiplied BGRA for four components.

#include "JpegTestSupport.h"

#include "tests/support/TempFolder.h"
#include "ui/PreviewImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string corpusFile(const std::string& name) { return corpusFolder() + "/" + name; }

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

void expectEmpty(const PreviewImage& image)
{
    EXPECT_TRUE(image.isEmpty());
    EXPECT_EQ(image.pixelData(), nullptr);
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
}

TEST(PreviewImage, NewHolderIsEmpty)
{
    PreviewImage image;
    expectEmpty(image);
}

TEST(PreviewImage, LoadsPhotosIntoTopDownBgrRowsPaddedToFourBytes)
{
    const struct {
        const char* name;
        int width;
        int height;
        size_t rowBytes;
    } cases[] = {
        {"o33x17_420_q75.jpg", 33, 17, 100},
        {"o5x3_444_q75.jpg", 5, 3, 16},
        {"o33x17_gray_q75.jpg", 33, 17, 100},
        {"p640_gray_q75_prog.jpg", 640, 480, 1920},
    };
    PreviewImage image;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(image.load(corpusFile(c.name)));
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), c.height);
        EXPECT_EQ(image.channels(), 3);
        EXPECT_EQ(image.rowBytes(), c.rowBytes);
        EXPECT_EQ(image.properties.bitmapPixels, image.pixelData());
        EXPECT_EQ(image.properties.lowLevel, nullptr);  // released after the load
        DecodedImage reference;
        ASSERT_TRUE(readBmpAsBgr(referenceFolder() + "/" + c.name + ".bmp", reference));
        for (int y = 0; y < c.height; ++y)
            ASSERT_EQ(std::memcmp(image.pixelData() + size_t(y) * c.rowBytes,
                                  reference.pixels.data() + size_t(y) * reference.rowBytes, size_t(c.width) * 3), 0)
                << "row " << y;
    }
}

TEST(PreviewImage, FailedLoadEmptiesTheHolderAndTheNextLoadWorks)
{
    TempFolder folder;
    std::string notJpeg = folder.file("notes.jpg");
    writeFile(notJpeg, "not a photo");
    std::vector<uint8_t> truncated = readBytes(corpusFile("p256_420_q75.jpg"));
    truncated.resize(truncated.size() / 2);
    std::string cut = folder.file("cut.jpg");
    writeFile(cut, asText(truncated));

    PreviewImage image;
    for (const std::string& bad : {notJpeg, cut, folder.file("missing.jpg")}) {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(image.load(corpusFile("o33x17_444_q75.jpg")));
        EXPECT_FALSE(image.load(bad));
        expectEmpty(image);
        EXPECT_EQ(image.properties.lowLevel, nullptr);
    }
    EXPECT_TRUE(image.load(corpusFile("o33x17_444_q75.jpg")));
    EXPECT_EQ(image.width(), 33);
}

TEST(PreviewImage, FourComponentsBecomePremultipliedBgra)
{
    TempFolder folder;
    std::string path = folder.file("four.jpg");
    // RGBA (170, 64, 100, 128) before premultiplying (see the codec's test).
    writeFile(path, asText(syntheticJpeg(3, 2, {{1, 1, 100}, {1, 1, 128}, {1, 1, 178}, {1, 1, 128}})));
    PreviewImage image;
    ASSERT_TRUE(image.load(path));
    EXPECT_EQ(image.channels(), 4);
    EXPECT_EQ(image.rowBytes(), 12u);
    const uint8_t expected[4] = {(100 * 128 + 1) >> 8, (64 * 128 + 1) >> 8, (170 * 128 + 1) >> 8, 128};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::memcmp(image.pixelData() + 4 * i, expected, 4), 0);
    }
}

}
