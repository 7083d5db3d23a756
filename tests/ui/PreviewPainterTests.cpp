#include "ui/PreviewPainter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ui/PreviewImage.h"

namespace {

// A holder filled by hand, as a load would leave it: rows of width x channels bytes padded to 4.
void fill(PreviewImage& image, int width, int height, int channels, const uint8_t* pixel) {
    std::size_t row = std::size_t(width) * channels;
    std::size_t padded = (row + 3) & ~std::size_t(3);
    image.clear();
    image.pixels.reset(new uint8_t[padded * height]());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::memcpy(image.pixels.get() + y * padded + x * channels, pixel, std::size_t(channels));
    image.properties.bitmapPixels = image.pixels.get();
    image.properties.bitmapWidth = uint32_t(width);
    image.properties.bitmapHeight = height;
    image.properties.bitmapChannels = uint32_t(channels);
    image.properties.bitmapRowPadding = uint32_t(padded - row);
}

// A 32-bit top-down memory bitmap the painter draws into, read back pixel by pixel.
class Canvas {
public:
    Canvas(int width, int height) : width(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
        RECT all{0, 0, width, height};
        HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
        FillRect(dc, &all, black);
        DeleteObject(black);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC context() const { return dc; }
    COLORREF at(int x, int y) const {
        GdiFlush();
        uint32_t value = bits[y * width + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

private:
    int width;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
};

const COLORREF ButtonFace = GetSysColor(COLOR_BTNFACE);

}  // namespace

TEST(PreviewPainter, SmallPictureSitsTopLeftWithButtonFaceStrips) {
    PreviewImage image;
    const uint8_t blueGreenRed[3] = {30, 120, 200};
    fill(image, 33, 17, 3, blueGreenRed);  // 99 bytes a row, padded to 100
    Canvas canvas(120, 80);
    paintPreview(canvas.context(), RECT{10, 5, 110, 75}, image);

    EXPECT_EQ(canvas.at(10, 5), RGB(200, 120, 30));
    EXPECT_EQ(canvas.at(42, 21), RGB(200, 120, 30)) << "last pixel of the picture, drawn without skew";
    EXPECT_EQ(canvas.at(43, 5), ButtonFace) << "right of the picture";
    EXPECT_EQ(canvas.at(10, 22), ButtonFace) << "below the picture";
    EXPECT_EQ(canvas.at(109, 74), ButtonFace);
    EXPECT_EQ(canvas.at(9, 5), RGB(0, 0, 0)) << "nothing outside the box";
    EXPECT_EQ(canvas.at(110, 75), RGB(0, 0, 0));
}

TEST(PreviewPainter, LargePictureIsScaledDownToFit) {
    PreviewImage image;
    const uint8_t grey[3] = {90, 90, 90};
    fill(image, 800, 600, 3, grey);
    Canvas canvas(400, 280);
    paintPreview(canvas.context(), RECT{0, 0, 400, 280}, image);
    EXPECT_EQ(canvas.at(372, 279), RGB(90, 90, 90));
    EXPECT_EQ(canvas.at(373, 0), ButtonFace) << "drawn 373 wide";
}

TEST(PreviewPainter, FourBytePixelsArePaintedAsThirtyTwoBits) {
    PreviewImage image;
    const uint8_t blueGreenRedAlpha[4] = {10, 20, 150, 255};
    fill(image, 5, 3, 4, blueGreenRedAlpha);
    ASSERT_TRUE(isPaintablePreview(image));
    Canvas canvas(20, 20);
    paintPreview(canvas.context(), RECT{0, 0, 20, 20}, image);
    EXPECT_EQ(canvas.at(0, 0), RGB(150, 20, 10));
    EXPECT_EQ(canvas.at(4, 2), RGB(150, 20, 10));
    EXPECT_EQ(canvas.at(5, 0), ButtonFace);
}

// Pixel layouts no bitmap description fits, and holders whose rows disagree with the bitmap the
// graphics system would read, are shown as an empty preview rather than read past their buffer.
TEST(PreviewPainter, ImagesItCannotDescribeLeaveTheBoxBlank) {
    const uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    struct Case {
        const char* name;
        int channels;
        uint32_t extraPadding;
    };
    const Case cases[] = {{"one byte per pixel", 1, 0}, {"two bytes", 2, 0}, {"five bytes", 5, 0},
                          {"rows shorter than the bitmap's", 3, 0xFFFFFFFFu}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewImage image;
        fill(image, 3, 2, c.channels, bytes);
        image.properties.bitmapRowPadding += c.extraPadding;
        EXPECT_FALSE(isPaintablePreview(image));
        Canvas canvas(10, 10);
        paintPreview(canvas.context(), RECT{0, 0, 10, 10}, image);
        EXPECT_EQ(canvas.at(0, 0), ButtonFace);
        EXPECT_EQ(canvas.at(9, 9), ButtonFace);
    }

    SCOPED_TRACE("empty holder");
    PreviewImage empty;
    EXPECT_FALSE(isPaintablePreview(empty));
    Canvas canvas(10, 10);
    paintPreview(canvas.context(), RECT{0, 0, 10, 10}, empty);
    EXPECT_EQ(canvas.at(5, 5), ButtonFace);
}
