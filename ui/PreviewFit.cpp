#include "ui/PreviewFit.h"

#include <algorithm>

PreviewLayout layoutPreview(int imageWidth, int imageHeight, const PreviewRect& box) {
    PreviewLayout layout;
    int width = 0;
    int height = 0;
    if (imageWidth > 0 && imageHeight > 0) {
        width = imageWidth;
        height = imageHeight;
        double scale = std::min(double(box.width) / imageWidth, double(box.height) / imageHeight);
        if (scale < 1) {
            width = int(imageWidth * scale);
            height = int(imageHeight * scale);
        }
    }
    layout.picture = {box.left, box.top, width, height};
    if (width < box.width)
        layout.rightStrip = {box.left + width, box.top, box.width - width, box.height};
    if (height < box.height)
        layout.bottomStrip = {box.left, box.top + height, box.width, box.height - height};
    return layout;
}
