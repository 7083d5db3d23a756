#pragma once

// Where a preview picture goes inside its preview rectangle: at the top-left corner, scaled down
// to fit, never enlarged. The rest of the rectangle is two strips of background, one to the right
// of the picture and one below it across the whole width.
struct PreviewRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct PreviewLayout {
    PreviewRect picture;
    PreviewRect rightStrip;
    PreviewRect bottomStrip;
};

// An image without pixels (width or height 0) leaves the whole box to the background.
PreviewLayout layoutPreview(int imageWidth, int imageHeight, const PreviewRect& box);
