#pragma once
#include <windows.h>

class PreviewImage;

// Whether the painter can show the image: it has pixels, three bytes (blue, green, red) or four
// (blue, green, red, alpha) per pixel, and rows padded to four bytes as a device-independent
// bitmap of that depth expects. Anything else is shown as an empty preview.
bool isPaintablePreview(const PreviewImage& image);

// Paints the image into box (in the device context's coordinates): at the top-left corner,
// scaled down to fit without enlarging, the rest in the button-face colour.
void paintPreview(HDC dc, const RECT& box, const PreviewImage& image);

// The same into the rectangle of a hidden frame control, painting on its parent's device context.
void paintPreviewInFrame(HDC parentDc, HWND previewFrame, const PreviewImage& image);
