#pragma once
#include <windows.h>
#include <commctrl.h>

namespace fw {

// Owns a GDI object (bitmap, font, brush) and deletes it.
template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle handle = nullptr) : handle(handle) {}
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ~ScopedGdiObject() {
        if (handle)
            DeleteObject(handle);
    }
    Handle get() const { return handle; }

private:
    Handle handle;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;

// A window's device context for drawing or measuring, released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(window, dc); }
    HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// The device context of a WM_PAINT, ended at the end of the scope.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window, &paint); }
    HDC get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

// Selects an object into a device context and puts the previous one back at the end of the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc(dc), previous(object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (previous)
            SelectObject(dc, previous);
    }

private:
    HDC dc;
    HGDIOBJ previous;
};

// Owns an image list unless a control has been given it for keeps.
class ImageList {
public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ~ImageList() { reset(); }

    bool create(int width, int height, UINT flags, int initial, int grow) {
        reset();
        list = ImageList_Create(width, height, flags, initial, grow);
        return list != nullptr;
    }
    // Adds a bitmap resource of the program, with the given colour as transparent.
    bool addMaskedBitmap(int bitmapId, COLORREF mask) {
        ScopedBitmap bitmap(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                            MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0,
                                                            0, LR_CREATEDIBSECTION)));
        return bitmap.get() && ImageList_AddMasked(list, bitmap.get(), mask) >= 0;
    }
    // Adds an icon resource of the program at the list's image size.
    bool addIcon(int iconId, int size) {
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
        if (!icon)
            return false;
        bool added = ImageList_AddIcon(list, icon) >= 0;
        DestroyIcon(icon);
        return added;
    }
    HIMAGELIST get() const { return list; }
    // Takes over an image list made elsewhere (a list control's drag image).
    void attach(HIMAGELIST made) {
        reset();
        list = made;
    }
    void reset() {
        if (list)
            ImageList_Destroy(list);
        list = nullptr;
    }

private:
    HIMAGELIST list = nullptr;
};

}  // namespace fw
