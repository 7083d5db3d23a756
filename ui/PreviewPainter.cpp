#include "ui/PreviewPainter.h"

#include "ui/PreviewFit.h"
#include "ui/PreviewImage.h"

namespace {

int bitsPerPixel(const PreviewImage& image) { return image.channels() * 8; }

// The row size the graphics system reads for a bitmap of this width and depth.
size_t dibRowBytes(int width, int bits) { return (size_t(width) * bits + 31) / 32 * 4; }

void fillBackground(HDC dc, const PreviewRect& strip) {
    if (strip.isEmpty())
        return;
    RECT area{strip.left, strip.top, strip.left + strip.width, strip.top + strip.height};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

bool isPaintablePreview(const PreviewImage& image) {
    if (image.isEmpty() || image.width() <= 0 || image.height() <= 0)
        return false;
    int channels = image.channels();
    if (channels != 3 && channels != 4)
        return false;
    // StretchDIBits reads height rows of this size; the buffer holds exactly height rows of
    // rowBytes, so the two must agree or the graphics system would read past the buffer.
    return image.rowBytes() == dibRowBytes(image.width(), bitsPerPixel(image));
}

void paintPreview(HDC dc, const RECT& box, const PreviewImage& image) {
    PreviewRect area{box.left, box.top, box.right - box.left, box.bottom - box.top};
    bool paintable = isPaintablePreview(image);
    PreviewLayout layout =
        paintable ? layoutPreview(image.width(), image.height(), area) : layoutPreview(0, 0, area);

    if (paintable && !layout.picture.isEmpty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = image.width();
        info.bmiHeader.biHeight = -image.height();  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = WORD(bitsPerPixel(image));
        info.bmiHeader.biCompression = BI_RGB;
        int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, layout.picture.left, layout.picture.top, layout.picture.width, layout.picture.height, 0,
                      0, image.width(), image.height(), image.pixelData(), &info, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
    }
    fillBackground(dc, layout.rightStrip);
    fillBackground(dc, layout.bottomStrip);
}

void paintPreviewInFrame(HDC parentDc, HWND previewFrame, const PreviewImage& image) {
    RECT box{};
    GetWindowRect(previewFrame, &box);
    MapWindowPoints(nullptr, GetParent(previewFrame), reinterpret_cast<POINT*>(&box), 2);
    paintPreview(parentDc, box, image);
}
